// A dialogue with the options menu or one of its prompts in a fresh working folder: an options
// file is written first, the answers are fed in, and the screen, the options and any stop are
// kept for the checks.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Read_Database/Program_state.hpp"
#include "Read_Database/Vellumcairn_Option_prompts.hpp"
#include "_Library/Program_stop.hpp"
#include "tests/support/test_support.hpp"

// The menu and its prompts as steps of a session: each hands its function the parts of the
// program state it takes.
namespace steps {
inline void options_menu(Program_state& s) {
  ::options_menu(s.options, s.dialogue, s.number_theory);
}
inline void show_help(Program_state& s) { ::show_help(s.options, s.dialogue, s.number_theory); }
inline void load_options(Program_state& s) {
  ::load_options(s.options, s.dialogue, s.number_theory);
}
inline void ask_ca_order(Program_state& s) { ::ask_ca_order(s.options, s.console); }
inline void ask_filter_method(Program_state& s) { ::ask_filter_method(s.options, s.console); }
inline void ask_symmetry_type(Program_state& s) { ::ask_symmetry_type(s.options, s.console); }
inline void toggle_gf_polynomial(Program_state& s) {
  ::toggle_gf_polynomial(s.options, s.number_theory);
}
inline void ask_gf_order(Program_state& s) {
  ::ask_gf_order(s.options, s.dialogue, s.number_theory);
}
}  // namespace steps

struct Menu_session {
  explicit Menu_session(const std::string& answers) : script(answers) {}

  // Writes the options file: the defaults, changed by edit.
  static void write_options(const std::function<void(Options&)>& edit = [](Options&) {}) {
    Scripted_console scratch;
    Program_state defaults(scratch.console);
    set_default_options(defaults.options, defaults.number_theory);
    edit(defaults.options);
    save_options(defaults.options, defaults.console, defaults.pause);
  }

  // Runs step; a stop of the program is caught and kept.
  void run(const std::function<void(Program_state&)>& step) {
    try {
      step(state);
    } catch (const Program_stop& stop) {
      stopped = true;
      stop_code = stop.code;
    }
  }

  std::vector<std::string> lines() const { return script.lines(); }
  long count(const std::string& line) const {
    const auto all = lines();
    return std::count(all.begin(), all.end(), line);
  }
  bool input_used_up() { return script.in.peek() == EOF; }

  Temp_dir dir;
  Working_dir here{dir.path()};
  Scripted_console script;
  Program_state state{script.console};
  bool stopped = false;
  std::string stop_code;
};
