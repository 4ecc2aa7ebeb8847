#include "Make_Database/Database_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.hpp"

namespace {

namespace fs = std::filesystem;

Costas_class_set order_four() {
  Costas_class_set set;
  set.add(Costas_perm{0, 1, 3, 2}, 1);
  set.add(Costas_perm{0, 2, 3, 1}, 8);
  return set;
}

// The six log keys, found in this order, each in a later line than the one before.
void expect_log_keys(const fs::path& log) {
  const char* keys[] = {"ays of order", "of unique Co", "essential Co",
                        " symmetrical", "  G-symmetri", "unique G-sym"};
  const auto lines = read_lines(log);
  std::size_t k = 0;
  for (const auto& line : lines) {
    const auto start = line.find_first_not_of(' ');
    if (k < 6 && start != std::string::npos && line.find(keys[k], start) != std::string::npos) ++k;
  }
  EXPECT_EQ(k, 6U) << log;
}

TEST(Database_writer, GeneratedOrderFourFilesLineByLine) {
  Temp_dir dir;
  const std::string folder = dir.path().string() + "/";
  const auto result = write_order_files(folder, 4, order_four(), true, "test");
  ASSERT_EQ(result.failure, "");
  EXPECT_EQ(result.counts, (Class_counts{12, 2, 1, 8}));
  EXPECT_EQ(read_lines(dir / "Sorted_Costas_arrays_N=4.txt"),
            (std::vector<std::string>{"   4  12", "1 2 4 3", "Polymorph: 4 3 1 2",
                                      "Polymorph: 3 4 2 1", "Polymorph: 2 1 3 4", "1 3 4 2",
                                      "Polymorph: 4 2 1 3", "Polymorph: 2 4 3 1",
                                      "Polymorph: 3 1 2 4", "Polymorph: 1 4 2 3",
                                      "Polymorph: 4 1 3 2", "Polymorph: 3 2 4 1",
                                      "Polymorph: 2 3 1 4"}));
  const auto methods = read_lines(dir / "Sorted_Costas_arrays_N=4.txt_methods.txt");
  ASSERT_EQ(methods.size(), 13U);
  EXPECT_EQ(methods[0], "   4  12");
  EXPECT_EQ(methods[1], " 30000002");   // Welch 0, symmetrical, G-symmetrical
  EXPECT_EQ(methods[2], " 21000002");   // rows reversed
  EXPECT_EQ(methods[5], " 20000100");   // Golomb 2, G-symmetrical
  EXPECT_EQ(methods[12], " 07000100");  // transposed, both reversed
  EXPECT_EQ(read_lines(dir / "Costas_essense_N=4.txt"),
            (std::vector<std::string>{"1 2 4 3", "1 3 4 2"}));
  EXPECT_EQ(read_lines(dir / "Costas_symmetrical_N=4.txt"), (std::vector<std::string>{"1 2 4 3"}));
  EXPECT_EQ(read_lines(dir / "Costas_symmetrical_N=4.txt_methods.txt"),
            (std::vector<std::string>{" 30000002"}));
  const auto g = read_lines(dir / "Costas_G-Symmetrical_N=4.txt");
  ASSERT_EQ(g.size(), 8U);
  EXPECT_EQ(g[4], "1 3 4 2");             // first of its class in this file
  EXPECT_EQ(g[5], "Polymorph: 4 2 1 3");
  EXPECT_EQ(read_lines(dir / "Costas_G-Symmetrical_N=4.txt_methods.txt").size(), 8U);
  expect_log_keys(dir / "Costas_log_N=4.txt");
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_NE(entry.path().extension(), ".part") << entry.path();
  }
}

TEST(Database_writer, SearchedFilesAreZeroBasedWithoutMethods) {
  Temp_dir dir;
  const std::string folder = dir.path().string() + "/";
  const auto result = write_order_files(folder, 4, order_four(), false, "test");
  ASSERT_EQ(result.failure, "");
  const auto all = read_lines(dir / "Sorted_Costas_arrays_N=4.txt");
  ASSERT_EQ(all.size(), 13U);
  EXPECT_EQ(all[1], "0 1 3 2");
  EXPECT_EQ(all[2], "Polymorph: 3 2 0 1");
  EXPECT_FALSE(fs::exists(dir / "Costas_essense_N=4.txt_methods.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5);
}

TEST(Database_writer, EmptyOrderGetsEndLinesAndZeroCounts) {
  Temp_dir dir;
  const std::string folder = dir.path().string() + "/";
  const auto result = write_order_files(folder, 32, Costas_class_set{}, true, "test");
  ASSERT_EQ(result.failure, "");
  EXPECT_EQ(result.counts, Class_counts{});
  EXPECT_EQ(read_lines(dir / "Sorted_Costas_arrays_N=32.txt"),
            (std::vector<std::string>{"   32  0", "No Costas arrays."}));
  EXPECT_EQ(read_lines(dir / "Sorted_Costas_arrays_N=32.txt_methods.txt"),
            (std::vector<std::string>{"   32  0"}));
  EXPECT_EQ(read_lines(dir / "Costas_essense_N=32.txt"), (std::vector<std::string>{"No Costas arrays."}));
  EXPECT_EQ(read_lines(dir / "Costas_symmetrical_N=32.txt"),
            (std::vector<std::string>{"No symmetrical Costas arrays."}));
  EXPECT_EQ(read_lines(dir / "Costas_G-Symmetrical_N=32.txt"),
            (std::vector<std::string>{"No G-symmetrical Costas arrays."}));
  EXPECT_TRUE(read_lines(dir / "Costas_essense_N=32.txt_methods.txt").empty());
  expect_log_keys(dir / "Costas_log_N=32.txt");
}

TEST(Database_writer, ArraysThatFailTheCostasTestAreNotWritten) {
  Temp_dir dir;
  Costas_class_set bad;
  bad.add_representative(Costas_perm{0, 1, 2}, 1);
  const auto result = write_order_files(dir.path().string() + "/", 3, bad, true, "test");
  EXPECT_NE(result.failure.find("fails the Costas test"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 0);
}

TEST(Database_writer, UnwritableFolderIsAFailureNotAFile) {
  Temp_dir dir;
  const auto result = write_order_files((dir / "missing").string() + "/", 4, order_four(), true, "test");
  EXPECT_NE(result.failure, "");
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

}  // namespace
