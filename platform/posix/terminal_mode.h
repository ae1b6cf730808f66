// The terminal's input mode while tickbench holds it, and its return to the user's mode.
#pragma once

enum class TerminalPhase {
  // The tests run: no echo, no line editing, no input translation, so keys pressed now are
  // queued exactly as the key wait would read them; Ctrl+C, Ctrl+\ and Ctrl+Z still act.
  Run,
  // The key wait: as Run, with the signal keys off too, so that Ctrl+C is a key (3).
  Wait,
};

// Takes terminal `tty` into the Run mode, if the process is in its foreground (a background job
// takes it when brought to the foreground), and arranges for the mode it had to come back before
// the process ends by a signal or stops by SIGTSTP; ours is taken again when it continues.
// Returns false, changing nothing, when `tty` has no terminal mode.
bool TakeTerminal(int tty);

// Takes the terminal into the mode of `phase`. A background job stops here, as interactive
// programs do, until it is brought to the foreground.
void EnterTerminalPhase(TerminalPhase phase);

// Puts back the mode saved by TakeTerminal.
void RestoreTerminal();
