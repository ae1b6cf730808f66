// tickbench: times dependent chains of integer instructions in ticks of the time-stamp counter,
// reports them, waits for one key and exits with that key's code.
#include "driver/benchmark_run.h"
#include "driver/report.h"
#include "platform/console_input.h"
#include "platform/standard_output.h"

int main() {
  ConfigureStandardOutput();
  PrepareConsoleInput();

  RunTests(BaselineTest, MeasuredTests);

  WriteLine(CLOSING_PROMPT);
  return ReadKey();
}
