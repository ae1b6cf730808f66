#include "platform/windows/key_event.h"

namespace {

constexpr int ENHANCED_KEY_PREFIX = 0xE0;
constexpr int SPECIAL_KEY_PREFIX = 0x00;

bool IsModifierAlone(WORD virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

}  // namespace

int KeyCodeOf(const KEY_EVENT_RECORD& key) {
  if (!key.bKeyDown || IsModifierAlone(key.wVirtualKeyCode)) {
    return NOT_A_KEY_PRESS;
  }
  const auto character = static_cast<unsigned char>(key.uChar.AsciiChar);
  if (character != 0) {
    return character;
  }
  return (key.dwControlKeyState & ENHANCED_KEY) != 0 ? ENHANCED_KEY_PREFIX : SPECIAL_KEY_PREFIX;
}
