#include "apps/feriant/interruption.h"

#include <cstdlib>
#include <iostream>
#include <utility>

#include "platform/base/file.h"
#include "platform/base/interrupt.h"

namespace feriant::cli {
namespace {

std::string& FileWhoseLockToRemove() {
  static std::string file;
  return file;
}

}  // namespace

void WatchForInterrupts() {
  base::InstallInterruptHandlers();
}

void StopWatchingForInterrupts() {
  base::RestoreDefaultInterrupts();
}

void LeaveIfInterrupted(std::ostream& err) {
  const int signal = base::InterruptSignal();
  if (signal == 0) return;
  std::cout.flush();
  if (!FileWhoseLockToRemove().empty()) base::RemoveStaleLock(FileWhoseLockToRemove());
  err << kInterruptedMessage << '\n';
  err.flush();
  std::_Exit(base::InterruptExitStatus(signal));
}

void RemoveStaleLockOnInterrupt(std::string file) {
  FileWhoseLockToRemove() = std::move(file);
}

}  // namespace feriant::cli
