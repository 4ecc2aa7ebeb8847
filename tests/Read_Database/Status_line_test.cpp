#include "Read_Database/Vellumcairn_Globals.hpp"

#include <gtest/gtest.h>

#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "tests/support/test_support.hpp"

TEST(Status_line, ConsoleAlwaysTextFileOnlyWhileOpen) {
  Temp_dir dir;
  Scripted_console io;
  Status_line status(io.console);
  Text_output text;
  status.text_output = &text;

  status.message_line = free_form("Filtering on method: ", "Welch 0");
  status.show_message();                                    // not open: console only
  ASSERT_EQ(text.open((dir / "out.txt").string(), Write_position::rewind), status_ok);
  status.show("Costas arrays of order" + fixed_int(12, 4) + "   ");   // fixed layout, trailing blanks
  status.show(std::string(132, ' '));                       // all blanks: an empty line
  status.show(std::string(140, 'x'));                       // cut at 132
  EXPECT_EQ(text.close(), status_ok);

  EXPECT_EQ(io.lines(), (std::vector<std::string>{" Filtering on method: Welch 0",
                                                  "Costas arrays of order  12", "",
                                                  std::string(132, 'x')}));
  EXPECT_EQ(read_lines(dir / "out.txt"),
            (std::vector<std::string>{"Costas arrays of order  12", "", std::string(132, 'x')}));
}
