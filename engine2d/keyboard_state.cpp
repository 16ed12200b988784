// keyboard_state.cpp
// Held keys plus the taps the program has not yet been told about.
#include "engine2d/keyboard_state.h"

void KeyboardState::BeginFrame() {
    for (auto& [code, key] : keys_) {
        if (key.askedThisFrame) key.tapPending = false;
        key.askedThisFrame = false;
    }
}

void KeyboardState::Press(std::int32_t keycode, bool repeat) {
    Key& key = keys_[keycode];
    key.held = true;
    if (!repeat) key.tapPending = true;
}

void KeyboardState::Release(std::int32_t keycode) { keys_[keycode].held = false; }

void KeyboardState::ReleaseAll() {
    for (auto& [code, key] : keys_) key.held = false;
}

bool KeyboardState::IsDown(std::int32_t keycode) {
    const auto found = keys_.find(keycode);
    if (found == keys_.end()) return false;
    found->second.askedThisFrame = true;
    return found->second.held || found->second.tapPending;
}
