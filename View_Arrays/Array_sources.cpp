#include "View_Arrays/Array_sources.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "_Library/Costas_arrays/method_bitmask.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Output_text_lines.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"
#include "View_Arrays/Shown_input.hpp"

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view base_name(std::string_view name) {
  const auto slash = name.find_last_of("/\\");
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// The decimal integers of a line made only of integers and separators, read into values up to
// the first token that is none (a word, a sign, a number beyond every integer), which is
// returned; empty when every token was read. A number too large for its line is read, so that
// the line is refused as out of range like any other row too large.
std::string_view read_integers(std::string_view text, std::vector<long>& values) {
  values.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    if (is_row_separator(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !is_row_separator(text[end])) ++end;
    long value = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + end, value);
    const std::string_view token = text.substr(i, end - i);
    if (!is_digit(text[i]) || result.ec != std::errc() || result.ptr != text.data() + end) {
      return token;
    }
    values.push_back(value);
    i = end;
  }
  return {};
}

// What is wrong with a line that read_integers refused at token bad: that token, when the line
// starts with row indices or a number; otherwise the line itself is no array (nor, in the
// program's output text file, a tag line or a line of the run's summary).
std::string line_fault(std::string_view text, std::string_view bad, bool values_before,
                       bool output_text) {
  const char first = bad.front();
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "\"" + std::string chains.
  std::string fault;
  if (values_before || is_digit(first) || first == '-' || first == '+') {
    fault = '"';
    fault += shown_input(bad);
    fault += "\" is not a row index";
    return fault;
  }
  fault = output_text ? "neither row indices nor a tag or summary line: \""
                      : "not a line of row indices: \"";
  fault += shown_input(text);
  fault += '"';
  return fault;
}

// A tag line of the output text file: flag names ("Welch 0, Rows Reversed") or "Polymorph",
// separated by ", ".
bool is_tag_line(std::string_view line) {
  if (line.empty()) return false;
  std::size_t start = 0;
  while (true) {
    const auto comma = line.find(", ", start);
    const auto item = line.substr(start, comma == std::string_view::npos ? line.npos
                                                                         : comma - start);
    const bool named =
        item == "Polymorph" ||
        std::any_of(method_flag_names.begin(), method_flag_names.end(),
                    [&](std::string_view name) { return trim_right(name) == item; });
    if (!named) return false;
    if (comma == std::string_view::npos) return true;
    start = comma + 2;
  }
}

}  // namespace

std::string Viewed_array::label() const {
  if (source.empty()) return "argument " + std::to_string(line);
  return "line " + std::to_string(line) + " of " + shown_name(base_name(source));
}

std::optional<Line_selection> Line_selection::parse(std::string_view text, std::string& error) {
  Line_selection selection;
  if (text.empty()) return selection;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto comma = text.find(',', start);
    const auto item = text.substr(start, comma == std::string_view::npos ? text.npos
                                                                         : comma - start);
    const auto dash = item.find('-');
    long first = 0;
    long last = 0;
    bool good = parse_whole(item.substr(0, dash), first) && first >= 1;
    if (dash == std::string_view::npos) {
      last = first;
    } else {
      good = good && parse_whole(item.substr(dash + 1), last) && last >= first;
    }
    if (!good) {
      error.assign(1, '"');
      error += shown_input(text);
      error += "\" is not a list of line numbers and ranges such as 5 or 3-9 or 2,7-9";
      return std::nullopt;
    }
    selection.ranges_.emplace_back(first, last);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return selection;
}

bool Line_selection::contains(long line) const {
  if (ranges_.empty()) return true;
  return std::any_of(ranges_.begin(), ranges_.end(),
                     [&](const auto& range) { return range.first <= line && line <= range.second; });
}

bool Line_selection::done_after(long line) const {
  if (ranges_.empty()) return false;
  return std::all_of(ranges_.begin(), ranges_.end(),
                     [&](const auto& range) { return range.second <= line; });
}

bool is_typed_array(std::string_view argument) {
  return std::any_of(argument.begin(), argument.end(), is_digit) &&
         std::all_of(argument.begin(), argument.end(),
                     [](char c) { return is_digit(c) || is_row_separator(c); });
}

Array_reader::Array_reader(std::string source, Index_base base, Line_selection lines,
                           long argument_number)
    : source_(std::move(source)), base_(base), lines_(std::move(lines)),
      argument_number_(argument_number) {}

