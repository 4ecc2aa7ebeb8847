#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/Read_Database/Menu_session.hpp"
#include "Read_Database/Vellumcairn_Option_prompts.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

namespace {

const std::string not_whole = "###The answer was not a whole number; please try again.";

}  // namespace

TEST(Order_prompt, RefusesOrdersOutsideTheDatabaseAndNonNumbers) {
  Menu_session session("600\nabc\n12\n");
  session.state.options.gf_order = 131;
  session.run(steps::ask_ca_order);
  const std::vector<std::string> expected = {
      " Please provide the order of the Costas array(s) that you wish to find:",
      "###You requested Costas arrays of order  600",
      "Data base for generated        Costas arrays is orders  2 to  500",
      "Please try again.",
      " Please provide the order of the Costas array(s) that you wish to find:",
      not_whole,
      " Please provide the order of the Costas array(s) that you wish to find:"};
  EXPECT_EQ(session.lines(), expected);
  EXPECT_EQ(session.state.options.ca_order, 12);
  EXPECT_EQ(session.state.options.gf_order, 131);
}

TEST(Order_prompt, SearchedDatabaseAcceptsTwentySevenButNotTwo) {
  Menu_session session("2\n27\n");
  Options& o = session.state.options;
  o.db_min_order = 3;
  o.db_max_order = 27;
  o.db_kind_text = "exhaustive search";
  session.run(steps::ask_ca_order);
  EXPECT_EQ(session.count("Data base for exhaustive searchCostas arrays is orders  3 to   27"), 1);
  EXPECT_EQ(o.ca_order, 27);
}

TEST(Method_prompt, AcceptsZeroToNineteen) {
  Menu_session session("20\n-1\n?\n0\n");
  session.run(steps::ask_filter_method);
  const auto lines = session.lines();
  const std::vector<std::string> screen_start = {
      "", "Please specify the generator method you want selected:", "0  => All methods"};
  EXPECT_TRUE(std::equal(screen_start.begin(), screen_start.end(), lines.begin()));
  EXPECT_EQ(lines[21], "19 => Rickard L-G 1");
  EXPECT_EQ(lines[22], "");
  EXPECT_EQ(session.count(" ###Filter method option must be between 1 and 19 inclusive."), 2);
  EXPECT_EQ(session.count(" Please try again."), 2);
  EXPECT_EQ(session.count(not_whole), 1);
  EXPECT_EQ(session.count("Please specify the generator method you want selected:"), 4);
  EXPECT_EQ(session.state.options.filter_method, 0);
}

TEST(Method_prompt, SearchedDatabaseHasNoMethodsToAskFor) {
  Menu_session session("5\n");
  session.state.options.db_has_methods = false;
  session.state.options.filter_method = 3;
  session.run(steps::ask_filter_method);
  EXPECT_TRUE(session.lines().empty());
  EXPECT_EQ(session.state.options.filter_method, 3);
  EXPECT_FALSE(session.input_used_up());
}

TEST(Symmetry_prompt, AcceptsOneToFour) {
  Menu_session session("7\nfour\n4\n");
  session.run(steps::ask_symmetry_type);
  const std::vector<std::string> question = {
      "What type of symmetry do you requre for your Costas arrays?",
      "1 => no symmmetry requirement, look at ALL existing Costas arrays.",
      "2 => look at the essential Costas arrays, not all possible polymorphs.",
      "3 => look only at symmetrical Costas arrays.",
      "4 => look only at G-symmetrical Costas arrays.",
      ""};
  std::vector<std::string> expected = question;
  expected.push_back("You entered   7; please enter a number from 1 to 4");
  expected.push_back("");
  expected.insert(expected.end(), question.begin(), question.end());
  expected.push_back(not_whole);
  expected.insert(expected.end(), question.begin(), question.end());
  EXPECT_EQ(session.lines(), expected);
  EXPECT_EQ(session.state.options.symmetry_type, 4);
}

TEST(Field_polynomial_toggle, RaisesTheFieldOrderOnlyWhenNeeded) {
  struct Case {
    std::int32_t ca_order, gf_order;
    std::optional<Gf_kind> gf_kind;
    std::int32_t expected;
  };
  constexpr auto prime = Gf_kind::prime, extension = Gf_kind::extension;
  constexpr Case cases[] = {
      {200, 131, prime, 211},       // stored order too low: the next prime power from 201
      {200, 256, extension, 256},   // stored order high enough: kept
      {200, 201, prime, 211},       // 201 < 202 is raised, and 201 = 3 * 67 is no prime power
      {10, 512, std::nullopt, 11},  // no field chosen yet in this process: from the order
      {7, 9, prime, 9},             // 9 = 3^2 >= 7 + 2: kept
  };
  for (const auto& c : cases) {
    Menu_session session("");
    Options& o = session.state.options;
    o.ca_order = c.ca_order;
    o.gf_order = c.gf_order;
    o.gf_kind = c.gf_kind;
    session.run(steps::toggle_gf_polynomial);
    EXPECT_TRUE(o.find_gf_polynomial);
    EXPECT_EQ(o.gf_order, c.expected) << c.ca_order << " " << c.gf_order;
    // Turning it off again leaves the order alone.
    session.run(steps::toggle_gf_polynomial);
    EXPECT_FALSE(o.find_gf_polynomial);
    EXPECT_EQ(o.gf_order, c.expected);
    EXPECT_TRUE(session.lines().empty());
  }
}

