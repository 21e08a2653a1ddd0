#include "platform/base/interrupt.h"

#include <atomic>
#include <csignal>

#include <signal.h>

namespace feriant::base {
namespace {

volatile std::sig_atomic_t g_signal = 0;
std::atomic<bool> g_installed{false};

extern "C" void RecordSignal(int signal) {
  g_signal = signal;
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action {};
  action.sa_handler = RecordSignal;
  sigemptyset(&action.sa_mask);
  // SA_RESTART: a signal must not make a read or write fail that the program would then
  // report as an error of the file. SA_RESETHAND: the second signal ends the program.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  g_installed = true;
  // A program may be started with them blocked; one already pending is recorded now.
  sigset_t both;
  sigemptyset(&both);
  sigaddset(&both, SIGINT);
  sigaddset(&both, SIGTERM);
  ::pthread_sigmask(SIG_UNBLOCK, &both, nullptr);
}

void RestoreDefaultInterrupts() {
  g_installed = false;
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  if (const int signal = g_signal; signal != 0) std::raise(signal);
}

int InterruptSignal() {
  return g_signal;
}

void ClearInterrupt() {
  g_signal = 0;
  if (g_installed) InstallInterruptHandlers();
}

int InterruptExitStatus(int signal) {
  return 128 + signal;
}

}  // namespace feriant::base
