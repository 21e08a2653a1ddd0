#include "apps/feriant/interruption.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#include "platform/base/interrupt.h"

namespace feriant::cli {
namespace {

std::string& FolderToRemove() {
  static std::string folder;
  return folder;
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
  if (!FolderToRemove().empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(FolderToRemove(), ignored);
  }
  err << kInterruptedMessage << '\n';
  err.flush();
  std::_Exit(base::InterruptExitStatus(signal));
}

void RemoveFolderOnInterrupt(std::string folder) {
  FolderToRemove() = std::move(folder);
}

}  // namespace feriant::cli
