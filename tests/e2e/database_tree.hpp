// Small database trees written by the tests themselves (through write_order), options files set up through the
// options record, and whole sessions of the program run in-process.
#pragma once

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Read_Database/Program_state.hpp"
#include "tests/support/Test_database.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_main.hpp"
#include "tests/support/test_support.hpp"

inline const std::string six_log_lines =
    "Costas arrays of order 4\n"
    "  Number of unique Costas arrays: 3\n"
    "Number of essential Costas arrays: 1\n"
    "2 symmetrical Costas arrays\n"
    "0  G-symmetrical Costas arrays\n"
    "Number of unique G-symmetrical arrays: 0\n";

// The echo of six_log_lines on the console.
inline std::vector<std::string> log_echo() {
  std::vector<std::string> lines;
  for (const auto& line : split_lines(six_log_lines)) {
    lines.emplace_back(1, ' ');
    lines.back() += trim(line);
  }
  return lines;
}

// The generated database of order 4: three arrays, two symmetrical, no G-symmetrical.
inline Order_files generated_order_4() {
  Order_files f;
  f.all = "   3   4\n1 2 4 3\nPolymorph: 1 3 4 2\n  Polymorph: 2 4 3 1\n";
  f.all_methods = "   3   4\n 00000002\n 11000002\n 04000080\n";
  f.essential = "1 2 4 3\n";
  f.essential_methods = " 00000002\n";
  f.symmetrical = "1 2 4 3\nPolymorph: 1 3 4 2\n";
  f.symmetrical_methods = " 10000002\n 11000002\n";
  f.g_symmetrical = "No G-symmetrical Costas arrays.\n";
  f.log = six_log_lines;
  return f;
}

// Order 4 of the generated database with an essential set of three arrays flagged Welch 0,
// Welch 1 and Welch 2, and no arrays in the other classes.
inline Order_files three_essential_arrays() {
  Order_files f;
  f.all = "3 0\nNo Costas arrays.\n";
  f.all_methods = "3 0\n";
  f.essential = "1 2 4 3\n1 3 4 2\n2 4 3 1\n";
  f.essential_methods = " 00000002\n 00000004\n 00000008\n";
  f.symmetrical = "No symmetrical Costas arrays.\n";
  f.g_symmetrical = "No G-symmetrical Costas arrays.\n";
  f.log = six_log_lines;
  return f;
}

// The line that ends a run without a method filter on generated_order_4 (symmetry classes 1 to
// 4): the order holds fewer arrays, or other ones, than the count tables list.
inline std::string order_4_count_line(int symmetry_type) {
  const char* const lines[] = {
      "The database file held 3 arrays of order 4; the count tables list 12.",
      "The database file held 1 essential array of order 4; the count tables list 2.",
      "The database file held 2 symmetrical arrays of order 4; the count tables list 1.",
      "The database file held 0 G-symmetrical arrays of order 4; the count tables list 8."};
  return lines[symmetry_type - 1];
}
// The same line for three_essential_arrays, whose essential set holds one array more.
inline const std::string three_essential_count_line =
    "The database file held 3 essential arrays of order 4; the count tables list 2.";

// Writes the options file of dir: the defaults with the database in dir/db/, the output text
// file out.txt, REWIND, and whatever change makes.
inline void set_options(const std::filesystem::path& dir,
                        const std::function<void(Options&)>& change) {
  Working_dir cwd(dir);
  Scripted_console quiet;
  Program_state state(quiet.console);
  set_default_options(state.options, state.number_theory);
  state.options.database_path = (dir / "db").string() + "/";
  state.options.output_pathname = "out.txt";
  state.options.output_position = "REWIND";
  change(state.options);
  save_options(state.options, state.console, state.pause);
}

struct Session {
  std::vector<std::string> lines;
  std::string err;
  int status = -1;

  // The lines of each run: after the menu's prompt up to the "Done?" question.
  std::vector<std::vector<std::string>> runs() const {
    std::vector<std::vector<std::string>> all;
    bool inside = false;
    for (const auto& line : lines) {
      if (line == "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:") {
        all.emplace_back();
        inside = true;
      } else if (line == " Done (Y for yes, N for no)?") {
        inside = false;
      } else if (inside) {
        all.back().push_back(line);
      }
    }
    return all;
  }
};

// Agrees, proceeds from the menu and answers the rest of input.
inline Session run_session(const std::filesystem::path& dir, const std::string& input) {
  Working_dir cwd(dir);
  std::istringstream in("Y\n0\n" + input);
  std::ostringstream out, err;
  Session session;
  session.status = run_vellumcairn(in, out, err);
  session.lines = split_lines(out.str());
  session.err = err.str();
  return session;
}

inline std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