TEST(Field_order_prompt, ConfirmsARaisedOrder) {
  Menu_session session("240\nY\n");  // ca_order 129, gf_order 131
  session.run(steps::ask_gf_order);
  const std::vector<std::string> expected = {
      "Costas order is 129, Galois field order is 131",
      "Starting Galois field order is 131, input value of 131, or greater:",
      "Costas order is 129, Galois field order is 240",
      "Next higher viable Galois field order is 241", " Is this OK (Y for yes, N for no)?"};
  EXPECT_EQ(session.lines(), expected);
  EXPECT_EQ(session.state.options.gf_order, 241);
  EXPECT_EQ(session.state.options.gf_kind, Gf_kind::prime);
}

TEST(Field_order_prompt, NoAsksForAnotherStartAndAViableOrderEndsThePrompt) {
  // 130 is raised to 131 (N), bad input, 70000 is too large, 243 = 3^5 is itself viable.
  Menu_session session("130\nN\nlots\n70000\n243\n");
  session.run(steps::ask_gf_order);
  const std::vector<std::string> expected = {
      "Costas order is 129, Galois field order is 131",
      "Starting Galois field order is 131, input value of 131, or greater:",
      "Costas order is 129, Galois field order is 130",
      "Next higher viable Galois field order is 131",
      " Is this OK (Y for yes, N for no)?",
      "Starting Galois field order is 131, input value of 131, or greater:",
      "Bad input, please input a number 131 or greater:",
      "###Galois field orders above 65536 cannot be set up; please try again.",
      "Starting Galois field order is 131, input value of 131, or greater:"};
  EXPECT_EQ(session.lines(), expected);
  EXPECT_EQ(session.state.options.gf_order, 243);
  EXPECT_EQ(session.state.options.gf_kind, Gf_kind::extension);
  EXPECT_TRUE(session.input_used_up());
}

TEST(Field_order_prompt, AStoredOrderThatIsNotViableIsOfferedFirst) {
  Menu_session session("Y\n");
  session.write_options([](Options& o) {
    o.ca_order = 10;
    o.gf_order = 15;
  });
  session.run([](Program_state& state) {
    steps::load_options(state);
    steps::ask_gf_order(state);
  });
  const auto lines = session.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "Costas order is  10, Galois field order is  15");
  EXPECT_EQ(lines[lines.size() - 2], "Next higher viable Galois field order is  16");
  EXPECT_EQ(session.state.options.gf_order, 16);
  EXPECT_EQ(session.state.options.gf_kind, Gf_kind::extension);
}

// An empty answer, or one of blanks only, holds no integer: at every prompt that reads one it is
// refused with the line that prompt gives any other answer without an integer, and the screen
// that follows is the same as after a letter.
TEST(Integer_prompts, AnEmptyLineIsRefusedLikeANonNumber) {
  struct Case {
    const char* prompt;
    void (*step)(Program_state&);
    const char* answer;             // taken after the refusal
    std::string question_end;       // the line just before the refusal
    std::string refusal;
    std::int32_t Options::*option;  // the option the answer sets
    std::int32_t expected;
  };
  const auto menu = steps::options_menu;
  const auto help = steps::show_help;
  const Case cases[] = {
      {"menu", menu, "2\n12\n0\n", "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:",
       " ###Bad character on input; please try again.", &Options::ca_order, 12},
      {"help menu", help, "0\n", "",
       "###The answer was not a whole number; please enter an item from 0 to 12.",
       &Options::ca_order, 129},
      {"order", steps::ask_ca_order, "12\n",
       " Please provide the order of the Costas array(s) that you wish to find:", not_whole,
       &Options::ca_order, 12},
      {"method", steps::ask_filter_method, "7\n", "", not_whole, &Options::filter_method, 7},
      {"symmetry", steps::ask_symmetry_type, "3\n", "", not_whole, &Options::symmetry_type, 3},
      {"field order", steps::ask_gf_order, "243\n",
       "Starting Galois field order is 131, input value of 131, or greater:",
       "Bad input, please input a number 131 or greater:", &Options::gf_order, 243},
  };
  for (const auto& c : cases) {
    for (const std::string empty : {"", "  \t "}) {
      SCOPED_TRACE(std::string(c.prompt) + ", \"" + empty + "\"");
      Menu_session letter("x\n" + std::string(c.answer));
      Menu_session session(empty + "\n" + c.answer);
      for (Menu_session* s : {&letter, &session}) {
        s->write_options();
        s->state.options.gf_order = 131;
        s->run(c.step);
      }
      EXPECT_FALSE(session.stopped) << session.stop_code;
      EXPECT_TRUE(session.input_used_up());
      const std::vector<std::string> lines = session.lines();
      const auto refusal = std::find(lines.begin(), lines.end(), c.refusal);
      ASSERT_NE(refusal, lines.end());
      ASSERT_NE(refusal, lines.begin());
      EXPECT_EQ(*(refusal - 1), c.question_end);
      EXPECT_EQ(session.count(c.refusal), 1);
      EXPECT_EQ(lines, letter.lines());
      EXPECT_EQ(session.state.options.*c.option, c.expected);
    }
  }
}