std::string Array_reader::open() {
  if (is_typed_array(source_)) {
    kind_ = Kind::typed;
    return {};
  }
  if (source_.empty()) return "an empty argument is no SOURCE";
  const std::string_view name = base_name(source_);
  if (name.ends_with("_methods.txt") || name.ends_with("_methods.csv") ||
      name.ends_with("_polynomials.csv")) {
    return shown_name(source_) +
           " holds no arrays (it belongs to an arrays file); give the arrays file";
  }
  if (name.starts_with(log_kind)) {
    return shown_name(source_) + " is a database log file, which holds no arrays";
  }
  std::string methods_name;
  if (const auto database_name = read_database_file_name(name)) {
    kind_ = Kind::database;
    order_ = database_name->order;
    header_pending_ = database_name->kind == all_arrays_kind;
    methods_name = methods_file_name(source_);
  } else if (name.ends_with(".csv")) {
    kind_ = Kind::csv;
    methods_name = source_.substr(0, source_.size() - 4) + "_methods.csv";
  } else {
    kind_ = Kind::text;
  }
  const int status = file_.open(source_);
  if (status != status_ok) {
    return "cannot read " + shown_name(source_) + ": " + std::strerror(status);
  }
  if (!methods_name.empty() && file_exists(methods_name)) {
    const int tags_status = tags_.open(methods_name);
    if (tags_status != status_ok) {
      return "cannot read " + shown_name(methods_name) + ": " + std::strerror(tags_status);
    }
  }
  return {};
}

std::vector<File_identity> Array_reader::identities() const {
  std::vector<File_identity> result;
  for (const Text_input* file : {&file_, &tags_}) {
    if (const auto identity = file->identity()) result.push_back(*identity);
  }
  return result;
}

bool Array_reader::fail(long line, const std::string& what) {
  ended_ = true;
  error_ = kind_ == Kind::typed ? "argument " + std::to_string(argument_number_) + " (\"" +
                                      shown_input(source_) + "\"): " + what
                                : shown_name(source_) + ", line " + std::to_string(line) + ": " +
                                      what;
  return false;
}

// Reads the line of the methods CSV file that belongs to an array line of the CSV file ("Polymorph"
// when there is no such file and the line was marked).
bool Array_reader::read_tag_in_step(long line, bool polymorph, std::string& tag) {
  tag = polymorph ? "Polymorph" : "";
  if (!tags_.is_open()) return true;
  std::string tag_line;
  const int status = tags_.read_line(tag_line);
  drop_byte_order_mark(tags_, tag_line);
  if (status != status_ok) {
    return fail(line, "its tag is missing: " + shown_name(tags_.name()) + " ends at line " +
                          std::to_string(tags_.line_number()) + " (" +
                          (status == status_end_of_file ? std::string("end of file")
                                                        : iostat_message(status)) + ")");
  }
  // A tag is shown as it stands; one of any length or bytes is shown as input is.
  tag = shown_input(trim(tag_line), 200);
  return true;
}

