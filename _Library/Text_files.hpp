// Text files with status codes: operating-system error numbers (errno) for failures of the
// system, -1 for end of file, and the 10000 band of iostat_table for our own failures.
// Files are RAII objects: the destructor flushes and closes, so every stop keeps its output.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

constexpr int status_ok = 0;
constexpr int status_end_of_file = -1;
constexpr int status_not_open_for_read = 10000;
constexpr int status_not_open_for_write = 10001;
constexpr int status_bad_numeric_input = 10016;
constexpr int status_record_too_long = 215;   // a line longer than max_line_length

// The longest line a file may hold (lines of the database hold a few thousand characters).
constexpr std::size_t max_line_length = std::size_t{1} << 22;

// The file name as the system opens it: on this system every "\" is taken as "/".
std::string native_path(std::string_view name);
// Whether a file of that name exists (after the "\" mapping); never for a name holding a NUL.
bool file_exists(std::string_view name);
// What name is when it exists and is no regular file ("a FIFO", "a folder", "a device",
// "a socket"): opening such a file for reading may wait for ever. Empty for a regular file or
// no file at all.
std::string irregular_file_kind(std::string_view name);

// The file system object behind a name or an open file: two equal identities are the same file,
// however spelled (a relative path, "..", a second hard link, a symbolic link).
struct File_identity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator==(const File_identity&) const = default;
};
// The identity of the file a name opens (links followed); none when there is no such file.
std::optional<File_identity> file_identity(std::string_view name);
// Whether name, with its links and ".." resolved, lies inside the existing folder; false when
// the folder does not exist.
bool path_lies_inside(std::string_view name, std::string_view folder);

// A failed read_line status in words for a reader's own message: a line longer than
// max_line_length says so in full (the status table cuts that text short), any other status is
// its iostat message.
std::string read_failure_text(int status);

class Text_input {
 public:
  Text_input() = default;
  ~Text_input() { close(); }
  Text_input(const Text_input&) = delete;
  Text_input& operator=(const Text_input&) = delete;

  [[nodiscard]] int open(std::string_view name);   // status_ok or errno; EINVAL for a NUL in name
  bool is_open() const { return file_ != nullptr; }
  std::optional<File_identity> identity() const;   // of the open file; none when closed
  // Reads one whole line of up to max_line_length characters into line (trailing CR dropped).
  // Returns status_ok, status_end_of_file, errno on a read error, status_record_too_long for
  // a longer line (the reading stops there), or status_not_open_for_read.
  [[nodiscard]] int read_line(std::string& line);
  void close();
  const std::string& name() const { return name_; }   // as given to open
  long line_number() const { return line_number_; }   // lines read so far

 private:
  std::FILE* file_ = nullptr;
  std::string name_;
  long line_number_ = 0;
  [[nodiscard]] int fill_buffer();   // status_ok, status_end_of_file or errno

  char* buffer_ = nullptr;   // bytes read from the file, next_..end_ not yet taken
  std::size_t next_ = 0;
  std::size_t end_ = 0;
};

// A UTF-8 byte-order mark at the start of file's first line (line just read) is no part of it:
// it is taken off.
void drop_byte_order_mark(const Text_input& file, std::string& line);

// rewind replaces the contents, append writes after them, update overwrites from the start of
// an existing file and keeps what lies beyond the bytes written.
enum class Write_position { rewind, append, update };

class Text_output {
 public:
  Text_output() = default;
  ~Text_output() { static_cast<void>(close()); }   // quietly: a caller that cares closes first
  Text_output(const Text_output&) = delete;
  Text_output& operator=(const Text_output&) = delete;

  // status_ok or errno (EINVAL for a NUL in name, EISDIR for a folder); creates the file.
  [[nodiscard]] int open(std::string_view name, Write_position position);
  bool is_open() const { return file_ != nullptr; }
  std::optional<File_identity> identity() const;   // of the open file; none when closed
  // Writes the bytes as they are (text and binary writes are the same on this system).
  // Returns status_ok, errno, or status_not_open_for_write.
  int write(std::string_view bytes);
  // Writes text and a line break. Returns status_ok, errno, or status_not_open_for_write.
  // After the first failure the file remembers it (status()) and later writes are dropped.
  int write_line(std::string_view text);
  [[nodiscard]] int flush();                                  // pushes the buffer to the system
  [[nodiscard]] int close();                    // flushes and closes; the first failure seen
  int status() const { return status_; }        // first failure since open, or status_ok
  const std::string& name() const { return name_; }

 private:
  std::FILE* file_ = nullptr;
  std::string name_;
  int status_ = status_ok;
};

// A file written under its name followed by a temporary suffix (".part" unless given) and
// renamed to its name by commit(); a file that is not committed is removed, so no half-written
// file ever stands under its final name.
class Staged_file {
 public:
  explicit Staged_file(std::string name, std::string temporary_suffix = ".part");
  ~Staged_file();
  Staged_file(const Staged_file&) = delete;
  Staged_file& operator=(const Staged_file&) = delete;

  void line(std::string_view text);    // one line and a line break
  void write(std::string_view bytes);  // the bytes as they are
  // Closes the temporary file. Returns an empty text, or the name and the status text of the
  // first failed write or of the close.
  [[nodiscard]] std::string finish();
  // Finishes and renames, replacing a file of the name unless replace is false. Returns an
  // empty text, or the name and what failed; name_taken() tells when the name was taken.
  [[nodiscard]] std::string commit(bool replace = true);
  bool name_taken() const { return name_taken_; }
  const std::string& name() const { return name_; }

 private:
  std::string temporary() const { return name_ + suffix_; }
  std::string name_;
  std::string suffix_;
  Text_output file_;
  int status_ = status_ok;
  bool finished_ = false;
  bool committed_ = false;
  bool name_taken_ = false;
};
