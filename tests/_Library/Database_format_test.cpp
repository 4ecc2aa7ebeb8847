// The database format: file names, the line readers on lines written on other systems and
// damaged ones, and every kind of line written by the builder's functions read back by the
// program's.
#include "_Library/Database_format.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <random>
#include <cstdint>
#include <vector>

namespace {

TEST(Database_names, FolderKindOrderAndMethodsEnding) {
  const std::string essential = database_file_name("D:\\Generated\\", "Costas_essense_N=", 12);
  EXPECT_EQ(essential, "D:\\Generated\\Costas_essense_N=12.txt");
  EXPECT_EQ(methods_file_name(essential), "D:\\Generated\\Costas_essense_N=12.txt_methods.txt");
  EXPECT_EQ(database_file_name("D:\\dataGenerated\\", "Costas_log_N=", 7),
            "D:\\dataGenerated\\Costas_log_N=7.txt");
  EXPECT_EQ(database_file_name("", "Sorted_Costas_arrays_N=", 129), "Sorted_Costas_arrays_N=129.txt");
}

struct Row_case {
  const char* line;
  std::int32_t n;
  std::int32_t base;
  std::vector<std::int32_t> perm;   // expected zero-based indices when the line reads
  const char* fault;                // expected fault, empty when the line reads
};

TEST(Database_names, ReadBackFromEveryKindAndRefusedOtherwise) {
  for (const std::string_view kind :
       {all_arrays_kind, essential_kind, symmetrical_kind, g_symmetrical_kind, log_kind}) {
    for (const std::int32_t n : {2, 27, 500, 1000}) {
      const std::string name = database_file_name("", kind, n);
      for (const bool methods : {false, true}) {
        const auto parts = read_database_file_name(methods ? methods_file_name(name) : name);
        ASSERT_TRUE(parts.has_value()) << name;
        EXPECT_EQ(parts->kind, kind);
        EXPECT_EQ(parts->order, n);
        EXPECT_EQ(parts->methods, methods);
      }
    }
  }
  for (const std::string_view name :
       {"Costas_essense_N=.txt", "Costas_essense_N=12345.txt", "Costas_essense_N=12.csv",
        "Costas_essense_N=12.txt.part", "Costas_essense_N=1x.txt", "run.csv", "Costas_N=4.txt"}) {
    EXPECT_FALSE(read_database_file_name(name).has_value()) << name;
  }
}

TEST(Row_indices, ReadOrReportedWhatIsWrong) {
  const Row_case cases[] = {
      {"0 1 3 2", 4, 0, {0, 1, 3, 2}, ""},
      {"1 2 4 3", 4, 1, {0, 1, 3, 2}, ""},
      {" 1,2, 4 ,3", 4, 1, {0, 1, 3, 2}, ""},
      {"1\t2\t4\t3", 4, 1, {0, 1, 3, 2}, ""},
      {"+1 2 4 3", 4, 1, {0, 1, 3, 2}, ""},
      {"0 1 3 2 9 9", 4, 0, {0, 1, 3, 2}, ""},
      {"0 1 3", 4, 0, {}, "3 row indices where the order needs 4"},
      {"", 2, 0, {}, "0 row indices where the order needs 2"},
      {"7", 2, 1, {}, "row index 7 is outside 1 to 2"},
      {"0 x 3 2", 4, 0, {}, "\"x\" is not a row index"},
      {"0 1 3 2.5", 4, 0, {}, "\"2.5\" is not a row index"},
      {"0 1 3 -", 4, 0, {}, "\"-\" is not a row index"},
      {"0 99999999999 3 2", 4, 0, {}, "\"99999999999\" is not a row index"},
      {"1 2 4 0", 4, 1, {}, "row index 0 is outside 1 to 4"},
      {"0 1 3 4", 4, 0, {}, "row index 4 is outside 0 to 3"},
      {"0 -1 3 2", 4, 0, {}, "row index -1 is outside 0 to 3"},
  };
  for (const auto& c : cases) {
    std::array<std::int32_t, 500> perm{};
    const std::string fault = read_row_indices(c.line, c.n, c.base, perm);
    EXPECT_EQ(fault, c.fault) << c.line;
    if (*c.fault == '\0') {
      EXPECT_EQ(std::vector<std::int32_t>(perm.begin(), perm.begin() + c.n), c.perm) << c.line;
    }
  }
}

TEST(Row_indices, OrderFiveHundred) {
  std::string line;
  for (int i = 500; i >= 1; --i) line += std::to_string(i) + " ";
  std::array<std::int32_t, 500> perm{};
  EXPECT_EQ(read_row_indices(line, 500, 1, perm), "");
  EXPECT_EQ(perm[0], 499);
  EXPECT_EQ(perm[499], 0);
}

// The plain reading of a line, token by token with from_chars: what the fast path must match.
std::string plain_row_indices(std::string_view text, std::int32_t n, std::int32_t base,
                              std::vector<std::int32_t>& rows) {
  const auto separator = [](char c) { return c == ' ' || c == ',' || c == '\t'; };
  std::size_t p = 0;
  for (std::int32_t i = 0; i < n; ++i) {
    while (p < text.size() && separator(text[p])) ++p;
    if (p == text.size()) {
      return std::to_string(i) + (i == 1 ? " row index" : " row indices") +
             " where the order needs " + std::to_string(n);
    }
    const std::size_t start = p;
    while (p < text.size() && !separator(text[p])) ++p;
    const std::string_view token = text.substr(start, p - start);
    const std::string_view digits = token.size() > 1 && token[0] == '+' ? token.substr(1) : token;
    std::int32_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
      return "\"" + std::string(token) + "\" is not a row index";
    }
    if (value < base || value - base >= n) {
      return "row index " + std::to_string(value) + " is outside " + std::to_string(base) + " to " +
             std::to_string(n - 1 + base);
    }
    rows[static_cast<std::size_t>(i)] = value - base;
  }
  return {};
}

