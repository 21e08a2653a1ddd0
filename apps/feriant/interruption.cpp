#include "apps/feriant/interruption.h"

#include <cstdlib>
#include <iostream>

#include "platform/base/interrupt.h"

namespace feriant::cli {

void WatchForInterrupts() {
  base::InstallInterruptHandlers();
}

void LeaveIfInterrupted(std::ostream& err) {
  const int signal = base::InterruptSignal();
  if (signal == 0) return;
  std::cout.flush();
  err << kInterruptedMessage << '\n';
  err.flush();
  std::_Exit(base::InterruptExitStatus(signal));
}

}  // namespace feriant::cli
