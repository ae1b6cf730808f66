// How the report reaches standard output.
#pragma once

// A character device (a terminal, the null device) gets every write at once. A file or a pipe
// gets a 4096-byte buffer, written when it fills or when the process exits; if no buffer can be
// set up, writes go out unbuffered. Failed writes, a pipe whose reader has gone included, are
// ignored: they never end the process.
void ConfigureStandardOutput();
