#include <windows.h>

#include "platform/console_input.h"
#include "platform/windows/key_event.h"

// The console keeps key presses as input events until they are read, and echoes nothing while
// no read is pending, so keys pressed during the run are already kept as they are.
void PrepareConsoleInput() {}

int ReadKey() {
  const HANDLE console =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) {
    return -1;
  }
  DWORD previousMode = 0;
  if (!GetConsoleMode(console, &previousMode)) {
    CloseHandle(console);
    return -1;
  }
  // No line input, no echo, and no processing of Ctrl+C, which then arrives as a key (3).
  SetConsoleMode(console, previousMode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT |
                                                             ENABLE_PROCESSED_INPUT));
  // Mouse, window, focus and menu events, key releases and modifiers alone are skipped.
  int key = -1;
  INPUT_RECORD event{};
  DWORD count = 0;
  while (ReadConsoleInputA(console, &event, 1, &count) && count == 1) {
    if (event.EventType == KEY_EVENT) {
      const int code = KeyCodeOf(event.Event.KeyEvent);
      if (code != NOT_A_KEY_PRESS) {
        key = code;
        break;
      }
    }
  }
  SetConsoleMode(console, previousMode);
  CloseHandle(console);
  return key;
}