// Random lines of numbers of one to six digits (leading zeros, signs, stray letters and every
// separator among them) read alike by the fast path and the plain reading.
TEST(Row_indices, FastPathAgreesWithPlainReading) {
  std::mt19937 random(12);
  constexpr std::string_view pieces[] = {"", "0", "+", "-", "x", ".", "00"};
  constexpr char separators[] = {' ', ',', '\t'};
  for (int trial = 0; trial < 20000; ++trial) {
    const std::int32_t n = 1 + static_cast<std::int32_t>(random() % 12);
    const std::int32_t base = static_cast<std::int32_t>(random() % 2);
    std::string line;
    for (std::int32_t i = 0; i < n + 1; ++i) {
      if (random() % 8 == 0) line += pieces[random() % std::size(pieces)];
      line += std::to_string(random() % 3 == 0 ? random() % 100000 : random() % (n + 1));
      if (random() % 16 == 0) line += pieces[random() % std::size(pieces)];
      line.append(1 + random() % 2, separators[random() % 3]);
    }
    if (random() % 2 == 0) line.resize(random() % (line.size() + 1));
    std::vector<std::int32_t> fast(static_cast<std::size_t>(n), -1), plain = fast;
    const std::string fault = read_row_indices(line, n, base, fast);
    ASSERT_EQ(fault, plain_row_indices(line, n, base, plain)) << line;
    if (fault.empty()) {
      ASSERT_EQ(fast, plain) << line;
    }
  }
}

struct Flags_case {
  const char* line;
  bool reads;
  std::uint32_t flags;
};

TEST(Method_flags_line, BlankAndEightHexadecimalDigits) {
  constexpr Flags_case cases[] = {
      {" 11000002", true, 0x11000002u},  {" 00000001", true, 1u},
      {" ffffffff", true, 0xFFFFFFFFu},  {" 10000002   ", true, 0x10000002u},
      {" 1000000", false, 0},            {" 100000021", false, 0},
      {"x10000002", false, 0},           {"10000002 ", false, 0},
      {" 1000000G", false, 0},           {" -1000000", false, 0},
      {"  1000000", false, 0},           {"", false, 0},
  };
  for (const auto& c : cases) {
    std::uint32_t flags = 0;
    EXPECT_EQ(read_method_flags(c.line, flags), c.reads) << c.line;
    if (c.reads) {
      EXPECT_EQ(flags, c.flags) << c.line;
    }
  }
}

