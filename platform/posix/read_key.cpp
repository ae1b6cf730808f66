#include <fcntl.h>
#include <unistd.h>

#include "platform/console_input.h"
#include "platform/posix/key_reader.h"
#include "platform/posix/terminal_mode.h"

namespace {

int g_console = -1;

// The controlling terminal, on a descriptor above the standard three: should one of those be
// closed, the terminal must not take its place and receive what is written there.
int OpenControllingTerminal() {
  const int tty = open("/dev/tty", O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (tty < 0 || tty > STDERR_FILENO) {
    return tty;
  }
  const int high = fcntl(tty, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  close(tty);
  return high;
}

}  // namespace

void PrepareConsoleInput() {
  const int tty = OpenControllingTerminal();
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
