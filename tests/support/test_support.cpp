#include "test_support.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

Temp_dir::Temp_dir() {
  std::random_device device;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = fs::temp_directory_path() / ("vellumcairn_test_" + std::to_string(device()));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

Temp_dir::~Temp_dir() {
  std::error_code ignored;
  // Give back write permission that a test may have taken away, so that removal succeeds.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

Working_dir::Working_dir(const fs::path& dir) : previous_(fs::current_path()) {
  fs::current_path(dir);
}

Working_dir::~Working_dir() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> Scripted_console::lines() const { return split_lines(out.str()); }
std::vector<std::string> Run_result::lines() const { return split_lines(out); }

Run_result run_binary(const std::string& binary, const std::vector<std::string>& args,
                      const std::string& input, const fs::path& dir) {
  // Input and outputs go through files, so that neither side can block the other.
  const fs::path in_file = dir / ".test_stdin";
  const fs::path out_file = dir / ".test_stdout";
  const fs::path err_file = dir / ".test_stderr";
  write_file(in_file, input);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    const int in = ::open(in_file.c_str(), O_RDONLY);
    const int out = ::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(binary.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  Run_result result;
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = read_file(out_file);
  result.err = read_file(err_file);
  fs::remove(in_file);
  fs::remove(out_file);
  fs::remove(err_file);
  return result;
}

Run_result run_program(const std::string& input, const fs::path& dir) {
  return run_binary(VELLUMCAIRN_BINARY, {}, input, dir);
}

std::string read_file(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::vector<std::string> read_lines(const fs::path& file) { return split_lines(read_file(file)); }

void write_file(const fs::path& file, const std::string& contents) {
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream << contents;
}
