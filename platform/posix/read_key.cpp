#include <fcntl.h>
#include <unistd.h>

#include "platform/console_input.h"
#include "platform/posix/key_reader.h"
#include "platform/posix/terminal_mode.h"

namespace {

int g_console = -1;

}  // namespace

void PrepareConsoleInput() {
  // Read-only: should standard output be closed and this descriptor take its number, writes to
  // standard output still fail instead of reaching the terminal.
  const int tty = open("/dev/tty", O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) {
    return;
  }
  if (!TakeTerminal(tty)) {
    close(tty);
    return;
  }
  g_console = tty;
}

int ReadKey() {
  if (g_console < 0) {
    return -1;
  }
  EnterTerminalPhase(TerminalPhase::Wait);
  const int key = ReadWholeKey(g_console);
  RestoreTerminal();
  return key;
}
