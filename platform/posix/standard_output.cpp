#include "platform/standard_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace {

constexpr std::size_t OUTPUT_BUFFER_BYTES = 4096;

bool IsCharacterDevice(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 && S_ISCHR(info.st_mode);
}

}  // namespace

void ConfigureStandardOutput() {
  // A write to a pipe without a reader then fails with EPIPE, which is ignored like any other
  // failed write, instead of killing the process before the key can be read.
  std::signal(SIGPIPE, SIG_IGN);

  if (IsCharacterDevice(STDOUT_FILENO)) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return;
  }
  static char buffer[OUTPUT_BUFFER_BYTES];
  if (std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer) != 0) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }
}
