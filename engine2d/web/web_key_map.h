// web_key_map.h
// Windows virtual-key codes (the program's key numbering) as the browser's key codes and mouse
// buttons. A DOM keyCode is the virtual-key number for letters, digits, Escape, Enter, Space, the
// arrows and the keypad, and, like it, follows the keyboard layout; browsers differ only on two
// keys of the main keyboard: "-" is 189 in Chromium and 173 in Firefox, "=/+" 187 and 61.
// Limits: the same keys as the desktop engine's table; any other code matches nothing.
#pragma once

struct DomKeyList {
    int codes[2]; // DOM keyCode values
    int count;
};

DomKeyList DomKeyCodesForVirtualKey(int virtualKey);

// The DOM mouse button (0 left, 1 middle, 2 right) a virtual-key code names, or -1 for a key.
int DomButtonForVirtualKey(int virtualKey);

// The browser's key code of F11, which the engine keeps for full screen as on the desktop.
constexpr int kDomKeyF11 = 122;
