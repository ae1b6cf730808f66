// The code that one console key event stands for.
#pragma once

#include <windows.h>

// What a key event yields: the key's code, or nothing for events that are not key presses.
inline constexpr int NOT_A_KEY_PRESS = -2;

// The code of a console key event: NOT_A_KEY_PRESS for a key release or a modifier key pressed
// alone; for a key with a character, that character's code (1 to 255) in the console's code page;
// for a special key, the first code of the console's two-code convention: 0xE0 for the enhanced
// keys (arrows, Home, End, Insert, Delete, Page Up and Down), 0 for the others (F1 to F10 and the
// like, and a key whose character is NUL).
int KeyCodeOf(const KEY_EVENT_RECORD& key);
