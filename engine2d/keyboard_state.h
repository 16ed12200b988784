// keyboard_state.h
// Which keys count as down: those held now, and those tapped since the program last asked about
// them. SDL delivers the press and release of a quick tap in the same event batch, so a tap would
// otherwise never be seen; and a program that reads some keys only in some frames (a key-repeat
// delay) must still see a tap made in a frame where it did not look. A tap is forgotten at the
// start of the frame after the first one in which the key was asked about. Keys are SDL key codes;
// the engine keeps a second one for the mouse, whose keys are SDL button numbers.
#pragma once

#include <cstdint>
#include <unordered_map>

class KeyboardState {
public:
    // Call before handing the frame's events in: taps reported in the previous frame are forgotten.
    void BeginFrame();
    void Press(std::int32_t keycode, bool repeat);
    void Release(std::int32_t keycode);
    // Window lost focus: no key is held any more (its release would go to another window).
    void ReleaseAll();

    // Held, or tapped and not yet reported before this frame. Asking marks a tap as reported.
    bool IsDown(std::int32_t keycode);

private:
    struct Key {
        bool held = false;
        bool tapPending = false;
        bool askedThisFrame = false;
    };
    std::unordered_map<std::int32_t, Key> keys_;
};
