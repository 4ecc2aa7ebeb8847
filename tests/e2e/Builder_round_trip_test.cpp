// What make_database writes, the program reads back exactly: a small database built by the
// real builder binary, every symmetry class of a searched and of generated orders run through
// the program, and the text file compared with the builder's own files.
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

#include "tests/e2e/database_tree.hpp"
#include "_Library/Costas_arrays/method_bitmask.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/Output_text_lines.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const char* const arrays_files[] = {"", "Sorted_Costas_arrays_N=", "Costas_essense_N=",
                                    "Costas_symmetrical_N=", "Costas_G-Symmetrical_N="};

// The text file a run should write: the six keyed log lines and the log's "Constructions only:"
// line of an order built without the search's arrays, then per array its tag (the flag names, or
// "Polymorph" in the searched database) and its zero-based rows, and last, when the file holds
// another number of arrays than a complete database, the line that gives both numbers.
Lines expected_text(const fs::path& folder, int n, int symmetry_type, bool generated) {
  Lines text;
  const char* keys[] = {"ays of order", "of unique Co", "essential Co",
                        " symmetrical", "  G-symmetri", "unique G-sym"};
  std::size_t k = 0;
  for (const auto& line : read_lines(folder / ("Costas_log_N=" + std::to_string(n) + ".txt"))) {
    const std::string trimmed(trim(line));
    if (k < 6 && trimmed.find(keys[k]) != std::string::npos) {
      text.push_back(trimmed);
      ++k;
    } else if (trimmed.starts_with("Constructions only:")) {
      text.push_back(trimmed);
    }
  }
  std::int64_t held = 0;
  const std::string name = arrays_files[symmetry_type] + std::to_string(n) + ".txt";
  Lines arrays = read_lines(folder / name);
  Lines methods = generated ? read_lines(folder / (name + "_methods.txt")) : Lines(arrays.size());
  const std::size_t first = symmetry_type == 1 ? 1 : 0;   // the header of the all-arrays file
  for (std::size_t i = first; i < arrays.size(); ++i) {
    std::string_view line = arrays[i];
    if (line.find("Costas arrays.") != std::string_view::npos) break;
    const bool polymorph = line.starts_with("Polymorph: ");
    if (polymorph) line.remove_prefix(11);
    std::string tag = polymorph ? "Polymorph" : "";
    if (generated) {
      unsigned flags = 0;
      std::from_chars(methods[i].data() + 1, methods[i].data() + methods[i].size(), flags, 16);
      tag.clear();
      for (int bit = 0; bit < 32; ++bit) {
        if (!((flags >> bit) & 1)) continue;
        tag += (tag.empty() ? "" : ", ") + std::string(trim_right(method_flag_names[static_cast<std::size_t>(bit)]));
      }
    }
    if (!tag.empty()) text.push_back(tag);
    Free_line rows;
    std::istringstream items{std::string(line)};
    for (int row = 0; items >> row;) rows.num(row - (generated ? 1 : 0));
    text.push_back(rows.str());
    ++held;
  }
  const Order_counts complete = database_counts(n);
  const std::int64_t listed[] = {0, complete.all, complete.essential, complete.symmetrical,
                                 complete.g_symmetrical};
  if (held != listed[symmetry_type]) {
    text.push_back(count_difference_line(n, symmetry_type, held, listed[symmetry_type]));
  }
  return text;
}

TEST(Builder_round_trip, ProgramReadsBackEveryFileTheBuilderWrote) {
  Temp_dir dir;
  const auto build = run_binary(MAKE_DATABASE_BINARY,
                                {"--out", "db", "--searched", "3-5", "--generated", "2-8"}, "", dir.path());
  ASSERT_EQ(build.exit_status, 0) << build.err;
  struct Order_case {
    bool searched;
    int order;
  };
  for (const Order_case c : {Order_case{true, 5}, Order_case{true, 3}, Order_case{false, 6},
                             Order_case{false, 2}, Order_case{false, 8}}) {
    for (int symmetry_type = 1; symmetry_type <= 4; ++symmetry_type) {
      SCOPED_TRACE((c.searched ? "searched order " : "generated order ") + std::to_string(c.order) +
                   ", symmetry type " + std::to_string(symmetry_type));
      set_options(dir.path(), [&](Options& o) {
        o.use_search_db = c.searched;
        o.ca_order = c.order;
        o.symmetry_type = symmetry_type;
      });
      const Session session = run_session(dir.path(), "Y\n");
      EXPECT_EQ(session.status, 0) << session.err;
      const fs::path folder = dir / "db" / (c.searched ? "Searches" : "Generated");
      const Lines expected = expected_text(folder, c.order, symmetry_type, !c.searched);
      EXPECT_GE(expected.size(), 6U);
      // Generated orders 6 and 8 were built without their searched orders: they say so.
      EXPECT_EQ(expected.size() > 6 && expected[6].starts_with("Constructions only:"),
                !c.searched && c.order > 4);
      EXPECT_EQ(read_lines(dir / "out.txt"), expected);
    }
  }
}

}  // namespace
