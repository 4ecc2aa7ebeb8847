// The options file: written byte for byte, read back by position and column, damaged files
// replaced by the defaults, and the two derived settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "tests/support/test_support.hpp"

namespace {

const std::string default_file =
    "This is a computer-generated file.  Edit at your own risk.  \n"
    "A read error will cause this file to be replaced with default options.\n"
    "Option                              Function\n"
    "F                                  ,T => all CAs data base to order 27; F => generated CAs "
    "data base to order 500\n"
    " 129                                ,Order of CAs for output\n"
    "F                                  ,T => filter by generator method; F => output all\n"
    " 0                                  ,If previous T, filter by generator method 1 to 19\n"
    "1                                  ,1 => All, 2 => Essential, 3 => Symmetrical, 4 => "
    "G-Symmetrical\n"
    "0                                  ,0 => Output CAs are row indices from 0 to N-1, 1 => "
    "from 1 to N\n"
    "APPEND                              ,APPEND => append to existing output files; REWIND => "
    "overwrite\n"
    "F                                  ,T => Find generating polynomial in a Galois field.\n"
    " 131                                ,Order of Galois field.\n"
    "D:\\  ,Path for database top-level database folder\n"
    ".\\Vellumcairn_Output.txt  ,Pathname for output text\n"
    "\n"
    "\n";

// A fresh program state in its own working folder.
struct Options_fixture : ::testing::Test {
  Temp_dir dir;
  Working_dir cwd{dir.path()};
  Scripted_console console{"Y\n"};
  Program_state state{console.console};

  std::vector<std::string> load(const std::string& file) {
    write_file(dir / options_file_name, file);
    load_options(state.options, state.dialogue, state.number_theory);
    return console.lines();
  }
};

std::string join_lines(const std::vector<std::string>& lines, const char* end = "\n") {
  std::string file;
  for (const auto& line : lines) file += line + end;
  return file;
}

// The defaults file as this build writes it: the paths follow the path style.
std::string defaults_as_written() {
  if (!unix_paths) return default_file;
  auto lines = split_lines(default_file);
  lines[12] = "/media/Costas Arrays/  ,Path for database top-level database folder";
  lines[13] = "./Vellumcairn_Output.txt  ,Pathname for output text";
  return join_lines(lines);
}

// The default file with line k (1-based) replaced.
std::string with_line(int k, const std::string& text) {
  auto lines = split_lines(default_file);
  lines[static_cast<std::size_t>(k - 1)] = text;
  return join_lines(lines);
}

}  // namespace

TEST_F(Options_fixture, FirstStartWritesTheDefaultsFile) {
  load_options(state.options, state.dialogue, state.number_theory);
  const std::vector<std::string> expected = {
      " Error opening Vellumcairn_Options.txt: 2 no such file or directory",
      "Properly formatted option file does not exist.  Prgram defaults set and written to new "
      "fileVellumcairn_Options.txt",
      "Costas arrays from generators of order 2 to 500",
      "Costas arrays of order 129, method: generated",
      "Costas arrays from generators of order 2 to 500",
      "Costas arrays of order 129, method: generated",
  };
  EXPECT_EQ(console.lines(), expected);
  EXPECT_EQ(read_file(dir / options_file_name), defaults_as_written());
  EXPECT_EQ(state.options.gf_order, 131);
  EXPECT_EQ(state.options.gf_kind, Gf_kind::prime);
}

// Given a folder, the reader and the writer use the options file inside it, and the one in the
// working folder is neither read nor changed.
TEST_F(Options_fixture, AGivenFolderHoldsTheFileReadAndWritten) {
  const std::string here_file = with_line(5, "  25");
  write_file(dir / options_file_name, here_file);
  const std::filesystem::path folder = dir / "elsewhere";
  std::filesystem::create_directory(folder);
  const std::string there = (folder / options_file_name).string();

  // Nothing there yet: the defaults are written there, not taken from the working folder.
  load_options(state.options, state.dialogue, state.number_theory, folder.string());
  EXPECT_EQ(state.options.ca_order, 129);
  const std::vector<std::string> shown = console.lines();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown[0], " Error opening " + there + ": 2 no such file or directory");
  EXPECT_EQ(read_file(folder / options_file_name), defaults_as_written());
  EXPECT_EQ(read_file(dir / options_file_name), here_file);

  // A changed order is written there and read back from there.
  state.options.ca_order = 40;
  save_options(state.options, state.console, state.pause, folder.string());
  EXPECT_EQ(read_file(dir / options_file_name), here_file);
  Scripted_console other;
  Program_state again(other.console);
  load_options(again.options, again.dialogue, again.number_theory, folder.string());
  EXPECT_EQ(again.options.ca_order, 40);
  Scripted_console here_screen;
  Program_state here(here_screen.console);
  load_options(here.options, here.dialogue, here.number_theory);
  EXPECT_EQ(here.options.ca_order, 25);
}

