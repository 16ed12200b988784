// key_map.h
// Windows virtual-key codes (the program's key numbering) turned into SDL key codes or SDL mouse
// buttons. Limits: letters, digits, Escape, Enter, Space, the arrows, keypad plus/minus, the
// main-keyboard "-" and "=/+" keys and the left, right and middle buttons; any other code matches
// nothing. Letters and the main-keyboard keys follow the keyboard layout (the key that types the
// symbol), as virtual-key codes do.
#pragma once

#include <cstdint>

struct KeycodeList {
    std::int32_t codes[2]; // SDL key codes (SDL_Keycode values)
    int count;
};

KeycodeList KeycodesForVirtualKey(int virtualKey);

// The SDL mouse button (SDL_BUTTON_LEFT, ...) a virtual-key code names, or 0 when it names a key.
int MouseButtonForVirtualKey(int virtualKey);
