// The console key read that ends a run.
#pragma once

// Takes the console into the state in which keys pressed during the run are kept, unechoed and
// untranslated, for ReadKey; Ctrl+C still interrupts the run. The console's previous mode comes
// back when ReadKey returns and on every way the process can end before that. Call it once, at
// the start of the run.
void PrepareConsoleInput();

// Waits for one key at the console itself (not standard input), without echo and without line
// input, and returns its code. Control keys are keys too: Ctrl+C gives 3 and Enter gives 13.
//  - a key that yields a character returns its code, 1 to 255 (for a UTF-8 character, its first
//    byte);
//  - a key that sends an escape sequence (arrows, function keys, Alt+key) returns 27, as does
//    Escape on its own;
//  - a key that yields NUL (Ctrl+Space, Ctrl+@) returns 0;
//  - -1 at once when the console cannot be read (no console, a read error, a hang-up).
// The first key already waiting counts; the rest of its code sequence is consumed, and any later
// key is left for the next reader.
int ReadKey();
