#include "_Library/Pause_m.hpp"

#include "_Library/Console_io.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"

namespace {

constexpr std::size_t text_width = 80;
constexpr std::string_view cut_characters("?%\\\0", 4);

// The question as both questions start from it: at most 80 characters, leading blanks
// removed, blank-padded to 80.
std::string padded_question(std::string_view question) {
  return pad_right(trim_left(question.substr(0, text_width)), text_width);
}

}  // namespace

Pause_m::Pause_m(Console& console) : console_(console) {
  pause_enabled.fill(true);
  pause_enabled[0] = false;
}

bool Pause_m::ask(std::string_view shown, std::string_view suffix, bool allow_stop) {
  const std::string prompt = free_form(shown, suffix);
  for (;;) {
    console_.line(prompt);
    // The answer is the first word of the next non-empty input line.
    std::string answer;
    do {
      answer = std::string(trim_left(console_.read_line()));
    } while (answer.empty());
    const std::string word = answer.substr(0, std::min(answer.find_first_of(" ,/\t"), text_width));
    const char first = word.empty() ? ' ' : word.front();
    if (first == 'n' || first == 'N') return false;
    if (first == 'y' || first == 'Y') return true;
    if (allow_stop && (first == 's' || first == 'S' || first == 'q' || first == 'Q')) {
      stop_with_code("2");
    }
  }
}

bool Pause_m::ask_yes_no(std::string_view question) {
  const std::string padded = padded_question(question);
  const auto cut = padded.find_first_of(cut_characters);
  const std::string_view shown = std::string_view(padded).substr(0, cut);
  return ask(shown, " (Y for yes, N for no)?", false);
}

bool Pause_m::ask_yes_no_stop(std::string_view question) {
  const std::string padded = padded_question(question);
  const auto cut = padded.find_last_of(cut_characters);
  const std::string_view shown =
      cut == std::string::npos ? trim_right(padded) : std::string_view(padded).substr(0, cut);
  return ask(shown, " (Y for yes, N for no, Q or S to stop)?", true);
}

void Pause_m::agree_or_stop(std::string_view question) {
  if (!ask_yes_no(trim_right(question))) stop_with_code("");
}

void Pause_m::pause_or_run(int index) {
  if (index < 0 || index > 100) {
    console_.line("###Error in pause_or_run, index out of bounds");
    console_.line("Maximum allowable is" + fixed_int(100, 3) + "input is:" + fixed_int(index, 4));
    stop_with_code("2");
  }
  const auto slot = static_cast<std::size_t>(index);
  if (!pause_enabled[slot]) return;
  console_.write("Conditional pause" + fixed_int(index, 3) + ", ");
  pause_enabled[slot] = ask_yes_no_stop("Continue pausing?");
}
