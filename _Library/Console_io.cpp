#include "_Library/Console_io.hpp"

#include <istream>
#include <ostream>
#include <string>

#include "_Library/Program_stop.hpp"
#include "_Library/Stop_signals.hpp"

namespace {

constexpr std::size_t max_answer_length = 1 << 16;

}  // namespace

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
  if (before_read_) before_read_();
  std::string line;
  bool answered = false;
  {
    Waiting_for_answer waiting;
    // The prompt shows only once the files are flushed and a signal would end the wait.
    out_.flush();
    // No answer uses more than its first few hundred characters; keeping at most a fixed
    // number of them lets an endless line cost no memory.
    for (int c = in_.get(); c != std::char_traits<char>::eof(); c = in_.get()) {
      answered = true;
      if (c == '\n') break;
      if (line.size() < max_answer_length) line.push_back(static_cast<char>(c));
    }
  }
  if (!answered) {
    // A script that ran out of answers: end in the orderly way and say so.
    stop_with_code("End of input.", 1);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}
