// key_map.cpp
// The virtual-key table. The "=/+" key of the main keyboard types "=" on US layouts and "+" on
// many European ones, so it answers to both key codes.
#include "engine2d/key_map.h"

#include <SDL.h>

KeycodeList KeycodesForVirtualKey(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return {{SDLK_a + (virtualKey - 'A'), 0}, 1};
    if (virtualKey >= '0' && virtualKey <= '9') return {{SDLK_0 + (virtualKey - '0'), 0}, 1};
    switch (virtualKey) {
    case 13: return {{SDLK_RETURN, SDLK_KP_ENTER}, 2};
    case 27: return {{SDLK_ESCAPE, 0}, 1};
    case 32: return {{SDLK_SPACE, 0}, 1};
    case 37: return {{SDLK_LEFT, 0}, 1};
    case 38: return {{SDLK_UP, 0}, 1};
    case 39: return {{SDLK_RIGHT, 0}, 1};
    case 40: return {{SDLK_DOWN, 0}, 1};
    case 107: return {{SDLK_KP_PLUS, 0}, 1};
    case 109: return {{SDLK_KP_MINUS, 0}, 1};
    case 187: return {{SDLK_EQUALS, SDLK_PLUS}, 2};
    case 189: return {{SDLK_MINUS, 0}, 1};
    default: return {{0, 0}, 0};
    }
}

// Virtual-key numbering: 1 left, 2 right, 4 middle; SDL numbers the middle button 2 and the right 3.
int MouseButtonForVirtualKey(int virtualKey) {
    switch (virtualKey) {
    case 1: return SDL_BUTTON_LEFT;
    case 2: return SDL_BUTTON_RIGHT;
    case 4: return SDL_BUTTON_MIDDLE;
    default: return 0;
    }
}
