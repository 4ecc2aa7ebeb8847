// Yes/no questions, agreement before going on, and conditional pauses that the user can switch
// off one by one.
#pragma once

#include <array>
#include <string_view>

class Console;

class Pause_m {
 public:
  explicit Pause_m(Console& console);

  bool ask_yes_no(std::string_view question);       // true for Y, false for N; asks again otherwise
  bool ask_yes_no_stop(std::string_view question);  // as ask_yes_no; Q or S stops with code "2"
  void agree_or_stop(std::string_view question);    // returns on Y; N ends the program silently
  void pause_or_run(int index);                     // index outside 0..100 stops with code "2"

  std::array<bool, 101> pause_enabled;              // switch 0 off, 1..100 on at start

 private:
  bool ask(std::string_view shown, std::string_view suffix, bool allow_stop);
  Console& console_;
};
