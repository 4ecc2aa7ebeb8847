// Names of the output files.
#include <gtest/gtest.h>

#include "Read_Database/Vellumcairn_Globals.hpp"

struct Output_name_case {
  const char* pathname;
  const char* csv;
  const char* methods;
  const char* polynomials;
};

// A three-letter extension is replaced by position; any other name is kept whole.
TEST(Output_names, ThreeLetterExtensionReplacedOtherNamesKeptWhole) {
  constexpr Output_name_case cases[] = {
      {".\\Vellumcairn_Output.txt", ".\\Vellumcairn_Output.csv", ".\\Vellumcairn_Output_methods.csv",
       ".\\Vellumcairn_Output_polynomials.csv"},
      {"C:\\data\\run1.txt", "C:\\data\\run1.csv", "C:\\data\\run1_methods.csv",
       "C:\\data\\run1_polynomials.csv"},
      {"out", "out.csv", "out_methods.csv", "out_polynomials.csv"},
      {"ab", "ab.csv", "ab_methods.csv", "ab_polynomials.csv"},
      {"run.1", "run.1.csv", "run.1_methods.csv", "run.1_polynomials.csv"},
      {"run.csv  ", "run.csv", "run_methods.csv", "run_polynomials.csv"},
      {"./results/x.text", "./results/x.text.csv", "./results/x.text_methods.csv",
       "./results/x.text_polynomials.csv"},
      // The three characters after the dot belong to a folder: the name "c" has no extension.
      {"a.b/c", "a.b/c.csv", "a.b/c_methods.csv", "a.b/c_polynomials.csv"},
      {"a.b\\c", "a.b\\c.csv", "a.b\\c_methods.csv", "a.b\\c_polynomials.csv"},
      {".abc", ".csv", "_methods.csv", "_polynomials.csv"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(csv_file_name(c.pathname), c.csv) << c.pathname;
    EXPECT_EQ(methods_csv_file_name(c.pathname), c.methods) << c.pathname;
    EXPECT_EQ(polynomials_csv_file_name(c.pathname), c.polynomials) << c.pathname;
  }
}
