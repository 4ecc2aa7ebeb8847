// The console: every prompt and report goes through one Console over three streams, so that
// tests can drive whole dialogues with string streams.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

class Console {
 public:
  Console(std::istream& in, std::ostream& out, std::ostream& err);

  void line(std::string_view text);   // writes text and a line break to standard output
  void write(std::string_view text);  // writes text without ending the line
  // Flushes standard output and reads one whole input line (a trailing CR is dropped).
  // End of input stops the program: "End of input." on the error stream, exit status 1.
  std::string read_line();
  void flush();                       // flushes standard output

  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};
