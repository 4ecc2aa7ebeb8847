#include "_Library/Pause_m.hpp"

#include <gtest/gtest.h>

#include "_Library/Program_stop.hpp"
#include "tests/support/test_support.hpp"

namespace {

const std::string suffix = " (Y for yes, N for no)?";
const std::string stop_suffix = " (Y for yes, N for no, Q or S to stop)?";

}  // namespace

TEST(Ask_yes_no, FirstCharacterOfTheFirstWordDecides) {
  struct Answer_case { const char* input; bool expected; int prompts; };
  const Answer_case cases[] = {
      {"y\n", true, 1},        {"Yes\n", true, 1},    {"yes please\n", true, 1},
      {" y\n", true, 1},       {"n\n", false, 1},     {"No\n", false, 1},
      {"ok\nN\n", false, 2},   {"\n\nY\n", true, 1},  {"maybe\nx\ny\n", true, 3},
      {",y\nn\n", false, 2},   {"  \nn\n", false, 1}, {"Y,N\n", true, 1},
      {"q\ny\n", true, 2},     {"y\r\n", true, 1},
  };
  for (const auto& c : cases) {
    Scripted_console io(c.input);
    Pause_m pause(io.console);
    EXPECT_EQ(pause.ask_yes_no("Done?"), c.expected) << c.input;
    EXPECT_EQ(io.lines(), std::vector<std::string>(static_cast<std::size_t>(c.prompts),
                                                   " Done" + suffix))
        << c.input;
  }
}

TEST(Ask_yes_no, ShownQuestionIsCutOrPadded) {
  struct Shown_case { const char* question; std::string shown; };
  const Shown_case cases[] = {
      {"Is this OK?", " Is this OK"},
      {"  Continue?", " Continue"},
      {"Proceed", " Proceed" + std::string(73, ' ')},
      {"50% done", " 50"},
      {"path\\name", " path"},
      {"", " " + std::string(80, ' ')},
  };
  for (const auto& c : cases) {
    Scripted_console io("y\n");
    Pause_m pause(io.console);
    pause.ask_yes_no(c.question);
    EXPECT_EQ(io.out.str(), c.shown + suffix + "\n") << c.question;
  }
}

TEST(Ask_yes_no_stop, CutsAtTheLastMarkAndStopsOnQOrS) {
  {
    Scripted_console io("n\n");
    Pause_m pause(io.console);
    EXPECT_FALSE(pause.ask_yes_no_stop("Proceed"));
    EXPECT_EQ(io.out.str(), " Proceed" + stop_suffix + "\n");
  }
  {
    Scripted_console io("y\n");
    Pause_m pause(io.console);
    EXPECT_TRUE(pause.ask_yes_no_stop("Why? Really?"));
    EXPECT_EQ(io.out.str(), " Why? Really" + stop_suffix + "\n");
  }
  for (const char* answer : {"q\n", "Stop\n", "S\n", "quit\n"}) {
    Scripted_console io(answer);
    Pause_m pause(io.console);
    const auto stop = stop_of([&] { pause.ask_yes_no_stop("Go on?"); });
    ASSERT_TRUE(stop.has_value()) << "no stop for " << answer;
    EXPECT_EQ(stop->code, "2");
    EXPECT_EQ(stop->exit_status, 0);
  }
}

TEST(Agree_or_stop, NoEndsSilently) {
  Scripted_console yes("Y\n");
  Pause_m agree(yes.console);
  agree.agree_or_stop("Agree?   ");
  EXPECT_EQ(yes.out.str(), " Agree" + suffix + "\n");

  Scripted_console no("N\n");
  Pause_m refuse(no.console);
  const auto stop = stop_of([&] { refuse.agree_or_stop("Agree?"); });
  ASSERT_TRUE(stop.has_value()) << "N did not stop";
  EXPECT_EQ(stop->code, "");
  EXPECT_EQ(stop->exit_status, 0);
}

TEST(Pause_or_run, SwitchesTurnOffOneByOne) {
  Scripted_console io("y\nn\ny\n");
  Pause_m pause(io.console);
  pause.pause_or_run(0);            // never pauses
  pause.pause_or_run(7);            // y: stays on
  pause.pause_or_run(7);            // n: switched off
  pause.pause_or_run(7);            // returns at once
  pause.pause_or_run(8);            // still asks
  const std::string prompt = "Conditional pause  7,  Continue pausing" + stop_suffix;
  EXPECT_EQ(io.lines(), (std::vector<std::string>{
                            prompt, prompt,
                            "Conditional pause  8,  Continue pausing" + stop_suffix}));
  EXPECT_FALSE(pause.pause_enabled[7]);
  EXPECT_TRUE(pause.pause_enabled[8]);
}

TEST(Pause_or_run, IndexOutOfBoundsStopsWithCode2) {
  for (int index : {101, -1}) {
    Scripted_console io;
    Pause_m pause(io.console);
    const auto stop = stop_of([&] { pause.pause_or_run(index); });
    ASSERT_TRUE(stop.has_value()) << index;
    EXPECT_EQ(stop->code, "2");
    EXPECT_EQ(io.lines()[0], "###Error in pause_or_run, index out of bounds");
    EXPECT_EQ(io.lines()[1], "Maximum allowable is100input is:" + std::string(index == 101 ? " 101" : "  -1"));
  }
}

TEST(Console, EndOfInputAtAPromptStopsWithStatusOne) {
  Scripted_console io("maybe\n");
  Pause_m pause(io.console);
  const auto stop = stop_of([&] { pause.ask_yes_no("Done?"); });
  ASSERT_TRUE(stop.has_value()) << "no stop at end of input";
  EXPECT_EQ(stop->code, "End of input.");
  EXPECT_EQ(stop->exit_status, 1);
}
