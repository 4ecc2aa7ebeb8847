// Interrupt and termination signals (SIGINT, SIGTERM). While the program waits at a prompt,
// every output file has been flushed, so a signal there ends the process at once as the signal
// would by default. While the program works, the signal is only noted: the work stops at the
// next array in the orderly way, so that no output file keeps a half-written line.
#pragma once

// Installs the handler for SIGINT and SIGTERM (the entry point only; tests never do).
void install_stop_signals();
// The signal that arrived while the program worked and has not been acted on, or 0.
int stop_signal_received();
// Stops the program when a signal arrived while it worked: code "Interrupted.", exit status
// 128 + the signal number, as a shell reports a process ended by that signal.
void stop_if_signalled();

// Marks the time the program waits for an answer: a signal then ends the process at once.
// Acts on a signal that arrived before (stop_if_signalled) when it begins.
class Waiting_for_answer {
 public:
  Waiting_for_answer();
  ~Waiting_for_answer();
  Waiting_for_answer(const Waiting_for_answer&) = delete;
  Waiting_for_answer& operator=(const Waiting_for_answer&) = delete;
};
