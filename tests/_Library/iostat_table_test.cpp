#include "_Library/iostat_table.hpp"

#include <gtest/gtest.h>

#include "_Library/Text_layout.hpp"

struct Status_case {
  int code;
  const char* text;
};

TEST(Iostat_text, BandsAndTheirEdges) {
  const Status_case cases[] = {
      {-3, "IO Error         -3 UNDEFINED"},
      {-2, "-2 end of record, in nonadvancing read (triggers eor=)"},
      {-1, "-1 end of file (triggers end=, if present)"},
      {0, "0 NO ERROR"},
      {2, "2 no such file or directory"},
      {13, "13 permission denied"},
      {28, "28 no space left on device; volume full"},
      {31, "31 too many links; can\xE2\x80\x99t delete an open file"},
      {32, "IO Error         32 UNDEFINED"},
      {99, "IO Error         99 UNDEFINED"},
      {199, "IO Error        199 UNDEFINED"},
      {200, "200 Conflicting statement options"},
      {214, "214 Corrupt record in unformatted sequential-a"},
      {215, "215 Reading more data than the record size (RE"},
      {216, "216 Writing more data than the record size (RE"},
      {217, "217 Unknown error code"},
      {218, "IO Error        218 UNDEFINED"},
      {9999, "IO Error       9999 UNDEFINED"},
      {10000, "10000 file not open for read"},
      {10016, "10016 illegal character in numeric input"},
      {10060, "10060 attempt to write a record longer than specified length"},
      {10069, "10069 error in file library"},
      {10070, "IO Error      10070 UNDEFINED"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(iostat_message(c.code), c.text) << c.code;
    const std::string padded = iostat_text(c.code);
    EXPECT_EQ(trim_right(padded), c.text) << c.code;
    EXPECT_GE(padded.size(), 62u) << c.code;
  }
}

TEST(Iostat_text, EveryLibraryCodeHasItsOwnLowerCaseText) {
  for (int code = 10000; code <= 10069; ++code) {
    const std::string text = iostat_message(code);
    EXPECT_EQ(text.substr(0, 6), std::to_string(code) + " ") << code;
    EXPECT_GT(text.size(), 7u) << code;
    EXPECT_LE(text.size(), 62u) << code;
    for (char c : text) EXPECT_FALSE(c >= 'A' && c <= 'Z') << code;
  }
}

TEST(Iostat_text, CallerLineForAMissingFile) {
  EXPECT_EQ("Error opening x.txt: " + iostat_message(2),
            "Error opening x.txt: 2 no such file or directory");
}
