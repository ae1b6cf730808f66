#include "platform/posix/terminal_mode.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

// Shared with the signal handlers, which may run at any point.
int g_tty = -1;
termios g_savedMode{};
volatile std::sig_atomic_t g_phase = static_cast<int>(TerminalPhase::Run);
// Whether the terminal may hold one of our modes, so that the saved one must be put back.
volatile std::sig_atomic_t g_changed = 0;

// Signals whose default action ends the process; each restores the mode first.
constexpr int TERMINATING_SIGNALS[] = {
    SIGHUP,  SIGINT,    SIGQUIT, SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,
    SIGFPE,  SIGUSR1,   SIGSEGV, SIGUSR2, SIGALRM, SIGTERM,   SIGXCPU,
    SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS,  SIGIO,   SIGSTKFLT, SIGPWR,
};

// A process outside the terminal's foreground group that sets its mode is stopped by SIGTTOU, so
// the mode is only changed from the foreground.
bool InForeground() { return tcgetpgrp(g_tty) == getpgrp(); }

void Apply(const termios& mode) {
  while (tcsetattr(g_tty, TCSANOW, &mode) != 0 && errno == EINTR) {
  }
}

termios PhaseMode(const termios& saved) {
  termios mode = saved;
  mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);
  mode.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | ISTRIP | IXON);
  if (g_phase == static_cast<int>(TerminalPhase::Wait)) {
    mode.c_lflag &= ~static_cast<tcflag_t>(ISIG);
  }
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VTIME] = 0;
  return mode;
}

// Takes the terminal into the current phase's mode. The mode to put back is the one the terminal
// has when we take it: after a stop, that is the mode the shell gave the job when it continued.
void ApplyPhase() {
  if (g_changed == 0) {
    if (tcgetattr(g_tty, &g_savedMode) != 0) {
      return;
    }
    g_changed = 1;
  }
  Apply(PhaseMode(g_savedMode));
}

void RestoreFromHandler() {
  if (g_changed != 0 && InForeground()) {
    Apply(g_savedMode);
    g_changed = 0;
  }
}

// Handles `signal` with `handler`, unless the process was started with the signal ignored (as a
// shell starts background commands without job control), in which case it stays ignored.
void Install(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  if (sigaction(signal, &action, &previous) == 0 && previous.sa_handler == SIG_IGN) {
    sigaction(signal, &previous, nullptr);
  }
}

// Restores the mode, then lets the signal end the process as it would have without us: the
// re-raised signal stays blocked until the handler returns and then takes its default action.
void OnTerminatingSignal(int signal) {
  RestoreFromHandler();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Restores the mode and stops; on continuing, takes the mode of the current phase again.
void OnStopSignal(int) {
  const int savedErrno = errno;
  RestoreFromHandler();
  std::signal(SIGTSTP, SIG_DFL);
  std::raise(SIGTSTP);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);  // the process stops here
  sigprocmask(SIG_BLOCK, &stop, nullptr);
  Install(SIGTSTP, OnStopSignal);
  if (InForeground()) {
    ApplyPhase();
  }
  errno = savedErrno;
}

// The shell puts its own mode back while a job is stopped; take ours again when continued in the
// foreground (in the background the terminal is not ours to change).
void OnContinueSignal(int) {
  const int savedErrno = errno;
  if (InForeground()) {
    ApplyPhase();
  }
  errno = savedErrno;
}

// Returns once the process is in the terminal's foreground group. A background job is stopped by
// SIGTTOU here, as an interactive program is, and goes on when it is brought to the foreground.
void WaitForForeground() {
  while (!InForeground()) {
    if (tcdrain(g_tty) != 0 && errno == EINTR) {
      continue;
    }
    return;  // in the foreground now, or SIGTTOU is ignored and the mode may be changed anyway
  }
}

}  // namespace

bool TakeTerminal(int tty) {
  termios current{};
  if (tcgetattr(tty, &current) != 0) {
    return false;
  }
  g_tty = tty;

  for (const int signal : TERMINATING_SIGNALS) {
    Install(signal, OnTerminatingSignal);
  }
  Install(SIGTSTP, OnStopSignal);
  Install(SIGCONT, OnContinueSignal);

  if (InForeground()) {
    ApplyPhase();
  }
  return true;
}

void EnterTerminalPhase(TerminalPhase phase) {
  g_phase = static_cast<int>(phase);
  WaitForForeground();
  ApplyPhase();
}

void RestoreTerminal() {
  if (g_changed != 0) {
    Apply(g_savedMode);
    g_changed = 0;
  }
}
