// Output files that a run must not write: the database files it reads, any file in the
// database folders, the options file, and another output file of the same run, however the
// name is spelled. Each is refused before it is opened, reported like an open failure with
// the reason, and left byte for byte as it was, whatever the answer and the write position.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The lines of the first run from the menu's last prompt up to and including "Continue?".
Lines lines_to_question(const Run_result& result) {
  Lines run;
  for (const auto& line : result.lines()) {
    if (line == "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:") {
      run.clear();
      continue;
    }
    run.push_back(line);
    if (line == " Continue (Y for yes, N for no)?") break;
  }
  return run;
}

struct Refusal_case {
  const char* what;
  const char* pathname;                    // the output pathname, relative to the working folder
  std::function<void(const fs::path&)> setup;
  bool text_refused;                       // else the CSV file is refused after the text file
  std::function<Lines(const std::string& db)> expected;   // db: the database path as composed
};

const std::string question = " Continue (Y for yes, N for no)?";

Lines text_refused(const std::string& pathname, const std::string& reason) {
  return {" ### Could not open " + pathname, " " + reason, question};
}

Lines csv_refused(const std::string& pathname, const std::string& csv, const std::string& status,
                  const std::string& reason) {
  return {" Output file is " + pathname,
          " Output file opened but CSV file has open error  " + status.substr(0, 3),
          " pathname: " + csv,
          " I/O error: " + status,
          " " + reason,
          question};
}

const std::string in_use = "203 File already opened in another unit";

std::string database_file(const std::string& db, const std::string& name) {
  return "It is the database file " + db + "Generated\\" + name + ", which this run reads";
}

}  // namespace

TEST(Protected_files, RefusedBeforeOpeningAndLeftUnchanged) {
  const auto nothing = [](const fs::path&) {};
  const Refusal_case cases[] = {
      {"essential-set file", "db/Generated/Costas_essense_N=4.txt", nothing, true,
       [](const std::string& db) {
         return text_refused("db/Generated/Costas_essense_N=4.txt",
                             database_file(db, "Costas_essense_N=4.txt"));
       }},
      {"all-arrays file", "db/Generated/Sorted_Costas_arrays_N=4.txt", nothing, true,
       [](const std::string& db) {
         return text_refused("db/Generated/Sorted_Costas_arrays_N=4.txt",
                             database_file(db, "Sorted_Costas_arrays_N=4.txt"));
       }},
      {"methods file", "db/Generated/Costas_symmetrical_N=4.txt_methods.txt", nothing, true,
       [](const std::string& db) {
         return text_refused("db/Generated/Costas_symmetrical_N=4.txt_methods.txt",
                             database_file(db, "Costas_symmetrical_N=4.txt_methods.txt"));
       }},
      {"log file", "db/Generated/Costas_log_N=4.txt", nothing, true,
       [](const std::string& db) {
         return text_refused("db/Generated/Costas_log_N=4.txt",
                             database_file(db, "Costas_log_N=4.txt"));
       }},
      {"file of another order", "db/Searches/Costas_essense_N=5.txt", nothing, true,
       [](const std::string& db) {
         return text_refused("db/Searches/Costas_essense_N=5.txt",
                             "It lies in the database folder " + db +
                                 "Searches\\, which is read-only");
       }},
      {"new file in a folder spelled with ..", "db/Generated/../Generated/new.txt", nothing, true,
       [](const std::string& db) {
         return text_refused("db/Generated/../Generated/new.txt",
                             "It lies in the database folder " + db +
                                 "Generated\\, which is read-only");
       }},
      {"database file spelled with ..", "db/Searches/../Generated/Costas_essense_N=4.txt",
       nothing, true,
       [](const std::string& db) {
         return text_refused("db/Searches/../Generated/Costas_essense_N=4.txt",
                             database_file(db, "Costas_essense_N=4.txt"));
       }},
      {"options file", "Vellumcairn_Options.txt", nothing, true,
       [](const std::string&) {
         return text_refused("Vellumcairn_Options.txt",
                             "It is the options file Vellumcairn_Options.txt, which this program "
                             "keeps");
       }},
      {"symbolic link to a database file", "link.txt",
       [](const fs::path& dir) {
         fs::create_symlink(dir / "db" / "Generated" / "Costas_essense_N=4.txt", dir / "link.txt");
       },
       true,
       [](const std::string& db) {
         return text_refused("link.txt", database_file(db, "Costas_essense_N=4.txt"));
       }},
      {"hard link to a database file", "hard.txt",
       [](const fs::path& dir) {
         fs::create_hard_link(dir / "db" / "Generated" / "Costas_log_N=4.txt", dir / "hard.txt");
       },
       true,
       [](const std::string& db) {
         return text_refused("hard.txt", database_file(db, "Costas_log_N=4.txt"));
       }},
      {"CSV file named like the output text file", "run.csv", nothing, false,
       [](const std::string&) {
         return csv_refused("run.csv", "run.csv", in_use,
                            "It is the output text file run.csv of this run");
       }},
      {"CSV file linked to a database file", "out.txt",
       [](const fs::path& dir) {
         fs::create_symlink(dir / "db" / "Generated" / "Costas_essense_N=4.txt", dir / "out.csv");
       },
       false,
       [](const std::string& db) {
         return csv_refused("out.txt", "out.csv", in_use,
                            database_file(db, "Costas_essense_N=4.txt"));
       }},
  };
  for (const Refusal_case& c : cases) {
    for (const char* position : {"APPEND", "REWIND"}) {
      for (const char* answer : {"Y", "N"}) {
        SCOPED_TRACE(std::string(c.what) + ", " + position + ", answer " + answer);
        Temp_dir dir;
        write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
        write_order(dir / "db" / "Searches", 5, three_essential_arrays(), false);
        set_options(dir.path(), [&](Options& o) {
          o.ca_order = 4;
          o.symmetry_type = 2;
          o.output_pathname = c.pathname;
          o.output_position = position;
        });
        c.setup(dir.path());
        const std::string db = (dir / "db").string() + "/";
        const auto before = folder_contents(dir / "db");
        const std::string options_before = read_file(dir / options_file_name);

        const Run_result result = run_program(std::string("Y\n0\n") + answer + "\nY\n", dir.path());
        EXPECT_EQ(lines_to_question(result), c.expected(db));
        EXPECT_EQ(folder_contents(dir / "db"), before);
        EXPECT_EQ(read_file(dir / options_file_name), options_before);
        EXPECT_EQ(result.exit_status, 0);
        const bool going_on = answer[0] == 'Y';
        EXPECT_EQ(result.err, !going_on && c.text_refused ? "2\n" : "");
        if (going_on) {
          // The run goes on: the arrays are written (to the console at least) and "Done?" ends it.
          const Lines lines = result.lines();
          EXPECT_NE(std::find(lines.begin(), lines.end(), "   1  3  2  0"), lines.end());
          EXPECT_NE(std::find(lines.begin(), lines.end(), " Done (Y for yes, N for no)?"),
                    lines.end());
        }
        if (!c.text_refused) {
          // The output text file holds its own lines only; the refused CSV lines went nowhere.
          const Lines text = read_lines(dir / c.pathname);
          if (going_on) {
            ASSERT_GE(text.size(), 2u);
            EXPECT_EQ(text[text.size() - 2], "   1  3  2  0");
            EXPECT_EQ(text.back(), three_essential_count_line);
          }
          for (const auto& line : text) EXPECT_EQ(line.find(" ,"), std::string::npos) << line;
        }
      }
    }
  }
}
