#include "Read_Database/Vellumcairn_Path_prompts.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Read_Database/Program_state.hpp"
#include "tests/support/test_support.hpp"

namespace {

struct Completion_case {
  const char* answer;
  const char* expected;
};

std::vector<std::string> database_screen(bool unix_style) {
  Scripted_console script;
  show_database_examples(script.console, unix_style);
  return script.lines();
}

void make_check_file(const std::filesystem::path& top) {
  std::filesystem::create_directories(top / "Generated");
  write_file(top / "Generated" / "Costas_essense_N=2.txt", "1\n 1 2\n");
}

}  // namespace

TEST(Path_prompts, DatabaseAnswersEndInTheSeparatorOfTheirStyle) {
  struct Case {
    const char* answer;
    const char* windows;
    const char* unix;
  };
  constexpr Case cases[] = {
      {"D:", "D:\\", "D:/"},
      {"D:\\", "D:\\", "D:\\"},
      {"   C:\\Documents and Settings\\me\\My Documents\\Vellumcairn ",
       "C:\\Documents and Settings\\me\\My Documents\\Vellumcairn\\",
       "C:\\Documents and Settings\\me\\My Documents\\Vellumcairn/"},
      {"/media/Costas Arrays/", "/media/Costas Arrays/\\", "/media/Costas Arrays/"},
      {"/data/db", "/data/db\\", "/data/db/"},
      {"  ./Vellumcairn ", "./Vellumcairn\\", "./Vellumcairn/"},
      {"", "", ""},
      {"    ", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(complete_database_path(c.answer, false), c.windows) << c.answer;
    EXPECT_EQ(complete_database_path(c.answer, true), c.unix) << c.answer;
  }
}

TEST(Path_prompts, OutputAnswersAreCompletedToAFileName) {
  constexpr Completion_case cases[] = {
      {"D:", "D:\\Output.txt"},
      {"C:\\mydata\\", "C:\\mydata\\Output.txt"},
      {".", ".\\Output.txt"},
      {"C:\\mydata\\out1", "C:\\mydata\\out1.txt"},
      {"C:\\mydata\\out1.txt", "C:\\mydata\\out1.txt"},
      {"run.csv", "run.csv"},
      {"", "\\Output.txt"},
      {"./desktop/", "./desktop/Output.txt"},   // as the example screen promises
      {"/", "/Output.txt"},
      {"  results  ", "results.txt"},
      {"abc", "abc"},
      {"abcd", "abcd.txt"},
      {"a.b", "a.b"},
      {"name.", "name."},
      {"x:y", "x:y"},
      {"data:", "data:\\Output.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(complete_output_pathname(c.answer), c.expected) << c.answer;
}

TEST(Path_prompts, LongAnswersAreCutAt132Characters) {
  const std::string long_folder(140, 'f');
  EXPECT_EQ(complete_database_path(long_folder, false), std::string(132, 'f'));
  EXPECT_EQ(complete_database_path(long_folder, true), std::string(132, 'f'));
  EXPECT_EQ(complete_output_pathname(long_folder), std::string(132, 'f'));
  const std::string name_at_limit = std::string(129, 'g') + "\\";
  EXPECT_EQ(complete_output_pathname(name_at_limit).size(), 132u);
}

TEST(Path_prompts, ExampleScreensOfBothPathStyles) {
  const std::vector<std::string> windows = {
      "Input the pathname of the database folder.  Examples:",
      "For a CD-ROM mapped as drive D: in My Computer, use:",
      "          D:\\",
      "For folder Vellumcairn in your My Documents folder, use:",
      "          C:\\Documents and Settings\\<username>\\My Documents\\Vellumcairn ",
      "For a folder on your C: drive sumply enter the path:",
      "          C:\\Vellumcairn"};
  const std::vector<std::string> unix = {
      "Input the pathname of the database folder.  Examples:",
      "For a CD-ROM or DVD with name \"Costas Arrays\" (the default), use:",
      "          /media/Costas Arrays/",
      "For folder Vellumcairn in your home folder, use:",
      "          ./Vellumcairn ",
      "For a folder on your desktop, use:",
      "          ./desktop/Vellumcairn"};
  EXPECT_EQ(database_screen(false), windows);
  EXPECT_EQ(database_screen(true), unix);

  Scripted_console windows_output;
  show_output_examples(windows_output.console, false);
  const std::vector<std::string> windows_screen = {
      "",
      "Please provide a path or pathname for \"Output.txt\".",
      "Examples are:",
      "   C:\\Documents and Settings\\<username>\\My Documents",
      "   C:\\                [file will be C:\\Output.txt]",
      "   C:\\mydata\\         [file will be C:\\mydata\\Output.txt]",
      "   C:\\mydata\\out1.txt [file will be C:\\mydata\\out1.txt]",
      "Paths should end in \"\\\" and a default file name of",
      "Output.txt will be used.",
      "",
      "Please note that if this file exists it will be overwritten",
      "unless you use the APPEND option.",
      ""};
  EXPECT_EQ(windows_output.lines(), windows_screen);

  Scripted_console unix_output;
  show_output_examples(unix_output.console, true);
  std::vector<std::string> unix_screen = windows_screen;
  unix_screen[3] = "   /home/<username>/Vellumcairn_Outputs";
  unix_screen[4] = "   ./desktop/         [file will be Output.txt on desktop]";
  unix_screen[5] = "   .                  [file will be ./Output.txt]";
  unix_screen[6] = "   .\\out1.txt         [file will be ./out1.txt]";
  unix_screen[7] = "Paths should end in \"/\" and a default file name of";
  EXPECT_EQ(unix_output.lines(), unix_screen);
}

TEST(Path_prompts, DatabasePromptRepeatsUntilTheCheckFileOpens) {
  // D: is no folder here; the empty answer looks in the working folder, which holds the file.
  Temp_dir dir;
  make_check_file(dir.path());
  Working_dir here(dir.path());
  Scripted_console script("D:\n\n");
  Program_state state(script.console);
  ask_database_path(state.options, state.console);
  EXPECT_EQ(state.options.database_path, "");
  const auto lines = script.lines();
  const auto screen = database_screen(unix_paths);
  ASSERT_EQ(lines.size(), 2 * screen.size() + 2);
  EXPECT_TRUE(std::equal(screen.begin(), screen.end(), lines.begin()));
  EXPECT_EQ(lines[7], std::string("###The pathD:") + (unix_paths ? "/" : "\\") +
                         " has read error: 2 no such file or directory");
  EXPECT_EQ(lines[8], "Please make sure that you have the path correct and try again.");
  EXPECT_TRUE(std::equal(screen.begin(), screen.end(), lines.begin() + 9));
}

TEST(Path_prompts, DatabasePathWithBlanksInsideIsTakenWhole) {
  Temp_dir dir;
  const auto top = dir / "My Documents" / "Costas arrays";
  make_check_file(top);
  Scripted_console script("  " + top.string() + "  \n");
  Program_state state(script.console);
  ask_database_path(state.options, state.console);
  EXPECT_EQ(state.options.database_path, top.string() + (unix_paths ? "/" : "\\"));
  EXPECT_EQ(script.lines().size(), 7u);
}

TEST(Path_prompts, OutputPromptIsAskedOnceWithoutACheck) {
  Scripted_console script("  C:\\mydata\\\n");
  Program_state state(script.console);
  ask_output_pathname(state.options, state.console);
  EXPECT_EQ(state.options.output_pathname, "C:\\mydata\\Output.txt");
  EXPECT_EQ(script.lines().size(), 13u);
}
