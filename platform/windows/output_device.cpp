#include "platform/output_device.h"

#include <windows.h>

// The console, and the NUL device, are character devices.
bool StandardOutputIsCharacterDevice() {
  return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

// Windows sends no signal for a write to a pipe without a reader: the write simply fails.
void KeepFailedWritesHarmless() {}
