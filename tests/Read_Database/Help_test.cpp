#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Read_Database/Menu_session.hpp"

namespace {

const std::vector<std::string> introduction = {
    "The user interface screen contains a table to help the",
    "user select the order for Costas arrays.  This table is above the",
    "menu and has rows of asterisks above and below it.  Shown are the",
    "number of all, essential, symmetrical, and G-symmetrical Costas",
    "arrrays for the current selection of order.  A search is made over",
    "orders lower and higher than the order selected to find orders in",
    "which a nonzero number of each type is found.",
    ""};

const std::vector<std::string> help_menu = {
    "Select option for help on that item:",
    "0, EXIT HELP and go back to options menu",
    "1, T => all CAs to order 26; F => generated CAs to order 500",
    "2, Order of CAs for output",
    "3, T => filter by generator method; F => output all",
    "4, If previous option is T, filter by generator method 1 to 19",
    "5, 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical",
    "6, 0 => Output CAs are row indices from 0 to N-1, 1 => from 1 to N",
    "7, APPEND => append to existing output files; REWIND => overwrite",
    "8, Path for database top-level folder",
    "9, Toggle option to find generator polynomial in Galois field",
    "10, Order of Galois field",
    "11, Pathname for output text",
    "12, SPECIAL:  set user options to program defaults and try again.",
    ""};

// The lines shown for one item, between the menu before it and the menu after it.
std::vector<std::string> item_text(const std::string& answers) {
  Menu_session session(answers + "0\n");
  session.run(steps::show_help);
  auto lines = session.lines();
  EXPECT_TRUE(session.input_used_up()) << answers;
  const auto start = introduction.size() + help_menu.size();
  if (lines.size() < start + help_menu.size()) return {};
  return std::vector<std::string>(lines.begin() + static_cast<long>(start),
                                  lines.end() - static_cast<long>(help_menu.size()));
}

}  // namespace

TEST(Help, IntroductionOnceThenTheMenuAfterEveryItem) {
  Menu_session session("3\n6\n0\n");
  session.run(steps::show_help);
  const auto lines = session.lines();
  ASSERT_GT(lines.size(), introduction.size() + help_menu.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), introduction);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 8, lines.begin() + 23), help_menu);
  EXPECT_EQ(session.count(help_menu[0]), 3);
  EXPECT_EQ(session.count(introduction[0]), 1);
  EXPECT_FALSE(session.stopped);
}

TEST(Help, ItemTextsWithTheirNumbers) {
  EXPECT_EQ(item_text("1\n"),
            (std::vector<std::string>{
                "This is the database used in output.  Costas array full searches",
                "are available for orders 3 through 27.  Generated Costas arrays are",
                "available up to order 500.  Note that the generated Costas arrays include",
                "all known Costas arrays of order above 27.  Generator methods are not",
                "available for the searched data base, so use the generated data base for",
                "orders below 27.", ""}));
  EXPECT_EQ(item_text("2\n"),
            (std::vector<std::string>{
                "This is the order of the Costas arrays that you select for output.",
                "When you use the Searched database, this must be between 3 and 26.  For the",
                "database of generated Costas arrays, this must be between 2 and 500.", ""}));
}

TEST(Help, EveryItemHasItsLengthFirstAndLastLine) {
  struct Case {
    const char* answers;
    std::size_t lines;
    const char* first;
    const char* last;
  };
  // Items 4 and 5 end with the pause: a single blank, and the line typed is discarded.
  const Case cases[] = {
      {"3\n", 4, "Selecting this option will toggle between T (true) and F (false).", ""},
      {"4\nanything\n", 24, "This is the generator method.  Only Costas arrays produced by the",
       " "},
      {"5\n\n", 21, "This selects the Costas array database to be used.  They are:", " "},
      {"6\n", 4, "This option toggles the starting index of output Costas arrays.", ""},
      {"7\n", 3, "This option toggles whether output files are appended with new", ""},
      {"8\n", 11, "This is the path to the database folder.  It must be correct for", ""},
      {"9\n", 3, "Selecting this option toggles the option for finding generator", "this output."},
      {"10\n", 9, "If the option for finding generator polynomials in a Galois",
       " or is too low, the next highest feasible order."},
      {"11\n", 7, "This is the path to the output files, including the name of the", ""},
  };
  for (const auto& c : cases) {
    const auto text = item_text(c.answers);
    ASSERT_EQ(text.size(), c.lines) << c.answers;
    EXPECT_EQ(text.front(), c.first) << c.answers;
    EXPECT_EQ(text.back(), c.last) << c.answers;
  }
  const auto methods = item_text("4\n\n");
  ASSERT_EQ(methods.size(), 24u);
  EXPECT_EQ(methods[2], "0  => All methods");
  EXPECT_EQ(methods[21], "19 => Rickard L-G 1");
  EXPECT_EQ(methods[22], "");
}

TEST(Help, OtherAnswersShowTheMenuAgain) {
  Menu_session session("13\n-1\nhelp\n0\n");
  session.run(steps::show_help);
  EXPECT_EQ(session.count(help_menu[0]), 4);
  EXPECT_EQ(session.count(" ###Help item  13 is not on the list; please enter 0 to 12."), 1);
  EXPECT_EQ(session.count(" ###Help item -1 is not on the list; please enter 0 to 12."), 1);
  EXPECT_EQ(
      session.count("###The answer was not a whole number; please enter an item from 0 to 12."), 1);
}

TEST(Help, ItemTwelveResetsTheOptionsWithoutSavingThem) {
  {
    // 12, then -1 in the options menu: the file keeps its order.
    Menu_session session("12\n12\n-1\n");
    session.write_options([](Options& o) { o.ca_order = 12; });
    const std::string before = read_file(session.dir / options_file_name);
    session.run(steps::options_menu);
    EXPECT_EQ(session.state.options.ca_order, 129);
    EXPECT_EQ(session.count("Costas arrays of order 129, method: generated"), 1);
    EXPECT_EQ(read_file(session.dir / options_file_name), before);
  }
  {
    // 12, then 0: the defaults are saved.
    Menu_session session("12\n12\n0\n");
    session.write_options([](Options& o) { o.ca_order = 12; });
    session.run(steps::options_menu);
    const auto file = read_lines(session.dir / options_file_name);
    ASSERT_GE(file.size(), 5u);
    EXPECT_EQ(file[4].substr(0, 4), " 129");
  }
}
