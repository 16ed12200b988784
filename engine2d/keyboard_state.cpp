// keyboard_state.cpp
// Held keys plus the taps of the current frame.
#include "engine2d/keyboard_state.h"

void KeyboardState::BeginFrame() {
    for (auto& [code, key] : keys_) key.pressedThisFrame = false;
}

void KeyboardState::Press(std::int32_t keycode, bool repeat) {
    Key& key = keys_[keycode];
    key.held = true;
    if (!repeat) key.pressedThisFrame = true;
}

void KeyboardState::Release(std::int32_t keycode) { keys_[keycode].held = false; }

void KeyboardState::ReleaseAll() {
    for (auto& [code, key] : keys_) key.held = false;
}

bool KeyboardState::IsDown(std::int32_t keycode) const {
    const auto found = keys_.find(keycode);
    return found != keys_.end() && (found->second.held || found->second.pressedThisFrame);
}
