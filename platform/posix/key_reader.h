// Reading one whole key from a terminal in non-canonical mode.
#pragma once

// Reads one key from `tty` and returns its first byte (0 to 255), or -1 when the terminal cannot
// be read. The rest of the key is consumed: the bytes of an escape sequence after its ESC, and
// the continuation bytes of a UTF-8 character. Nothing past the key is read.
int ReadWholeKey(int tty);