TEST_F(Options_fixture, SavedValuesReadBack) {
  Options& o = state.options;
  o.use_search_db = true;
  o.ca_order = 25;
  o.filter_by_method = true;
  o.filter_method = 12;
  o.symmetry_type = 3;
  o.index_base = 1;
  o.output_position = "REWIND";
  o.find_gf_polynomial = true;
  o.gf_order = 27;
  o.database_path = "/data/db, copy 2/";
  o.output_pathname = "out/run1.txt";
  save_options(state.options, state.console, state.pause);
  const auto lines = read_lines(dir / options_file_name);
  EXPECT_EQ(lines[6].substr(0, 3), "12 ");
  EXPECT_EQ(lines[12], "/data/db, copy 2/  ,Path for database top-level database folder");

  Scripted_console other;
  Program_state again(other.console);
  load_options(again.options, again.dialogue, again.number_theory);
  const Options& r = again.options;
  EXPECT_EQ(r.use_search_db, true);
  EXPECT_EQ(r.ca_order, 25);
  EXPECT_EQ(r.filter_by_method, true);
  EXPECT_EQ(r.filter_method, 12);
  EXPECT_EQ(r.symmetry_type, 3);
  EXPECT_EQ(r.index_base, 1);
  EXPECT_EQ(r.output_position, "REWIND");
  EXPECT_EQ(r.find_gf_polynomial, true);
  EXPECT_EQ(r.gf_order, 27);
  EXPECT_EQ(r.gf_kind, Gf_kind::extension);
  EXPECT_EQ(r.database_path, "/data/db, copy 2/");
  EXPECT_EQ(r.output_pathname, "out/run1.txt");
  EXPECT_EQ(r.db_folder, "Searches\\");
  EXPECT_FALSE(r.db_has_methods);
  const std::vector<std::string> reports = {
      "Costas arrays from searches of order 3 to 27",
      "Costas arrays of order  25, method: exhaustive search"};
  EXPECT_EQ(other.lines(), reports);
}

struct Damaged_case {
  const char* what;
  int line;              // 0: the file is cut to its first 10 lines instead
  const char* text;
  const char* error;     // the status text reported, empty when the file reads
};

TEST_F(Options_fixture, DamagedFilesBringInTheDefaults) {
  constexpr Damaged_case cases[] = {
      {"letter in the order", 5, " 1a9", "10016 illegal character in numeric input"},
      {"letter in a logical field", 4, "X", "10016 illegal character in numeric input"},
      {"blank logical field", 6, "", "10016 illegal character in numeric input"},
      {"asterisks of a too wide field order", 12, "****", "10016 illegal character in numeric input"},
      {"lone sign", 9, "-", "10016 illegal character in numeric input"},
      {"missing lines", 0, "", "-1 end of file (triggers end=, if present)"},
  };
  for (const auto& c : cases) {
    Temp_dir case_dir;
    Working_dir case_cwd(case_dir.path());
    auto lines = split_lines(default_file);
    lines[6] = "15";   // read before most failures; the defaults must replace it all the same
    if (c.line == 0) {
      lines.resize(10);
    } else {
      lines[static_cast<std::size_t>(c.line - 1)] = c.text;
    }
    write_file(case_dir / options_file_name, join_lines(lines));

    Scripted_console screen;
    Program_state fresh(screen.console);
    load_options(fresh.options, fresh.dialogue, fresh.number_theory);
    const auto shown = screen.lines();
    ASSERT_FALSE(shown.empty()) << c.what;
    EXPECT_EQ(shown[0], std::string(" Error reading Vellumcairn_Options.txt: ") + c.error) << c.what;
    EXPECT_EQ(fresh.options.filter_method, 0) << c.what;
    EXPECT_EQ(fresh.options.ca_order, 129) << c.what;
    EXPECT_EQ(read_file(case_dir / options_file_name), defaults_as_written()) << c.what;
  }
}

