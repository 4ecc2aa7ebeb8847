#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Read_Database/Menu_session.hpp"

namespace {

const std::string menu_prompt = "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:";

void menu(Program_state& state) { steps::options_menu(state); }

}  // namespace

TEST(Options_menu, ScreenShowsTheSummaryTableAndTheCurrentOptions) {
  Menu_session session("0\n");
  session.write_options();
  session.run(menu);
  EXPECT_FALSE(session.stopped);
  const std::string path_line =
      unix_paths ? "10 /media/Costas Arrays/, Database folder" : "10 D:\\, Database folder";
  const std::string output_line = unix_paths
                                      ? "11 ./Vellumcairn_Output.txt, Pathname for output text"
                                      : "11 .\\Vellumcairn_Output.txt, Pathname for output text";
  const std::vector<std::string> options_table = {
      "Current options:",
      "",
      "No. Value, Description",
      "1      F, T => all CAs to order 27; F => generated CAs to order 500",
      "2    129, Order of CAs for output",
      "3      F, T => filter by generator method; F => output all",
      "4      0, If previous option is T, filter by generator method 1 to 19",
      "5      1, 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical",
      "6      0, 0 => Output CAs are row indices from 0 to N-1, 1 => from 1 to N",
      "7 APPEND, APPEND => append to existing output files; REWIND => overwrite",
      "8      F, T => Find generating polynomial in a Galois field.",
      "9    131, Order of Galois field.",
      path_line,
      output_line,
      "",
      menu_prompt};
  std::vector<std::string> expected = {
      "Costas arrays from generators of order 2 to 500",
      "Costas arrays of order 129, method: generated",
      std::string(79, '*'),
      "               Order           All     Essential   Symmetrical G-Symmetrical",
      "                 126         11340          1422             9          4536",
      "                 128           100            13             1             0",
      "Current order:   129          2496           324            24             0",
      "                 130         12480          1560             0          6240",
      "                 135          4352           560            32             0",
      std::string(79, '*')};
  expected.insert(expected.end(), options_table.begin(), options_table.end());
  EXPECT_EQ(session.lines(), expected);
}

TEST(Options_menu, EveryChoiceShowsTheWholeScreenAgain) {
  // 3 and 7 print nothing themselves; 13, -3 and "x" are refused.
  Menu_session session("3\n7\n13\n-3\nx\n0\n");
  session.write_options();
  session.run(menu);
  EXPECT_EQ(session.count(menu_prompt), 6);
  EXPECT_EQ(session.count(std::string(79, '*')), 12);
  EXPECT_EQ(session.count(" ###Input was  13 which is out of range; please enter 0 to 12."), 1);
  EXPECT_EQ(session.count(" ###Input was -3 which is out of range; please enter 0 to 12."), 1);
  EXPECT_EQ(session.count(" ###Bad character on input; please try again."), 1);
  EXPECT_TRUE(session.state.options.filter_by_method);
  EXPECT_EQ(session.state.options.output_position, "REWIND");
}

TEST(Options_menu, ChoiceZeroSavesAndMinusOneDiscards) {
  {
    Menu_session session("3\n6\n0\n");
    session.write_options();
    session.run(menu);
    EXPECT_FALSE(session.stopped);
    const auto file = read_lines(session.dir / options_file_name);
    ASSERT_GE(file.size(), 9u);
    EXPECT_EQ(file[5].substr(0, 1), "T");
    EXPECT_EQ(file[8].substr(0, 1), "1");
  }
  {
    Menu_session session("3\n6\n-1\n");
    session.write_options();
    const std::string before = read_file(session.dir / options_file_name);
    session.run(menu);
    EXPECT_TRUE(session.stopped);
    EXPECT_EQ(session.stop_code, "Normal exit without processing.");
    EXPECT_EQ(read_file(session.dir / options_file_name), before);
  }
}

TEST(Options_menu, TheOptionsFileIsReadAgainAtEveryEntry) {
  Menu_session session("0\n0\n");
  session.write_options([](Options& o) { o.ca_order = 12; });
  session.run(menu);
  EXPECT_EQ(session.state.options.ca_order, 12);
  // Edited between two entries, as by hand or by another run.
  Menu_session::write_options([](Options& o) { o.ca_order = 40; });
  session.run(menu);
  EXPECT_EQ(session.state.options.ca_order, 40);
  EXPECT_EQ(session.count("Costas arrays of order  40, method: generated"), 1);
}

