// shared_texture.h
// One loaded texture shared by every font copy that uses it; the last owner frees it, once.
// Limits: the engine must outlive every owner; one thread.
#pragma once

#include "app/engine_interface.h"

#include <cstdint>
#include <memory>

class SharedTexture {
public:
    SharedTexture(EngineInterface* engine, std::uint32_t handle) : engine_(engine), handle_(handle) {}
    SharedTexture(const SharedTexture&) = delete;
    SharedTexture& operator=(const SharedTexture&) = delete;
    ~SharedTexture() {
        if (handle_ != 0) engine_->FreeTexture(handle_);
    }
    std::uint32_t Handle() const { return handle_; }

private:
    EngineInterface* engine_;
    std::uint32_t handle_;
};

using SharedTextureRef = std::shared_ptr<const SharedTexture>;
