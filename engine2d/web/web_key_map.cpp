// web_key_map.cpp
// The virtual-key table for the browser.
#include "engine2d/web/web_key_map.h"

DomKeyList DomKeyCodesForVirtualKey(int virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) return {{virtualKey, 0}, 1};
    switch (virtualKey) {
    case 13: case 27: case 32: case 37: case 38: case 39: case 40: case 107: case 109: return {{virtualKey, 0}, 1};
    case 187: return {{187, 61}, 2};
    case 189: return {{189, 173}, 2};
    default: return {{0, 0}, 0};
    }
}

// Virtual-key numbering: 1 left, 2 right, 4 middle; the DOM numbers them 0, 2 and 1.
int DomButtonForVirtualKey(int virtualKey) {
    switch (virtualKey) {
    case 1: return 0;
    case 2: return 2;
    case 4: return 1;
    default: return -1;
    }
}
