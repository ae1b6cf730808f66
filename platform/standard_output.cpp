#include "platform/standard_output.h"

#include <cstdio>

#include "platform/output_device.h"

namespace {

constexpr std::size_t OUTPUT_BUFFER_BYTES = 4096;

}  // namespace

void ConfigureStandardOutput() {
  KeepFailedWritesHarmless();
  if (StandardOutputIsCharacterDevice()) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return;
  }
  static char buffer[OUTPUT_BUFFER_BYTES];
  if (std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer) != 0) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }
}