struct Read_case {
  const char* what;
  int line;
  const char* text;
  std::int32_t ca_order;
  std::int32_t filter_method;
  const char* database_path;
  const char* output_pathname;
  const char* warning;   // the clamp warning shown, empty for none
};

TEST_F(Options_fixture, FieldsAndPathsReadByColumn) {
  const std::string long_line = std::string(130, 'p') + "  ,Path";
  const Read_case cases[] = {
      {"method 12", 7, "12", 129, 12, "D:\\", ".\\Vellumcairn_Output.txt", ""},
      {"method 5", 7, " 5", 129, 5, "D:\\", ".\\Vellumcairn_Output.txt", ""},
      {"blanks inside a number", 7, "1 2 ,x", 129, 1, "D:\\", ".\\Vellumcairn_Output.txt", ""},
      {"signed method", 7, "-3", 129, -3, "D:\\", ".\\Vellumcairn_Output.txt", ""},
      {"empty order", 5, "", 2, 0, "D:\\", ".\\Vellumcairn_Output.txt",
       "WARNING -- Costas order changed from   0 to  2"},
      {"order above the database", 5, " 600", 500, 0, "D:\\", ".\\Vellumcairn_Output.txt",
       "WARNING -- Costas order changed from 600 to500"},
      {"order field too wide", 5, "12345", 500, 0, "D:\\", ".\\Vellumcairn_Output.txt",
       "WARNING -- Costas order changed from1234 to500"},
      {"comma inside the folder", 13, "D:\\a,b\\  ,Path", 129, 0, "D:\\a,b\\",
       ".\\Vellumcairn_Output.txt", ""},
      {"no comma", 14, "run.txt", 129, 0, "D:\\", "", ""},
      {"long path", 13, long_line.c_str(), 129, 0, "", ".\\Vellumcairn_Output.txt",
       ""},
      {"seven letters", 14, "outfile ,x", 129, 0, "D:\\", "outfile.txt", ""},
      {"three letters", 14, "out,x", 129, 0, "D:\\", "out", ""},
      {"one-letter extension", 14, "a.b,x", 129, 0, "D:\\", "a.b", ""},
      {"three-letter extension", 14, "dir.x/a.csv,x", 129, 0, "D:\\", "dir.x/a.csv", ""},
      {"dot far from the end", 14, "./desktop/,x", 129, 0, "D:\\", "./desktop/.txt", ""},
  };
  for (const auto& c : cases) {
    Temp_dir case_dir;
    Working_dir case_cwd(case_dir.path());
    write_file(case_dir / options_file_name, with_line(c.line, c.text));
    Scripted_console screen;
    Program_state fresh(screen.console);
    load_options(fresh.options, fresh.dialogue, fresh.number_theory);
    const auto shown = screen.lines();
    EXPECT_EQ(fresh.options.ca_order, c.ca_order) << c.what;
    EXPECT_EQ(fresh.options.filter_method, c.filter_method) << c.what;
    EXPECT_EQ(fresh.options.database_path, c.database_path) << c.what;
    EXPECT_EQ(fresh.options.output_pathname, c.output_pathname) << c.what;
    const std::size_t expected_lines = *c.warning ? 3 : 2;
    ASSERT_EQ(shown.size(), expected_lines) << c.what;
    if (*c.warning) {
      EXPECT_EQ(shown[1], c.warning) << c.what;
    }
  }
}

TEST_F(Options_fixture, WindowsLineEndsRead) {
  auto lines = split_lines(with_line(5, "  25"));
  lines[3] = "T" + lines[3].substr(1);
  write_file(dir / options_file_name, join_lines(lines, "\r\n"));
  load_options(state.options, state.dialogue, state.number_theory);
  EXPECT_TRUE(state.options.use_search_db);
  EXPECT_EQ(state.options.ca_order, 25);
  EXPECT_EQ(state.options.output_pathname, ".\\Vellumcairn_Output.txt");
}

TEST_F(Options_fixture, SearchDatabaseClampsTheOrder) {
  auto lines = split_lines(with_line(5, " 600"));
  lines[3] = "t" + lines[3].substr(1);
  const auto shown = load(join_lines(lines));
  const std::vector<std::string> expected = {
      "Costas arrays from searches of order 3 to 27",
      "WARNING -- Costas order changed from 600 to 27",
      "Costas arrays of order  27, method: exhaustive search"};
  EXPECT_EQ(shown, expected);
}

