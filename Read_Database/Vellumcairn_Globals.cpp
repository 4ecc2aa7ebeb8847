#include "Read_Database/Vellumcairn_Globals.hpp"

#include "_Library/Console_io.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

void Status_line::show_message() {
  const std::string_view text = trim_right(message_line);
  console_.line(text);
  if (text_output != nullptr && text_output->is_open()) text_output->write_line(text);
}

void Status_line::show(std::string_view text) {
  message_line.assign(text.substr(0, message_line_length));
  show_message();
}
