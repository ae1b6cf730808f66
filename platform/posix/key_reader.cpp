#include "platform/posix/key_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int NO_BYTE = -1;
constexpr int ESCAPE = 0x1B;

// How long to wait for the next byte of a key. A terminal sends a key's bytes together, so a
// longer gap after ESC means the Escape key itself was pressed.
constexpr int KEY_GAP_MILLISECONDS = 100;

int ReadByte(int tty) {
  unsigned char byte = 0;
  for (;;) {
    const ssize_t count = read(tty, &byte, 1);
    if (count == 1) {
      return byte;
    }
    if (count < 0 && errno == EINTR) {
      continue;
    }
    return NO_BYTE;  // hang-up (end of file) or a read error
  }
}

// The next byte of the current key, or NO_BYTE when none arrives within the key gap.
int ReadFollowingByte(int tty) {
  pollfd wait{tty, POLLIN, 0};
  int ready = 0;
  do {
    ready = poll(&wait, 1, KEY_GAP_MILLISECONDS);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0 || (wait.revents & POLLIN) == 0) {
    return NO_BYTE;
  }
  return ReadByte(tty);
}

int Utf8ContinuationCount(int leadByte) {
  if (leadByte >= 0xC2 && leadByte <= 0xDF) {
    return 1;
  }
  if (leadByte >= 0xE0 && leadByte <= 0xEF) {
    return 2;
  }
  if (leadByte >= 0xF0 && leadByte <= 0xF4) {
    return 3;
  }
  return 0;
}

void ConsumeUtf8Continuation(int tty, int leadByte) {
  for (int i = Utf8ContinuationCount(leadByte); i > 0; --i) {
    const int byte = ReadFollowingByte(tty);
    if (byte < 0x80 || byte > 0xBF) {
      return;
    }
  }
}

bool IsCsiParameterOrIntermediate(int byte) { return byte >= 0x20 && byte <= 0x3F; }

// Consumes what follows an ESC: a control sequence (ESC [ ... final byte, with the Linux
// console's function keys ESC [ [ A to E), a single-shift sequence (ESC O x), or the key that
// Alt was held with (ESC x). Nothing follows an Escape key pressed on its own.
void ConsumeEscapeSequence(int tty) {
  const int introducer = ReadFollowingByte(tty);
  if (introducer == '[') {
    int byte = ReadFollowingByte(tty);
    if (byte == '[') {
      ReadFollowingByte(tty);
      return;
    }
    while (IsCsiParameterOrIntermediate(byte)) {
      byte = ReadFollowingByte(tty);
    }
  } else if (introducer == 'O') {
    ReadFollowingByte(tty);
  } else if (introducer != NO_BYTE) {
    ConsumeUtf8Continuation(tty, introducer);
  }
}

}  // namespace

int ReadWholeKey(int tty) {
  const int first = ReadByte(tty);
  if (first == ESCAPE) {
    ConsumeEscapeSequence(tty);
  } else if (first != NO_BYTE) {
    ConsumeUtf8Continuation(tty, first);
  }
  return first;
}
