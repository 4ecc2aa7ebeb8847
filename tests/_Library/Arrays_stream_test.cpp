// The database arrays stream: what each layout of an arrays file (and its methods file) gives,
// item by item, as the program, the verifier and costas_view all read it.
#include "_Library/Arrays_stream.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/test_support.hpp"

namespace {

// One item in a few words: "array L", "array L polymorph", "array L rows: ...",
// "array L flags F", "methods L: ...", "fault L: ...", "end line L", "end".
std::vector<std::string> items_of(const std::string& arrays_text, const char* methods_text,
                                  std::string* beyond = nullptr) {
  Temp_dir dir;
  write_file(dir / "a.txt", arrays_text);
  Text_input arrays, methods;
  EXPECT_EQ(arrays.open((dir / "a.txt").string()), status_ok);
  if (methods_text != nullptr) {
    write_file(dir / "m.txt", methods_text);
    EXPECT_EQ(methods.open((dir / "m.txt").string()), status_ok);
  }
  Arrays_stream stream(arrays, methods_text ? &methods : nullptr, 2, 1);
  std::vector<std::int32_t> rows(2);
  std::vector<std::string> out;
  for (int guard = 0; guard < 20; ++guard) {
    const auto item = stream.next(rows);
    const std::string at = std::to_string(item.kind == Arrays_stream::Kind::fault ? item.fault.line : item.line);
    if (item.kind == Arrays_stream::Kind::end) {
      out.push_back(item.end_line ? "end line " + at : "end");
      if (!item.end_line) break;
      continue;
    }
    if (item.kind == Arrays_stream::Kind::fault) {
      out.push_back("fault " + at + ": " + item.fault.what);
      continue;
    }
    std::string text = "array " + at;
    if (item.polymorph) text += " polymorph";
    if (!item.rows_fault.empty()) text += " rows: " + item.rows_fault;
    if (item.flags_read) text += " flags " + std::to_string(item.flags);
    out.push_back(text);
    if (!item.methods_fault.empty()) {
      out.push_back("methods " + std::to_string(item.methods_fault.line) + ": " + item.methods_fault.what);
    }
  }
  if (beyond != nullptr) {
    const Stream_fault fault = stream.methods_beyond_arrays();
    *beyond = fault.empty() ? "" : std::to_string(fault.line) + ": " + fault.what;
  }
  return out;
}

TEST(Arrays_stream, EachLayoutGivesItsItems) {
  struct Case {
    const char* what;
    std::string arrays;
    const char* methods;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"two arrays", "1 2\nPolymorph: 2 1\n", nullptr, {"array 1", "array 2 polymorph", "end"}},
      {"blank lines at the end", "1 2\n\n \n", nullptr, {"array 1", "end"}},
      {"a blank line among the arrays", "1 2\n\n\n2 1\n", nullptr,
       {"array 1", "fault 2: blank line among the arrays", "array 4", "end"}},
      {"an end line alone", "No Costas arrays.\n\n", nullptr, {"end line 1", "end"}},
      {"text after the end line", "No Costas arrays.\n1 2\n", nullptr,
       {"end line 1", "fault 2: text after the end line", "end"}},
      {"a row out of range", "1 3\n2 1\n", nullptr,
       {"array 1 rows: row index 3 is outside 1 to 2", "array 2", "end"}},
      {"methods in step", "1 2\n2 1\n", " 00000002\n 00000100\n",
       {"array 1 flags 2", "array 2 flags 256", "end"}},
      {"a damaged methods line", "1 2\n", " 0000002\n",
       {"array 1", "methods 1: not a blank and 8 hexadecimal digits", "end"}},
      {"the methods file ends early", "1 2\n2 1\n2 1\n", " 00000002\n",
       {"array 1 flags 2", "array 2", "methods 2: missing: the methods file ends before its arrays file",
        "array 3", "end"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(items_of(c.arrays, c.methods), c.items);
  }
}

TEST(Arrays_stream, MethodsLinesBeyondTheArraysAreNamed) {
  std::string beyond;
  items_of("1 2\n", " 00000002\n\n 00000004\n", &beyond);
  EXPECT_EQ(beyond, "3: a line beyond the arrays of its arrays file");
  items_of("1 2\n", " 00000002\n\n", &beyond);
  EXPECT_EQ(beyond, "");
}

}  // namespace
