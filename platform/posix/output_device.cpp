#include "platform/output_device.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

bool StandardOutputIsCharacterDevice() {
  struct stat info {};
  return fstat(STDOUT_FILENO, &info) == 0 && S_ISCHR(info.st_mode);
}

// A write to a pipe without a reader then fails with EPIPE instead of raising SIGPIPE, which
// would end the process before the key could be read.
void KeepFailedWritesHarmless() { std::signal(SIGPIPE, SIG_IGN); }