bool Array_reader::take_array(long line, Viewed_array& array) {
  const std::vector<long>& values = values_;
  const auto n = static_cast<std::int32_t>(values.size());
  if (order_ != 0 && n != order_) {
    return fail(line, std::to_string(n) + " row indices where the arrays " +
                          (kind_ == Kind::database ? std::string("of this file")
                                                   : std::string("before it")) +
                          " have order " + std::to_string(order_));
  }
  if (n > largest_viewed_order) {
    return fail(line, "order " + std::to_string(n) + " is above " +
                          std::to_string(largest_viewed_order) + ", the largest this tool reads");
  }
  if (kind_ != Kind::typed) order_ = n;
  int base = base_ == Index_base::one ? 1 : 0;
  if (base_ == Index_base::automatic) {
    base = std::find(values.begin(), values.end(), 0) == values.end() ? 1 : 0;
  }
  array.rows.assign(static_cast<std::size_t>(n), 0);
  std::vector<long> column_of_row(static_cast<std::size_t>(n), -1);
  for (std::int32_t c = 0; c < n; ++c) {
    const long row = values[static_cast<std::size_t>(c)] - base;
    if (row < 0 || row >= n) {
      return fail(line, "row " + std::to_string(values[static_cast<std::size_t>(c)]) +
                            " in column " + std::to_string(c + base) + " is outside " +
                            std::to_string(base) + ".." + std::to_string(n - 1 + base));
    }
    long& seen = column_of_row[static_cast<std::size_t>(row)];
    if (seen >= 0) {
      return fail(line, "row " + std::to_string(row + base) + " appears twice, in columns " +
                            std::to_string(seen + base) + " and " + std::to_string(c + base));
    }
    seen = c;
    array.rows[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(row);
  }
  array.base = base;
  array.line = line;
  array.source = kind_ == Kind::typed ? std::string() : source_;
  return true;
}

bool Array_reader::next_line(long& line, std::string_view& text) {
  while (true) {
    const int status = file_.read_line(line_);
    if (status == status_end_of_file) {
      ended_ = true;
      return false;
    }
    if (status != status_ok) {
      // The line that failed is the one after the last line read.
      return fail(file_.line_number() + 1, status == status_record_too_long
                                               ? std::string("the line is too long")
                                               : iostat_message(status));
    }
    line = file_.line_number();
    drop_byte_order_mark(file_, line_);
    text = trim(line_);
    if (!text.empty()) return true;
    pending_tag_.clear();
  }
}

bool Array_reader::fail_in(const Stream_fault& fault) {
  ended_ = true;
  error_ = shown_name(fault.file) + ", line " + std::to_string(fault.line) + ": " + fault.what;
  return false;
}

// The all-arrays file's first line gives its order and its number of arrays; its methods
// file's first line pairs with it.
bool Array_reader::read_database_header() {
  header_pending_ = false;
  long line = 0;
  std::string_view text;
  if (!next_line(line, text)) return false;
  if (line != 1) return fail(1, std::string(blank_line_among_arrays));
  std::int32_t n = 0;
  std::int64_t count = 0;
  if (!read_all_arrays_header(text, n, count) || n != order_) {
    return fail(line, "the first line of the file should give its order " +
                          std::to_string(order_) + " and its number of arrays");
  }
  std::string methods_header;
  if (tags_.is_open()) static_cast<void>(tags_.read_line(methods_header));
  return true;
}

bool Array_reader::next_database_line(long& line, std::string_view& text, bool& polymorph,
                                      std::string& tag) {
  if (header_pending_ && !read_database_header()) return false;
  // The row indices are read here, in the base the line shows (see take_array).
  if (!stream_) stream_.emplace(file_, tags_.is_open() ? &tags_ : nullptr, 0, 0, true);
  const Arrays_stream::Item item = stream_->next({});
  if (item.kind == Arrays_stream::Kind::end) {
    ended_ = true;
    return false;
  }
  if (item.kind == Arrays_stream::Kind::fault) return fail_in(item.fault);
  if (!item.methods_fault.empty()) return fail_in(item.methods_fault);
  line = item.line;
  text = item.text;
  polymorph = item.polymorph;
  tag = polymorph ? "Polymorph" : "";
  if (item.flags != 0) {
    tag.clear();
    append_method_tag(tag, item.flags);
  }
  return true;
}

bool Array_reader::next(Viewed_array& array) {
  if (ended_) return false;
  if (kind_ == Kind::typed) {
    // The line selection picks lines of files; a typed array is always taken.
    ended_ = true;
    array.tag.clear();
    const std::string_view bad = read_integers(source_, values_);
    if (!bad.empty()) return fail(0, line_fault(source_, bad, !values_.empty(), false));
    return take_array(argument_number_, array);
  }
  long line = 0;
  std::string_view text;
  bool polymorph = false;
  std::string tag;
  const bool database = kind_ == Kind::database;
  while (database ? next_database_line(line, text, polymorph, tag) : next_line(line, text)) {
    if (!database) {
      tag.clear();
      if (kind_ == Kind::csv && !take_tidy_row(line, text, tag)) continue;
      polymorph = kind_ != Kind::csv && take_polymorph_mark(text);
    }
    // Read once: the output text file's other lines are told apart from its arrays by it.
    const std::string_view bad = read_integers(text, values_);
    const bool integers = bad.empty() && !values_.empty();
    const bool other_line = kind_ == Kind::text && !integers && !polymorph;
    if (other_line && is_tag_line(text)) {
      pending_tag_ = text;
      continue;
    }
    if (kind_ == Kind::text) {
      tag = pending_tag_.empty() && polymorph ? "Polymorph" : pending_tag_;
      pending_tag_.clear();
      // The log's lines, the filter line and the count line that a run writes with its arrays.
      if (other_line && is_run_summary_line(text)) continue;
    } else if (kind_ == Kind::csv && !tidy_ && !read_tag_in_step(line, polymorph, tag)) {
      return false;
    }
    if (!lines_.contains(line)) {
      if (lines_.done_after(line)) break;
      continue;
    }
    // Every other line is refused: an array never goes missing without a word.
    if (!integers) {
      return fail(line, bad.empty() ? std::string("no row indices")
                                    : line_fault(text, bad, polymorph || !values_.empty(),
                                                 kind_ == Kind::text));
    }
    if (!take_array(line, array)) return false;
    array.tag = std::move(tag);
    return true;
  }
  ended_ = true;
  return false;
}

// The header row of a select csv file is taken as such, and each of its rows becomes its row
// indices (text) and method names (tag); false for the header row, which holds no array.
bool Array_reader::take_tidy_row(long line, std::string_view& text, std::string& tag) {
  if (line == 1 && !tidy_) {
    tidy_ = tidy_columns(text);
    if (tidy_) return false;
  }
  if (!tidy_) return true;
  if (!read_tidy_row(text, *tidy_, tidy_text_, tag)) tidy_text_ = "(too few columns)";
  text = tidy_text_;
  return true;
}