TEST(Options_menu, ChoiceOneSwitchesDatabaseAndClampsTheOrder) {
  Menu_session session("1\n1\n0\n");
  session.write_options();
  session.run(menu);
  const std::vector<std::string> first_switch = {
      "Costas arrays from searches of order 3 to 27",
      "WARNING -- Costas order changed from 129 to 27",
      "Costas arrays of order  27, method: exhaustive search"};
  const auto lines = session.lines();
  const auto at = std::search(lines.begin(), lines.end(), first_switch.begin(), first_switch.end());
  ASSERT_NE(at, lines.end());
  // The second switch reports the generated database and keeps order 27.
  const auto back = std::find(at, lines.end(), "Costas arrays from generators of order 2 to 500");
  ASSERT_NE(back, lines.end());
  ASSERT_NE(back + 1, lines.end());
  EXPECT_EQ(*(back + 1), "Costas arrays of order  27, method: generated");
  EXPECT_FALSE(session.state.options.use_search_db);
  EXPECT_EQ(session.state.options.ca_order, 27);
}

TEST(Options_menu, ChoiceSixShowsTheNewIndexBaseEachTime) {
  Menu_session session("6\n6\n0\n");
  session.write_options();
  session.run(menu);
  EXPECT_EQ(session.count(" Output Costas arrays will index from  1"), 1);
  EXPECT_EQ(session.count(" Output Costas arrays will index from  0"), 1);
  EXPECT_EQ(session.state.options.index_base, 0);
}

TEST(Options_menu, ChoiceSevenMakesAnyOtherWordAppend) {
  struct Case {
    const char* stored;
    const char* after;
  };
  constexpr Case cases[] = {
      {"APPEND", "REWIND"}, {"REWIND", "APPEND"}, {"append", "APPEND"}, {"xAPPEN", "APPEND"}};
  for (const auto& c : cases) {
    Menu_session session("7\n0\n");
    session.write_options([&](Options& o) { o.output_position = c.stored; });
    session.run(menu);
    EXPECT_EQ(session.state.options.output_position, c.after) << c.stored;
  }
}

TEST(Options_menu, ChoicesReachTheirPrompts) {
  // 2: order prompt; 4: method prompt; 5: symmetry prompt; 9: field order; 11: output
  // pathname; 12: help.
  Menu_session session("2\n12\n4\n7\n5\n3\n9\n17\n11\nresults\n12\n0\n0\n");
  session.write_options();
  session.run(menu);
  const Options& o = session.state.options;
  EXPECT_EQ(o.ca_order, 12);
  EXPECT_EQ(o.filter_method, 7);
  EXPECT_EQ(o.symmetry_type, 3);
  EXPECT_EQ(o.gf_order, 17);
  EXPECT_EQ(o.output_pathname, "results.txt");
  EXPECT_EQ(session.count("Select option for help on that item:"), 1);
  EXPECT_TRUE(session.input_used_up());
  const auto file = read_lines(session.dir / options_file_name);
  ASSERT_GE(file.size(), 14u);
  EXPECT_EQ(file[4].substr(0, 4), "  12");
  EXPECT_EQ(file[11].substr(0, 4), "  17");
  EXPECT_EQ(file[13].substr(0, 13), "results.txt  ");
}

TEST(Options_menu, ChoiceFourWithTheSearchedDatabaseDoesNothingVisible) {
  Menu_session session("4\n0\n");
  session.write_options([](Options& o) {
    o.use_search_db = true;
    o.ca_order = 20;
  });
  session.run(menu);
  const auto lines = session.lines();
  // Two reports of the load, then the screen twice: the one after choice 4 is the same.
  ASSERT_EQ(lines.size() % 2, 0u);
  const auto screen = static_cast<long>((lines.size() - 2) / 2);
  EXPECT_EQ(lines[0], "Costas arrays from searches of order 3 to 27");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 2 + screen),
            std::vector<std::string>(lines.begin() + 2 + screen, lines.end()));
}
