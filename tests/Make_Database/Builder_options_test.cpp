#include "Make_Database/Builder_options.hpp"

#include <gtest/gtest.h>

namespace {

struct Parse_case {
  std::vector<std::string> args;
  std::string error_part;   // empty when the arguments are good
  Order_range searched, generated;
};

TEST(Builder_options, RangesDefaultsAndErrors) {
  const Parse_case cases[] = {
      {{"--out", "db"}, "", sample_searched, sample_generated},
      {{"--out", "db", "--searched", "3-13"}, "", {3, 13}, {}},
      {{"--out=db", "--generated=28-500"}, "", {}, {28, 500}},
      {{"--out", "db", "--generated", "100"}, "", {}, {100, 100}},
      {{"--out", "db", "--searched", "2-5"}, "within 3-27", {}, {}},
      {{"--out", "db", "--generated", "1-5"}, "within 2-500", {}, {}},
      {{"--out", "db", "--generated", "60-50"}, "run upwards", {}, {}},
      {{"--out", "db", "--generated", "x"}, "needs FROM-TO", {}, {}},
      {{"--out", "db", "--searched", "3-"}, "needs FROM-TO", {}, {}},
      {{"--out", "db", "--jobs", "0"}, "--jobs needs", {}, {}},
      {{"--out"}, "--out needs a value", {}, {}},
      {{"--searched", "3-5"}, "--out DIR is required", {}, {}},
      {{"--out", "db", "--frobnicate"}, "unknown argument '--frobnicate'", {}, {}},
      {{"--out", "db", "--check-counts=yes"}, "takes no value", {}, {}},
      {{"--out", "db", "--bogus=1"}, "unknown argument '--bogus=1'", {}, {}},
      {{"--out", "db", "extra"}, "unknown argument 'extra'", {}, {}},
      {{}, "--out DIR is required", {}, {}},
  };
  for (const auto& c : cases) {
    Builder_options options;
    const std::string error = parse_builder_options(c.args, options);
    const std::string shown = testing::PrintToString(c.args);
    if (c.error_part.empty()) {
      EXPECT_EQ(error, "") << shown;
      EXPECT_EQ(options.searched.from, c.searched.from) << shown;
      EXPECT_EQ(options.searched.to, c.searched.to) << shown;
      EXPECT_EQ(options.generated.from, c.generated.from) << shown;
      EXPECT_EQ(options.generated.to, c.generated.to) << shown;
    } else {
      EXPECT_NE(error.find(c.error_part), std::string::npos) << shown << " gave: " << error;
    }
  }
}

TEST(Builder_options, FlagsAndTheOptionsFileAlone) {
  Builder_options options;
  EXPECT_EQ(parse_builder_options({"--out", "d", "--jobs", "4", "--check-counts"}, options), "");
  EXPECT_EQ(options.jobs, 4);
  EXPECT_TRUE(options.check_counts);
  Builder_options alone;
  EXPECT_EQ(parse_builder_options({"--write-options", "./database/"}, alone), "");
  EXPECT_TRUE(alone.out.empty());
  EXPECT_TRUE(alone.searched.empty());
  EXPECT_EQ(alone.options_database_path, "./database/");
  Builder_options help;
  EXPECT_EQ(parse_builder_options({"--help"}, help), "");
  EXPECT_TRUE(help.help);
}

}  // namespace
