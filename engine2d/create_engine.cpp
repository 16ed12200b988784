// create_engine.cpp
// The engine's one export. Every holder gets the same object; a holder asking for another interface
// version gets null and a line on standard error rather than an object it would misread.
#include "app/engine_interface.h"
#include "engine2d/sdl_engine.h"

#include <cstdio>

EngineInterface* CreateEngine(int version) {
    if (version != kEngineVersion) {
        std::fprintf(stderr, "ENGINE: interface version 0x%X requested, this engine is 0x%X\n",
                     static_cast<unsigned>(version), static_cast<unsigned>(kEngineVersion));
        return nullptr;
    }
    SdlEngine& engine = SdlEngine::Instance();
    engine.AddHolder();
    return &engine;
}
