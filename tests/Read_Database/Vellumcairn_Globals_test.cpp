// Names of the database files and of the output files.
#include <gtest/gtest.h>

#include "Vellumcairn_Globals.hpp"

TEST(Database_names, FolderKindOrderAndMethodsEnding) {
  const std::string essential = database_file_name("D:\\Generated\\", "Costas_essense_N=", 12);
  EXPECT_EQ(essential, "D:\\Generated\\Costas_essense_N=12.txt");
  EXPECT_EQ(methods_file_name(essential), "D:\\Generated\\Costas_essense_N=12.txt_methods.txt");
  EXPECT_EQ(database_file_name("D:\\dataGenerated\\", "Costas_log_N=", 7),
            "D:\\dataGenerated\\Costas_log_N=7.txt");
  EXPECT_EQ(database_file_name("", "Sorted_Costas_arrays_N=", 129), "Sorted_Costas_arrays_N=129.txt");
}

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