// ---- Written by the builder's functions, read back by the program's ----

struct Array_line_case {
  std::vector<std::uint16_t> rows;   // zero-based
  int base;                          // 1 in the generated database, 0 in the searched one
  bool polymorph;
  const char* written;
};

TEST(Round_trip, ArrayLinesInBothBasesWithAndWithoutThePolymorphMark) {
  const Array_line_case cases[] = {
      {{0, 1, 3, 2}, 1, false, "1 2 4 3"},
      {{0, 1, 3, 2}, 0, false, "0 1 3 2"},
      {{3, 2, 0, 1}, 1, true, "Polymorph: 4 3 1 2"},
      {{3, 2, 0, 1}, 0, true, "Polymorph: 3 2 0 1"},
      {{0}, 1, false, "1"},
      {{0}, 0, true, "Polymorph: 0"},
      {{9, 0, 8, 1, 7, 2, 6, 3, 5, 4}, 1, true, "Polymorph: 10 1 9 2 8 3 7 4 6 5"},
  };
  for (const auto& c : cases) {
    std::string line = "left over from the line before";
    write_array_line(line, c.rows, c.base, c.polymorph);
    EXPECT_EQ(line, c.written);
    std::string_view text = line;
    EXPECT_FALSE(is_end_line(text)) << line;
    EXPECT_EQ(take_polymorph_mark(text), c.polymorph) << line;
    std::array<std::int32_t, 500> rows{};
    const auto n = static_cast<std::int32_t>(c.rows.size());
    EXPECT_EQ(read_row_indices(text, n, c.base, rows), "") << line;
    EXPECT_EQ(std::vector<std::int32_t>(rows.begin(), rows.begin() + n),
              std::vector<std::int32_t>(c.rows.begin(), c.rows.end()))
        << line;
  }
}

TEST(Round_trip, ArrayLineOfTheLargestOrderInBothBases) {
  std::vector<std::uint16_t> reversed(500);
  for (std::size_t i = 0; i < reversed.size(); ++i) reversed[i] = static_cast<std::uint16_t>(499 - i);
  for (const int base : {0, 1}) {
    for (const bool polymorph : {false, true}) {
      std::string line;
      write_array_line(line, reversed, base, polymorph);
      std::string_view text = line;
      ASSERT_EQ(take_polymorph_mark(text), polymorph);
      std::array<std::int32_t, 500> rows{};
      ASSERT_EQ(read_row_indices(text, 500, base, rows), "");
      EXPECT_TRUE(std::equal(rows.begin(), rows.end(), reversed.begin())) << base << polymorph;
    }
  }
}

TEST(Round_trip, MethodsLines) {
  struct Case {
    std::uint32_t flags;
    const char* written;
  };
  constexpr Case cases[] = {{0, " 00000000"},           {1, " 00000001"},
                            {0x11000002u, " 11000002"}, {0x04000080u, " 04000080"},
                            {0xABCDEF09u, " ABCDEF09"}, {0xFFFFFFFFu, " FFFFFFFF"}};
  for (const auto& c : cases) {
    const std::string line = methods_line(c.flags);
    EXPECT_EQ(line, c.written);
    std::uint32_t flags = ~c.flags;
    EXPECT_TRUE(read_method_flags(line, flags)) << line;
    EXPECT_EQ(flags, c.flags) << line;
  }
}

TEST(Round_trip, EndLinesEndTheArraysAndHoldNoArray) {
  for (const std::string_view end : {no_arrays_line, no_symmetrical_line, no_g_symmetrical_line}) {
    EXPECT_TRUE(is_end_line(end)) << end;
    std::string_view text = end;
    EXPECT_FALSE(take_polymorph_mark(text)) << end;
    std::array<std::int32_t, 500> rows{};
    EXPECT_NE(read_row_indices(end, 4, 0, rows), "") << end;
  }
  EXPECT_FALSE(is_end_line("No arrays."));
}

