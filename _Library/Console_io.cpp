#include "Console_io.hpp"

#include <istream>
#include <ostream>

#include "Program_stop.hpp"

Console::Console(std::istream& in, std::ostream& out, std::ostream& err)
    : in_(in), out_(out), err_(err) {}

void Console::line(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.put('\n');
}

void Console::write(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void Console::flush() { out_.flush(); }

std::string Console::read_line() {
  out_.flush();
  std::string line;
  if (!std::getline(in_, line)) {
    // A script that ran out of answers: end in the orderly way and say so.
    stop_with_code("End of input.", 1);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}
