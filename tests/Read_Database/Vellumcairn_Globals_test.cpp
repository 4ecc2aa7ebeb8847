// Names of the output files.
#include <gtest/gtest.h>

#include "Read_Database/Vellumcairn_Globals.hpp"

struct Output_name_case {
  const char* pathname;
  const char* csv;
  const char* methods;
  const char* polynomials;
};

TEST(Output_names, DerivedByPosition) {
  constexpr Output_name_case cases[] = {
      {".\\Vellumcairn_Output.txt", ".\\Vellumcairn_Output.csv", ".\\Vellumcairn_Output_methods.csv",
       ".\\Vellumcairn_Output_polynomials.csv"},
      {"C:\\data\\run1.txt", "C:\\data\\run1.csv", "C:\\data\\run1_methods.csv",
       "C:\\data\\run1_polynomials.csv"},
      {"out", "csv", "_methods.csv", "_polynomials.csv"},
      {"ab", "csv", "_methods.csv", "_polynomials.csv"},
      {"run.csv  ", "run.csv", "run_methods.csv", "run_polynomials.csv"},
      {"./results/x.text", "./results/x.tcsv", "./results/x._methods.csv",
       "./results/x._polynomials.csv"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(csv_file_name(c.pathname), c.csv) << c.pathname;
    EXPECT_EQ(methods_csv_file_name(c.pathname), c.methods) << c.pathname;
    EXPECT_EQ(polynomials_csv_file_name(c.pathname), c.polynomials) << c.pathname;
  }
}
