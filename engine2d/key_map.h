// key_map.h
// Windows virtual-key codes (the program's key numbering) turned into SDL key codes. Limits: letters,
// digits, Escape, Enter, Space, the arrows, keypad plus/minus and the main-keyboard "-" and "=/+"
// keys; any other code matches no key. Letters and the main-keyboard keys follow the keyboard
// layout (the key that types the symbol), as virtual-key codes do.
#pragma once

#include <cstdint>

struct KeycodeList {
    std::int32_t codes[2]; // SDL key codes (SDL_Keycode values)
    int count;
};

KeycodeList KeycodesForVirtualKey(int virtualKey);
