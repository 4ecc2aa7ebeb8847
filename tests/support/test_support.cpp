#include "tests/support/test_support.hpp"

#include "tests/support/Test_database.hpp"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

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

std::optional<Program_stop> stop_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const Program_stop& stop) {
    return stop;
  }
  return std::nullopt;
}

std::vector<std::string> Scripted_console::lines() const { return split_lines(out.str()); }
std::vector<std::string> Run_result::lines() const { return split_lines(out); }

namespace {

constexpr int setup_refused = 77;   // the child could not make the read-only mount

// In the child: makes folder a read-only bind mount in a private mount namespace.
bool make_read_only(const fs::path& folder) {
  if (::unshare(CLONE_NEWNS) != 0) return false;
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) return false;
  return ::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

Run_result run_in(const std::string& binary, const std::vector<std::string>& args,
                  const std::string& input, const fs::path& dir, const fs::path* read_only) {
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
    if (read_only != nullptr) {
      if (!make_read_only(*read_only)) ::_exit(setup_refused);
      // The working folder again, now seen through the read-only mount.
      if (::chdir(dir.c_str()) != 0) ::_exit(127);
    }
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

}  // namespace

Run_result run_binary(const std::string& binary, const std::vector<std::string>& args,
                      const std::string& input, const fs::path& dir) {
  return run_in(binary, args, input, dir, nullptr);
}

std::optional<Run_result> run_program_read_only(const std::string& input, const fs::path& dir,
                                                const fs::path& read_only) {
  Run_result result = run_in(VELLUMCAIRN_BINARY, {}, input, dir, &read_only);
  if (result.exit_status == setup_refused && result.out.empty()) return std::nullopt;
  return result;
}

Running_program::Running_program(const fs::path& dir) : dir_(dir) {
  // Typing to a program that has ended must fail the test, not kill it.
  std::signal(SIGPIPE, SIG_IGN);
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) throw std::runtime_error("cannot make a pipe");
  const fs::path out_file = dir / ".test_stdout";
  const fs::path err_file = dir / ".test_stderr";
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    const int out = ::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(pipe_ends[0], 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::close(pipe_ends[1]);
    ::execl(VELLUMCAIRN_BINARY, VELLUMCAIRN_BINARY, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipe_ends[0]);
  input_ = pipe_ends[1];
  pid_ = pid;
}

Running_program::~Running_program() {
  if (input_ >= 0) ::close(input_);
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void Running_program::type(const std::string& answers) {
  const ssize_t written = ::write(input_, answers.data(), answers.size());
  if (written != static_cast<ssize_t>(answers.size())) throw std::runtime_error("cannot type");
}

bool Running_program::wait_for_prompt(const std::string& text) {
  for (int tries = 0; tries < hang_guard_polls; ++tries) {
    if (read_file(dir_ / ".test_stdout").ends_with(text)) return true;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      pid_ = -1;
      return false;
    }
    ::usleep(10000);
  }
  return false;
}

void Running_program::send_signal(int signal_number) { ::kill(pid_, signal_number); }

Run_result Running_program::finish() {
  Run_result result;
  result.exit_status = exit_status_;
  ::close(input_);
  input_ = -1;
  if (pid_ > 0) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid_ = -1;
  }
  result.out = read_file(dir_ / ".test_stdout");
  result.err = read_file(dir_ / ".test_stderr");
  fs::remove(dir_ / ".test_stdout");
  fs::remove(dir_ / ".test_stderr");
  return result;
}

Run_result run_program(const std::string& input, const fs::path& dir) {
  return run_binary(VELLUMCAIRN_BINARY, {}, input, dir);
}

std::string read_file(const fs::path& file) { return read_text(file); }

std::vector<std::string> read_lines(const fs::path& file) { return split_lines(read_file(file)); }

void write_file(const fs::path& file, const std::string& contents) { write_text(file, contents); }
