// The codes of Windows console key events, from synthetic events.
#include "platform/windows/key_event.h"

#include <gtest/gtest.h>

namespace {

struct KeyEventCase {
  const char* what;
  BOOL down;
  WORD virtualKey;
  char character;
  DWORD controlKeys;
  int code;
};

const KeyEventCase KEY_EVENTS[] = {
    {"a letter", TRUE, 'Q', 'q', 0, 'q'},
    {"Enter", TRUE, VK_RETURN, '\r', 0, 13},
    {"Ctrl+C with processed input off", TRUE, 'C', '\x03', LEFT_CTRL_PRESSED, 3},
    {"Escape", TRUE, VK_ESCAPE, '\x1B', 0, 27},
    {"a character above 127 in the code page", TRUE, 0, static_cast<char>(0xE9), 0, 0xE9},
    {"Up, an enhanced key", TRUE, VK_UP, 0, ENHANCED_KEY, 0xE0},
    {"Delete, an enhanced key", TRUE, VK_DELETE, 0, ENHANCED_KEY | NUMLOCK_ON, 0xE0},
    {"F1", TRUE, VK_F1, 0, 0, 0},
    {"Up on the numeric keypad", TRUE, VK_UP, 0, 0, 0},
    {"Ctrl+Space, whose character is NUL", TRUE, VK_SPACE, 0, LEFT_CTRL_PRESSED, 0},
    {"a key release", FALSE, 'Q', 'q', 0, NOT_A_KEY_PRESS},
    {"Shift alone", TRUE, VK_SHIFT, 0, SHIFT_PRESSED, NOT_A_KEY_PRESS},
    {"Ctrl alone", TRUE, VK_CONTROL, 0, LEFT_CTRL_PRESSED, NOT_A_KEY_PRESS},
    {"Alt alone", TRUE, VK_MENU, 0, LEFT_ALT_PRESSED, NOT_A_KEY_PRESS},
    {"Caps Lock", TRUE, VK_CAPITAL, 0, CAPSLOCK_ON, NOT_A_KEY_PRESS},
    {"the Windows key", TRUE, VK_LWIN, 0, 0, NOT_A_KEY_PRESS},
};

TEST(KeyEvent, GivesTheCodeOfEachKeyPressAndSkipsTheRest) {
  for (const KeyEventCase& c : KEY_EVENTS) {
    KEY_EVENT_RECORD key{};
    key.bKeyDown = c.down;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = c.virtualKey;
    key.uChar.AsciiChar = c.character;
    key.dwControlKeyState = c.controlKeys;
    EXPECT_EQ(KeyCodeOf(key), c.code) << c.what;
  }
}

}  // namespace
