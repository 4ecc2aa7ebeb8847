#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Read_Database/Program_state.hpp"
#include "_Library/Text_files.hpp"
#include "tests/support/test_support.hpp"

namespace {

const std::string stars(79, '*');
const std::string heading =
    "               Order           All     Essential   Symmetrical G-Symmetrical";
const std::string placeholder =
    "               *****         *****         *****         *****         *****";

struct Summary_case {
  const char* name;
  bool searched;
  std::int32_t order;
  std::vector<std::string> expected;
};

std::vector<std::string> summary_lines(bool searched, std::int32_t order) {
  Scripted_console script;
  Program_state state(script.console);
  Options& options = state.options;
  options.use_search_db = searched;
  options.db_min_order = searched ? 3 : 2;
  options.db_max_order = searched ? MAX_SEARCH_ORDER : MAX_GENERATED_ORDER;
  options.ca_order = order;
  order_summary_table(state.options, state.status);
  return script.lines();
}

}  // namespace

TEST(Order_summary, RowsAroundTheCurrentOrder) {
  const Summary_case cases[] = {
      {"generated 2, nothing below", false, 2,
       {stars, heading, placeholder, placeholder, placeholder,
        "Current order:     2             2             1             1             1",
        "                   3             4             1             1             0",
        "                   4            12             2             1             8", stars}},
      {"generated 33, zero counts and shared orders", false, 33,
       {stars, heading,
        "                  30           664            85             4           240",
        "                  31             8             1             0             0",
        "Current order:    33             0             0             0             0",
        "                  34            20             3             1             0",
        "                  36           884           111             1           432", stars}},
      {"generated 500, nothing above", false, 500,
       {stars, heading,
        "                 497         27552          3485            82             0",
        "                 498        163344         20418             0         81672",
        "Current order:   500           504            63             0             0",
        placeholder, placeholder, placeholder, stars}},
      {"searched 27, the sort puts 22 before 26", true, 27,
       {stars, heading,
        "                  22          2052           259             5           220",
        "                  26            56             8             2             0",
        "Current order:    27           204            29             7             0",
        placeholder, placeholder, placeholder, stars}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(summary_lines(c.searched, c.order), c.expected) << c.name;
  }
}

TEST(Order_summary, SearchStaysInsideTheDatabaseRange) {
  // Searched database, order 3: orders 2 and below are outside its range, although the
  // tables count arrays of order 2.
  const auto lines = summary_lines(true, 3);
  const std::vector<std::string> expected = {
      stars, heading, placeholder, placeholder, placeholder,
      "Current order:     3             4             1             1             0",
      "                   4            12             2             1             8", stars};
  EXPECT_EQ(lines, expected);
}

TEST(Order_summary, LinesAlsoGoToAnOpenOutputTextFile) {
  Temp_dir dir;
  Scripted_console script;
  Program_state state(script.console);
  ASSERT_EQ(state.output.text.open((dir / "out.txt").string(), Write_position::rewind), status_ok);
  state.options.ca_order = 33;
  order_summary_table(state.options, state.status);
  EXPECT_EQ(state.output.text.close(), status_ok);
  EXPECT_EQ(read_lines(dir / "out.txt"), script.lines());
}
