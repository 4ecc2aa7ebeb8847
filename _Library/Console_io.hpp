// The console: every prompt and report goes through one Console over three streams, so that
// tests can drive whole dialogues with string streams.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

class Console {
 public:
  Console(std::istream& in, std::ostream& out, std::ostream& err);

  void line(std::string_view text);   // writes text and a line break to standard output
  void write(std::string_view text);  // writes text without ending the line
  // Runs the before-read step, flushes standard output and reads one whole input line (a
  // trailing CR is dropped; of a very long line the first 65536 characters are kept). End of
  // input stops the program: "End of input." on the error stream, exit status 1. A signal
  // noted before the wait stops it too (Stop_signals.hpp).
  std::string read_line();
  void flush();                       // flushes standard output
  // The step run before every wait for an answer (the program flushes its output files there,
  // so that a stop at a prompt loses no line); an empty function removes it.
  void set_before_read(std::function<void()> step) { before_read_ = std::move(step); }

  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  std::function<void()> before_read_;
};