TEST_F(Options_fixture, FieldOrderRaisedToAPrimePowerAboveTheOrder) {
  auto lines = split_lines(with_line(5, "  10"));
  lines[10] = "T";
  lines[11] = "  12";
  load(join_lines(lines));
  EXPECT_EQ(state.options.gf_order, 13);
  EXPECT_EQ(state.options.gf_kind, Gf_kind::prime);
}

struct Field_case {
  std::int32_t ca_order;
  std::int32_t start;
  std::int32_t gf_order;
  Gf_kind gf_kind;
};

TEST_F(Options_fixture, NextFieldOrder) {
  constexpr auto P = Gf_kind::prime, E = Gf_kind::extension;
  constexpr Field_case cases[] = {{10, 0, 11, P},  {7, 0, 8, E},     {10, 12, 13, P},
                                  {10, 15, 16, E}, {24, 0, 25, E},   {28, 0, 29, P},
                                  {10, 30, 31, P}, {200, 131, 211, P}, {500, 0, 503, P},
                                  {2, -7, 3, P}};
  for (const auto& c : cases) {
    state.options.ca_order = c.ca_order;
    next_gf_order(state.options, state.number_theory, c.start);
    EXPECT_EQ(state.options.gf_order, c.gf_order) << c.ca_order << " from " << c.start;
    EXPECT_EQ(state.options.gf_kind, c.gf_kind) << c.ca_order << " from " << c.start;
  }
}

TEST_F(Options_fixture, UnwritableFileAsksToContinue) {
  std::filesystem::create_directory(dir / options_file_name);
  save_options(state.options, state.console, state.pause);
  const std::vector<std::string> expected = {
      " Error opening Vellumcairn_Options.txt, error: 21 is a directory",
      " Make sure that you have write permissions", " Default options not saved.",
      " Continue (Y for yes, N for no)?"};
  EXPECT_EQ(console.lines(), expected);

  Scripted_console declined("N\n");
  Program_state other(declined.console);
  try {
    save_options(other.options, other.console, other.pause);
    FAIL() << "a declined Continue? must stop";
  } catch (const Program_stop& stop) {
    EXPECT_EQ(stop.code, "2");
  }
}

TEST_F(Options_fixture, FieldOrdersOfFiveDigitsReadBack) {
  // Orders from 10000 to 65536 take a fifth column instead of turning into four asterisks.
  const std::pair<std::int32_t, const char*> written[] = {
      {131, " 131"}, {9973, "9973"}, {50021, "50021"}, {65536, "65536"}};
  for (const auto& [order, field] : written) {
    state.options.find_gf_polynomial = true;
    state.options.gf_order = order;
    save_options(state.options, state.console, state.pause);
    const auto lines = split_lines(read_file(dir / options_file_name));
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[11], std::string(field) + std::string(36 - std::string(field).size(), ' ') +
                             ",Order of Galois field.");
    state.options.gf_order = 0;
    load_options(state.options, state.dialogue, state.number_theory);
    EXPECT_EQ(state.options.gf_order, order);
  }
  struct Refused {
    const char* line;
    const char* error;
  };
  const Refused refused[] = {
      {"65537", "10016 illegal character in numeric input"},
      {"99999", "10016 illegal character in numeric input"},
  };
  for (const auto& c : refused) {
    Scripted_console screen;
    Program_state fresh(screen.console);
    write_file(dir / options_file_name, with_line(12, c.line));
    load_options(fresh.options, fresh.dialogue, fresh.number_theory);
    EXPECT_EQ(screen.lines().at(0), std::string(" Error reading Vellumcairn_Options.txt: ") + c.error)
        << c.line;
    EXPECT_EQ(fresh.options.gf_order, 131) << c.line;
  }
}

TEST(Options_run_position, OnlyAnExplicitRewindOverwrites) {
  const std::pair<const char*, Write_position> cases[] = {
      {"REWIND", Write_position::rewind}, {"rewind", Write_position::rewind},
      {"ReWind", Write_position::rewind}, {"APPEND", Write_position::append},
      {"append", Write_position::append}, {"REWINX", Write_position::append},
      {"xAPPEN", Write_position::append}, {"", Write_position::append}};
  for (const auto& [text, position] : cases) {
    Options o;
    o.output_position = text;
    EXPECT_EQ(run_position(o), position) << text;
  }
}
