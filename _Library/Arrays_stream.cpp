#include "_Library/Arrays_stream.hpp"

#include "_Library/Database_format.hpp"
#include "_Library/Text_layout.hpp"

Arrays_stream::Arrays_stream(Text_input& arrays, Text_input* methods, std::int32_t n,
                             std::int32_t base, bool skip_byte_order_mark)
    : arrays_(arrays), methods_(methods), n_(n), base_(base),
      skip_byte_order_mark_(skip_byte_order_mark) {}

int Arrays_stream::read(Text_input& file, std::string& line) {
  const int status = file.read_line(line);
  if (status != status_ok) return status;
  bytes_ += static_cast<std::int64_t>(line.size()) + 1;
  if (skip_byte_order_mark_) drop_byte_order_mark(file, line);
  return status;
}

Arrays_stream::Item Arrays_stream::read_failure(Text_input& file, int status) {
  finished_ = true;
  Item item;
  if (status == status_end_of_file) return item;
  read_failed_ = true;
  item.kind = Kind::fault;
  item.fault = {file.name(), file.line_number() + 1, read_failure_text(status)};
  return item;
}

Arrays_stream::Item Arrays_stream::next(std::span<std::int32_t> rows) {
  if (finished_) return {};
  long blank_line = 0;
  if (!pending_) {
    for (;;) {
      if (const int status = read(arrays_, line_); status != status_ok) {
        return read_failure(arrays_, status);   // blank lines at the end end the arrays quietly
      }
      if (!trim(line_).empty()) break;
      if (blank_line == 0) blank_line = arrays_.line_number();
    }
    pending_number_ = arrays_.line_number();
    if (blank_line != 0) {
      // The blank line is the fault; the line after it is handed out by the next call.
      pending_ = true;
      Item item;
      item.kind = Kind::fault;
      item.fault = {arrays_.name(), blank_line, std::string(blank_line_among_arrays)};
      return item;
    }
  }
  pending_ = false;
  Item item;
  item.line = pending_number_;
  std::string_view text = trim(line_);
  if (after_end_line_) {
    finished_ = true;
    item.kind = Kind::fault;
    item.fault = {arrays_.name(), item.line, std::string(text_after_end_line)};
    return item;
  }
  if (is_end_line(text)) {
    after_end_line_ = true;
    item.end_line = true;
    return item;
  }
  item.kind = Kind::array;
  read_methods_line(item);
  item.polymorph = take_polymorph_mark(text);
  item.text = text;
  if (!rows.empty()) item.rows_fault = read_row_indices(text, n_, base_, rows);
  return item;
}

void Arrays_stream::read_methods_line(Item& item) {
  if (methods_ == nullptr) return;
  if (const int status = read(*methods_, methods_line_); status != status_ok) {
    item.methods_fault = {methods_->name(), methods_->line_number() + 1,
                          status == status_end_of_file ? std::string(methods_file_ends_early)
                                                       : read_failure_text(status)};
    methods_ = nullptr;   // nothing more is read from it
    return;
  }
  item.flags_read = read_method_flags(methods_line_, item.flags);
  if (!item.flags_read) {
    item.methods_fault = {methods_->name(), methods_->line_number(), std::string(not_a_methods_line)};
  }
}

Stream_fault Arrays_stream::methods_beyond_arrays() {
  while (methods_ != nullptr && read(*methods_, methods_line_) == status_ok) {
    if (!trim(methods_line_).empty()) {
      return {methods_->name(), methods_->line_number(), std::string(methods_line_beyond_arrays)};
    }
  }
  return {};
}
