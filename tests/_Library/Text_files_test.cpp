#include "_Library/Text_files.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "tests/support/test_support.hpp"

TEST(Native_path, BackslashesBecomeSlashes) {
  EXPECT_EQ(native_path("D:\\Generated\\Costas_essense_N=12.txt"), "D:/Generated/Costas_essense_N=12.txt");
  EXPECT_EQ(native_path(".\\out.txt"), "./out.txt");
  EXPECT_EQ(native_path("plain"), "plain");
}

TEST(Text_input, ReadsWholeLinesOfAnyLengthAndDropsCarriageReturns) {
  Temp_dir dir;
  const std::string long_line(1'000'000, '7');
  write_file(dir / "in.txt", "first\r\nsecond\n\n" + long_line + "\nlast without end");
  Text_input file;
  ASSERT_EQ(file.open((dir / "in.txt").string()), status_ok);
  std::string line;
  const char* expected[] = {"first", "second", ""};
  for (const char* text : expected) {
    ASSERT_EQ(file.read_line(line), status_ok);
    EXPECT_EQ(line, text);
  }
  ASSERT_EQ(file.read_line(line), status_ok);
  EXPECT_EQ(line, long_line);
  ASSERT_EQ(file.read_line(line), status_ok);
  EXPECT_EQ(line, "last without end");
  EXPECT_EQ(file.line_number(), 5);
  EXPECT_EQ(file.read_line(line), status_end_of_file);
  EXPECT_EQ(file.read_line(line), status_end_of_file);
}

TEST(Text_input, OpenFailuresGiveSystemErrorNumbers) {
  Temp_dir dir;
  Text_input file;
  EXPECT_EQ(file.open((dir / "missing.txt").string()), ENOENT);
  EXPECT_FALSE(file.is_open());
  std::string line;
  EXPECT_EQ(file.read_line(line), status_not_open_for_read);
  EXPECT_EQ(file.open(dir.path().string()), EISDIR);
  // The "\" of a composed name is a separator on this system.
  std::filesystem::create_directory(dir / "Generated");
  write_file(dir / "Generated" / "a.txt", "x\n");
  EXPECT_EQ(file.open(dir.path().string() + "/Generated\\a.txt"), status_ok);
  EXPECT_TRUE(file_exists(dir.path().string() + "\\Generated\\a.txt"));
}

TEST(Text_output, RewindReplacesAndAppendAdds) {
  Temp_dir dir;
  const std::string name = (dir / "out.txt").string();
  {
    Text_output file;
    ASSERT_EQ(file.open(name, Write_position::rewind), status_ok);
    file.write_line("one");
  }  // the destructor flushes and closes
  {
    Text_output file;
    ASSERT_EQ(file.open(name, Write_position::append), status_ok);
    file.write_line("two");
    EXPECT_EQ(file.close(), status_ok);
  }
  EXPECT_EQ(read_file(dir / "out.txt"), "one\ntwo\n");
  Text_output file;
  ASSERT_EQ(file.open(name, Write_position::rewind), status_ok);
  file.write_line("three");
  EXPECT_EQ(file.close(), status_ok);
  EXPECT_EQ(read_file(dir / "out.txt"), "three\n");
}

TEST(Text_output, FailuresAreReportedNotSwallowed) {
  Temp_dir dir;
  Text_output folder;
  EXPECT_EQ(folder.open(dir.path().string(), Write_position::rewind), EISDIR);
  EXPECT_EQ(folder.write_line("x"), status_not_open_for_write);
  Text_output missing_folder;
  EXPECT_EQ(missing_folder.open((dir / "no" / "such.txt").string(), Write_position::append), ENOENT);

  if (std::filesystem::exists("/dev/full")) {
    Text_output full;
    ASSERT_EQ(full.open("/dev/full", Write_position::rewind), status_ok);
    for (int i = 0; i < 20000; ++i) full.write_line("a line that fills the buffer");
    EXPECT_EQ(full.close(), ENOSPC);
  }
}

TEST(Text_files, NamesWithANulByteAreRefused) {
  Temp_dir dir;
  write_file(dir / "out", "kept\n");
  const std::string name = (dir / "out").string() + std::string("\0.txt", 5);
  // Opening would otherwise reach the file named by the part before the NUL.
  Text_output output;
  EXPECT_EQ(output.open(name, Write_position::rewind), EINVAL);
  EXPECT_FALSE(output.is_open());
  Text_input input;
  EXPECT_EQ(input.open(name), EINVAL);
  EXPECT_FALSE(file_exists(name));
  EXPECT_EQ(read_file(dir / "out"), "kept\n");
}

TEST(Text_input, EndlessLinesAreRefusedNotReadForever) {
  Temp_dir dir;
  write_file(dir / "long.txt", std::string(max_line_length, 'x') + "\n" +
                                   std::string(max_line_length + 1, 'y') + "\nnext\n");
  Text_input file;
  ASSERT_EQ(file.open((dir / "long.txt").string()), status_ok);
  std::string line;
  ASSERT_EQ(file.read_line(line), status_ok);
  EXPECT_EQ(line.size(), max_line_length);
  EXPECT_EQ(file.read_line(line), status_record_too_long);
  // A device that gives zero bytes without end.
  if (std::filesystem::exists("/dev/zero")) {
    ASSERT_EQ(file.open("/dev/zero"), status_ok);
    EXPECT_EQ(file.read_line(line), status_record_too_long);
  }
}
