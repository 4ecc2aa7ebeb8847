// Run data shared by the program's units: the status message line (and, beside it, the
// database files and output files of one run).
#pragma once

#include <string>
#include <string_view>

class Console;
class Text_output;

// The status message line: composed by a caller, shown by show_message on the console and,
// while a run has its output text file open, written to that file as well.
class Status_line {
 public:
  explicit Status_line(Console& console) : console_(console) {}

  // Writes message_line without trailing blanks as one console line, and as one line of the
  // output text file when text_output_open is true.
  void show_message();
  // message_line = text (cut at 132 characters), then show_message.
  void show(std::string_view text);

  std::string message_line;             // the message being composed
  bool text_output_open = false;        // set and cleared by the output files of a run
  Text_output* text_output = nullptr;   // the output text file while text_output_open

 private:
  Console& console_;
};

constexpr std::size_t message_line_length = 132;
