#pragma once
// Interrupts: SIGINT (Ctrl-C) and SIGTERM as a request to stop, answered at safe points
// instead of by dying halfway through replacing a person's file.
//
// A program that wants this calls InstallInterruptHandlers once; from then on the first
// of the two signals is only recorded, and a second one has its default effect again (a
// way out of a program that does not stop). Work that takes long asks InterruptSignal at
// its safe points and stops without saving. ReplaceFile (file.h) asks before each step
// and, with both signals held back, once more right before its rename: an interrupt
// either prevents the replacement or arrives once it is complete. Without the handlers
// both signals keep their default action. Process-wide; safe to ask from any thread.

namespace feriant::base {

// Records SIGINT and SIGTERM from now on (see above), unblocking them for the calling
// thread, so that one pending since the program started is recorded at once. Calling it
// again re-arms both.
void InstallInterruptHandlers();

// The signal recorded (SIGINT or SIGTERM), or 0 when none arrived.
int InterruptSignal();

// Gives both signals their default action again; a signal recorded meanwhile then takes
// that action at once. For a program that installed the handlers before it knew whether
// it would write anything, and then does not.
void RestoreDefaultInterrupts();

// Forgets a recorded signal and re-arms the handlers if they were installed.
void ClearInterrupt();

// The exit status of a program that stopped because of `signal`: 128 + signal, as a
// shell reports a program the signal ended (130 for SIGINT, 143 for SIGTERM).
int InterruptExitStatus(int signal);

}  // namespace feriant::base
