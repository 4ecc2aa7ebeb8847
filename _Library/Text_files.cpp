#include "_Library/Text_files.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "_Library/File_locks.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// Large buffers: a run streams hundreds of thousands of lines through these files.
constexpr std::size_t file_buffer_size = 1 << 16;

int errno_or(int fallback) { return errno != 0 ? errno : fallback; }

// A name with a NUL byte in it would open the file named by its part before the NUL: refuse it.
bool has_nul(std::string_view name) { return name.find('\0') != std::string_view::npos; }

}  // namespace

std::string native_path(std::string_view name) {
  std::string path(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool file_exists(std::string_view name) {
  if (has_nul(name)) return false;
  struct stat info {};
  return ::stat(native_path(name).c_str(), &info) == 0;
}

std::string irregular_file_kind(std::string_view name) {
  struct stat info {};
  if (has_nul(name) || ::stat(native_path(name).c_str(), &info) != 0 || S_ISREG(info.st_mode)) return {};
  if (S_ISFIFO(info.st_mode)) return "a FIFO";
  if (S_ISDIR(info.st_mode)) return "a folder";
  if (S_ISSOCK(info.st_mode)) return "a socket";
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return "a device";
  return "no regular file";
}

namespace {

std::optional<File_identity> identity_of(const struct stat& info) {
  return File_identity{static_cast<unsigned long long>(info.st_dev),
                       static_cast<unsigned long long>(info.st_ino)};
}

std::optional<File_identity> identity_of_open(std::FILE* file) {
  struct stat info {};
  if (file == nullptr || ::fstat(fileno(file), &info) != 0) return std::nullopt;
  return identity_of(info);
}

// The absolute path with every link resolved, a dangling last link included (writing through
// it would create its target), and "." and ".." taken out.
std::filesystem::path resolved_path(const std::filesystem::path& name) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  for (int links = 0; links < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++links) {
    const fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  const fs::path canonical = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : canonical;
}

}  // namespace

std::optional<File_identity> file_identity(std::string_view name) {
  if (has_nul(name)) return std::nullopt;
  struct stat info {};
  if (::stat(native_path(name).c_str(), &info) != 0) return std::nullopt;
  return identity_of(info);
}

bool path_lies_inside(std::string_view name, std::string_view folder) {
  namespace fs = std::filesystem;
  if (has_nul(name) || has_nul(folder)) return false;
  std::error_code error;
  const fs::path root = fs::canonical(native_path(folder), error);
  if (error || !fs::is_directory(root, error)) return false;
  const fs::path path = resolved_path(native_path(name));
  auto part = path.begin();
  for (const fs::path& root_part : root) {
    if (part == path.end() || *part != root_part) return false;
    ++part;
  }
  return part != path.end();
}

std::string read_failure_text(int status) {
  if (status == status_record_too_long) {
    return "a line longer than " + std::to_string(max_line_length) + " characters";
  }
  return iostat_message(status);
}

// ---- Text_input ----

std::optional<File_identity> Text_input::identity() const { return identity_of_open(file_); }

int Text_input::open(std::string_view name) {
  close();
  name_ = std::string(name);
  line_number_ = 0;
  if (has_nul(name)) return EINVAL;
  errno = 0;
  const std::string path = native_path(name);
  // Refuse folders up front: reading one fails in ways that differ between systems.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EISDIR;
  file_ = std::fopen(path.c_str(), "r");
  if (file_ == nullptr) return errno_or(status_not_open_for_read);
  return status_ok;
}

int Text_input::read_line(std::string& line) {
  if (file_ == nullptr) return status_not_open_for_read;
  line.clear();
  bool any = false;
  for (;;) {
    if (next_ == end_) {
      const int status = fill_buffer();
      if (status == status_end_of_file && any) break;   // a last line without a line break
      if (status != status_ok) return status;
    }
    any = true;
    const char* start = buffer_ + next_;
    const auto* stop = static_cast<const char*>(std::memchr(start, '\n', end_ - next_));
    const std::size_t count = stop != nullptr ? static_cast<std::size_t>(stop - start) : end_ - next_;
    // A damaged medium or a device can give endless data without a line break.
    if (line.size() + count > max_line_length) return status_record_too_long;
    line.append(start, count);
    next_ += count;
    if (stop != nullptr) {
      ++next_;
      break;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++line_number_;
  return status_ok;
}

int Text_input::fill_buffer() {
  if (buffer_ == nullptr) {
    buffer_ = static_cast<char*>(std::malloc(file_buffer_size));
    if (buffer_ == nullptr) return ENOMEM;
  }
  ssize_t count = 0;
  do {
    count = ::read(::fileno(file_), buffer_, file_buffer_size);
  } while (count < 0 && errno == EINTR);
  if (count < 0) return errno_or(status_not_open_for_read);
  if (count == 0) return status_end_of_file;
  next_ = 0;
  end_ = static_cast<std::size_t>(count);
  return status_ok;
}

void Text_input::close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::free(buffer_);
  buffer_ = nullptr;
  next_ = 0;
  end_ = 0;
}

// ---- Text_output ----

std::optional<File_identity> Text_output::identity() const { return identity_of_open(file_); }

int Text_output::open(std::string_view name, Write_position position) {
  static_cast<void>(close());   // a file still open here was the caller's to check
  name_ = std::string(name);
  status_ = status_ok;
  if (has_nul(name)) return EINVAL;
  errno = 0;
  const std::string path = native_path(name);
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EISDIR;
  const char* const mode = position == Write_position::append   ? "a"
                           : position == Write_position::update ? "r+"
                                                                : "w";
  file_ = std::fopen(path.c_str(), mode);
  if (file_ == nullptr) return errno_or(status_not_open_for_write);
  std::setvbuf(file_, nullptr, _IOFBF, file_buffer_size);
  return status_ok;
}

int Text_output::write(std::string_view bytes) {
  if (file_ == nullptr) return status_not_open_for_write;
  if (status_ != status_ok) return status_;
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    status_ = errno_or(EIO);
  }
  return status_;
}

int Text_output::write_line(std::string_view text) {
  if (file_ == nullptr) return status_not_open_for_write;
  if (status_ != status_ok) return status_;
  errno = 0;
  const bool written = text.empty() || std::fwrite(text.data(), 1, text.size(), file_) == text.size();
  if (!written || std::fputc('\n', file_) == EOF) {
    status_ = errno_or(EIO);
  }
  return status_;
}

int Text_output::flush() {
  if (file_ == nullptr) return status_not_open_for_write;
  errno = 0;
  if (std::fflush(file_) != 0 && status_ == status_ok) status_ = errno_or(EIO);
  return status_;
}

int Text_output::close() {
  if (file_ == nullptr) return status_;
  errno = 0;
  if (std::fflush(file_) != 0 && status_ == status_ok) status_ = errno_or(EIO);
  errno = 0;
  if (std::fclose(file_) != 0 && status_ == status_ok) status_ = errno_or(EIO);
  file_ = nullptr;
  return status_;
}

// ---- Staged_file ----

Staged_file::Staged_file(std::string name, std::string temporary_suffix)
    : name_(std::move(name)), suffix_(std::move(temporary_suffix)) {
  status_ = file_.open(temporary(), Write_position::rewind);
}

Staged_file::~Staged_file() {
  if (!committed_) {
    static_cast<void>(file_.close());   // the unfinished file is removed whatever it held
    std::remove(native_path(temporary()).c_str());
  }
}

void Staged_file::line(std::string_view text) {
  if (status_ == status_ok) status_ = file_.write_line(text);
}

void Staged_file::write(std::string_view bytes) {
  if (status_ == status_ok) status_ = file_.write(bytes);
}

std::string Staged_file::finish() {
  if (status_ == status_ok && !finished_) status_ = file_.close();
  finished_ = true;
  if (status_ != status_ok) return name_ + ": " + iostat_message(status_);
  return {};
}

std::string Staged_file::commit(bool replace) {
  if (std::string failure = finish(); !failure.empty()) return failure;
  errno = 0;
  const int status = replace ? (std::rename(native_path(temporary()).c_str(), native_path(name_).c_str()) == 0
                                    ? status_ok
                                    : errno_or(EIO))
                             : rename_without_replacing(temporary(), name_);
  if (status != status_ok) {
    name_taken_ = status == EEXIST && !replace;
    return name_ + ": could not rename the finished file: " +
           (name_taken_ ? std::string("another file took its name first") : iostat_message(status));
  }
  committed_ = true;
  return {};
}

void drop_byte_order_mark(const Text_input& file, std::string& line) {
  if (file.line_number() == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
}
