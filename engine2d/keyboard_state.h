// keyboard_state.h
// Which keys count as down in the current frame: those held now, and those pressed since the frame
// began's event batch even if already released, because the press and release of a quick tap
// arrive in the same batch and the tap would otherwise never be seen. Keys are SDL key codes.
#pragma once

#include <cstdint>
#include <unordered_map>

class KeyboardState {
public:
    // Call before handing the frame's events in: taps of the previous frame are forgotten.
    void BeginFrame();
    void Press(std::int32_t keycode, bool repeat);
    void Release(std::int32_t keycode);
    // Window lost focus: no key is held any more (its release would go to another window).
    void ReleaseAll();

    bool IsDown(std::int32_t keycode) const;

private:
    struct Key {
        bool held = false;
        bool pressedThisFrame = false;
    };
    std::unordered_map<std::int32_t, Key> keys_;
};
