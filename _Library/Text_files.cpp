#include "Text_files.hpp"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace {

// Large buffers: a run streams hundreds of thousands of lines through these files.
constexpr std::size_t file_buffer_size = 1 << 16;

int errno_or(int fallback) { return errno != 0 ? errno : fallback; }

}  // namespace

std::string native_path(std::string_view name) {
  std::string path(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

bool file_exists(std::string_view name) {
  struct stat info {};
  return ::stat(native_path(name).c_str(), &info) == 0;
}

// ---- Text_input ----

int Text_input::open(std::string_view name) {
  close();
  name_ = std::string(name);
  line_number_ = 0;
  errno = 0;
  const std::string path = native_path(name);
  // Refuse folders up front: reading one fails in ways that differ between systems.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EISDIR;
  file_ = std::fopen(path.c_str(), "r");
  if (file_ == nullptr) return errno_or(status_not_open_for_read);
  std::setvbuf(file_, nullptr, _IOFBF, file_buffer_size);
  return status_ok;
}

int Text_input::read_line(std::string& line) {
  if (file_ == nullptr) return status_not_open_for_read;
  errno = 0;
  const ssize_t length = ::getline(&buffer_, &capacity_, file_);
  if (length < 0) {
    if (std::ferror(file_)) return errno_or(status_not_open_for_read);
    return status_end_of_file;
  }
  std::size_t size = static_cast<std::size_t>(length);
  if (size > 0 && buffer_[size - 1] == '\n') --size;
  if (size > 0 && buffer_[size - 1] == '\r') --size;
  line.assign(buffer_, size);
  ++line_number_;
  return status_ok;
}

void Text_input::close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::free(buffer_);
  buffer_ = nullptr;
  capacity_ = 0;
}

// ---- Text_output ----

int Text_output::open(std::string_view name, Write_position position) {
  close();
  name_ = std::string(name);
  status_ = status_ok;
  errno = 0;
  const std::string path = native_path(name);
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return EISDIR;
  file_ = std::fopen(path.c_str(), position == Write_position::append ? "a" : "w");
  if (file_ == nullptr) return errno_or(status_not_open_for_write);
  std::setvbuf(file_, nullptr, _IOFBF, file_buffer_size);
  return status_ok;
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
