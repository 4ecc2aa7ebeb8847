#include "_Library/Stop_signals.hpp"

#include <csignal>
#include <string>

#include "_Library/Program_stop.hpp"

namespace {

// A signal handler can reach no object of the program: these two flags are the only state
// kept at namespace scope, and the handler touches nothing else.
volatile std::sig_atomic_t signal_received = 0;
volatile std::sig_atomic_t waiting_for_answer = 0;

extern "C" void on_stop_signal(int signal_number) {
  if (waiting_for_answer != 0) {
    // Everything was flushed before the prompt: end as the signal's default action would.
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
    return;
  }
  signal_received = signal_number;
}

}  // namespace

void install_stop_signals() {
  std::signal(SIGINT, on_stop_signal);
  std::signal(SIGTERM, on_stop_signal);
}

int stop_signal_received() { return signal_received; }

void stop_if_signalled() {
  const int signal_number = signal_received;
  if (signal_number == 0) return;
  signal_received = 0;
  stop_with_code("Interrupted.", 128 + signal_number);
}

Waiting_for_answer::Waiting_for_answer() {
  waiting_for_answer = 1;
  if (signal_received != 0) {
    waiting_for_answer = 0;
    stop_if_signalled();
  }
}

Waiting_for_answer::~Waiting_for_answer() { waiting_for_answer = 0; }
