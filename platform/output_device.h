// What the platform tells about standard output, for choosing how to buffer it.
#pragma once

// Whether standard output is a character device: a terminal or console, or the null device.
bool StandardOutputIsCharacterDevice();

// Makes a write that fails because its reader has gone fail like any other write, instead of
// ending the process.
void KeepFailedWritesHarmless();
