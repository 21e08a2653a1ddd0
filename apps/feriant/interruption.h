#pragma once
// Ctrl-C and SIGTERM during import and remove: the run stops without saving anything.
//
// main calls WatchForInterrupts before anything touches a file, and the commands that
// do not write give the signals back their default action (StopWatchingForInterrupts).
// In the commands that write, an interrupt is only recorded (platform/base/interrupt.h),
// and the run is left at the next point where nothing has been saved: while the file is
// read, when the run shows progress or an error, or when the command is about to save.
// A save that an interrupt reaches is refused before its rename (the file, its temporary
// file and its lock are left as they were before). An interrupt that arrives once the
// file is saved changes nothing: the command ends as it would have. main's thread.

#include <ostream>
#include <string>

namespace feriant::cli {

// What a command says when it stops for an interrupt.
inline constexpr const char* kInterruptedMessage = "interrupted, nothing was saved";

// Records SIGINT and SIGTERM from now on.
void WatchForInterrupts();

// Gives SIGINT and SIGTERM their default action again; one that arrived meanwhile ends
// the process now, as it would have without WatchForInterrupts.
void StopWatchingForInterrupts();

// When an interrupt has arrived: says kInterruptedMessage on `err` and ends the process
// at once with 128 + the signal (130, 143). No destructor runs, so nothing written so
// far in memory reaches a file. Call it only where nothing has been saved.
void LeaveIfInterrupted(std::ostream& err);

// The edited file whose stale lock (one a killed run left, held by nobody) an interrupted
// run takes away too, as a run that ends otherwise does; empty for none.
void RemoveStaleLockOnInterrupt(std::string file);

}  // namespace feriant::cli