TEST(Round_trip, AllArraysHeader) {
  struct Case {
    std::int32_t n;
    std::int64_t count;
    const char* written;
  };
  constexpr Case cases[] = {{4, 12, "   4  12"},
                            {32, 0, "   32  0"},
                            {1, 1, "   1  1"},
                            {29, 164, "   29  164"},
                            {500, 5000000000LL, "   500  5000000000"}};
  for (const auto& c : cases) {
    const std::string line = all_arrays_header(c.n, c.count);
    EXPECT_EQ(line, c.written);
    std::int32_t n = -1;
    std::int64_t count = -1;
    EXPECT_TRUE(read_all_arrays_header(line, n, count)) << line;
    EXPECT_EQ(n, c.n) << line;
    EXPECT_EQ(count, c.count) << line;
  }
}

TEST(All_arrays_header, OtherSystemsLinesReadAndDamagedOnesRefused) {
  struct Case {
    const char* line;
    bool reads;
    std::int32_t n;
    std::int64_t count;
  };
  constexpr Case cases[] = {
      {"4 3", true, 4, 3},      {"   3,   4", true, 3, 4}, {"3 0  ", true, 3, 0},
      {"4\t12\t", true, 4, 12}, {"4", false, 0, 0},        {"", false, 0, 0},
      {"4 3 1", false, 0, 0},   {"4 x", false, 0, 0},      {"4 3x", false, 0, 0},
      {"No Costas arrays.", false, 0, 0},
  };
  for (const auto& c : cases) {
    std::int32_t n = 0;
    std::int64_t count = 0;
    EXPECT_EQ(read_all_arrays_header(c.line, n, count), c.reads) << c.line;
    if (c.reads) {
      EXPECT_EQ(n, c.n) << c.line;
      EXPECT_EQ(count, c.count) << c.line;
    }
  }
}

TEST(Round_trip, LogKeyLinesFoundInOrderAndTheSourceLineSkipped) {
  const Log_summary summaries[] = {
      {4, 12, 2, 1, 2, 8},
      {32, 0, 0, 0, 0, 0},
      {27, 204, 29, 3, 12345678, 9999999999LL},
  };
  for (const auto& summary : summaries) {
    const auto lines = log_summary_lines(summary, "searched, 2 threads");
    EXPECT_EQ(lines[0], "Costas arrays of order " + std::to_string(summary.order));
    EXPECT_EQ(lines[1], "Source: searched, 2 threads");
    // The reader's scan: key k is looked for from the line after key k-1's line on.
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < lines.size() && found.size() < log_summary_keys.size(); ++i) {
      if (is_log_summary_line(lines[i], found.size())) found.push_back(i);
    }
    EXPECT_EQ(found, (std::vector<std::size_t>{0, 2, 3, 4, 5, 6})) << lines[0];
    const std::int64_t counts[] = {summary.unique, summary.essential, summary.symmetrical,
                                   summary.g_classes, summary.unique_g};
    for (std::size_t k = 0; k < 5; ++k) {
      EXPECT_NE(lines[k + 2].find(std::to_string(counts[k])), std::string::npos) << lines[k + 2];
    }
    // The number each key line reports reads back.
    const std::int64_t values[] = {summary.order, summary.unique, summary.essential,
                                   summary.symmetrical, summary.g_classes, summary.unique_g};
    for (std::size_t k = 0; k < found.size(); ++k) {
      std::int64_t value = -1;
      EXPECT_TRUE(read_log_summary_count(lines[found[k]], value)) << lines[found[k]];
      EXPECT_EQ(value, values[k]) << lines[found[k]];
    }
  }
  std::int64_t none = 0;
  EXPECT_FALSE(read_log_summary_count("Number of unique Costas arrays: ", none));
  EXPECT_EQ(log_summary_lines({4, 12, 2, 1, 2, 8}, "x")[5], "       2  G-symmetrical classes");
}

}  // namespace
