// Helpers shared by the tests: temporary working folders, scripted in-process dialogues and
// runs of the real binaries.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "_Library/Console_io.hpp"
#include "_Library/Program_stop.hpp"

// A fresh temporary folder, removed with everything in it at the end of the test.
class Temp_dir {
 public:
  Temp_dir();
  ~Temp_dir();
  Temp_dir(const Temp_dir&) = delete;
  Temp_dir& operator=(const Temp_dir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Makes dir the working folder for the lifetime of the object.
class Working_dir {
 public:
  explicit Working_dir(const std::filesystem::path& dir);
  ~Working_dir();
  Working_dir(const Working_dir&) = delete;
  Working_dir& operator=(const Working_dir&) = delete;

 private:
  std::filesystem::path previous_;
};

// A Console over string streams: feed the answers, read back what was shown.
struct Scripted_console {
  explicit Scripted_console(const std::string& answers = "") : in(answers), console(in, out, err) {}
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  Console console;
  std::vector<std::string> lines() const;   // standard output split into lines
};

// Runs action and returns the stop that ended it, or nothing when it returned normally.
std::optional<Program_stop> stop_of(const std::function<void()>& action);

struct Run_result {
  std::string out;
  std::string err;
  int exit_status = -1;
  std::vector<std::string> lines() const;   // standard output split into lines
};

// Runs a program with input as its standard input in working folder dir.
Run_result run_binary(const std::string& binary, const std::vector<std::string>& args,
                      const std::string& input, const std::filesystem::path& dir);
// Runs the real vellumcairn binary.
Run_result run_program(const std::string& input, const std::filesystem::path& dir);

// Runs the real vellumcairn binary in dir with the folder read_only (dir itself or a folder
// under it) made a read-only bind mount in a mount namespace of its own: nothing, root
// included, can write there. nullopt when this system does not let the test set that up.
std::optional<Run_result> run_program_read_only(const std::string& input,
                                                const std::filesystem::path& dir,
                                                const std::filesystem::path& read_only);

// Waits for a running program poll every 10 ms for at most this many polls (at least two
// minutes). The limit only keeps a broken program from hanging the suite: what the tests check
// never depends on how soon the program gets there, so a loaded machine cannot fail them.
constexpr int hang_guard_polls = 12000;

// The real vellumcairn binary started in dir with a pipe as its standard input, for tests that
// signal it while it waits at a prompt.
class Running_program {
 public:
  explicit Running_program(const std::filesystem::path& dir);
  ~Running_program();   // kills the program if it still runs
  Running_program(const Running_program&) = delete;
  Running_program& operator=(const Running_program&) = delete;

  void type(const std::string& answers);   // writes to its standard input
  // Waits (at most hang_guard_polls polls) until its standard output ends with text; false on
  // time-out or when the program ended first.
  bool wait_for_prompt(const std::string& text);
  void send_signal(int signal_number);
  Run_result finish();   // closes standard input and waits for the end

 private:
  std::filesystem::path dir_;
  int input_ = -1;
  int pid_ = -1;
  int exit_status_ = -1;   // when the program ended while a prompt was awaited
};

std::string read_file(const std::filesystem::path& file);
std::vector<std::string> read_lines(const std::filesystem::path& file);
void write_file(const std::filesystem::path& file, const std::string& contents);
std::vector<std::string> split_lines(const std::string& text);
