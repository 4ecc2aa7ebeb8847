#include "Make_Database/Order_verifier.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <map>
#include <optional>
#include <vector>

#include "Make_Database/Count_check.hpp"
#include "Make_Database/Member_table.hpp"
#include "_Library/Arrays_stream.hpp"
#include "Make_Database/Verified_classes.hpp"
#include "_Library/Costas_arrays/method_bitmask.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

enum File_kind { all_file = 0, essential_file = 1, symmetrical_file = 2, g_file = 3 };
constexpr std::array<std::string_view, 4> kind_names = {all_arrays_kind, essential_kind,
                                                        symmetrical_kind, g_symmetrical_kind};

// What the six key lines of the log report, in the order of log_summary_keys.
constexpr std::array<std::string_view, 6> log_key_names = {
    "the order", "the number of unique arrays", "the number of essential arrays",
    "the number of symmetrical arrays", "the number of G-symmetrical classes",
    "the number of unique G-symmetrical arrays"};

constexpr int listed_per_file = 20;
constexpr Method_flags method_bits_mask = 0xFFFFFF;   // bits 0..23 name the method
constexpr std::size_t echoed_array_length = 80;       // longer array lines are cut in messages

std::string bounded_text(std::string_view text) {
  if (text.size() <= echoed_array_length) return std::string(text);
  return std::string(text.substr(0, echoed_array_length)) + " ...";
}

constexpr std::int64_t progress_step = std::int64_t{1} << 22;

// A member of a class of the essential set: transform t of the class's array.
struct Member {
  std::size_t index;
  int t;
};

// What reading one arrays file found.
struct File_tally {
  bool present = false;
  std::int64_t arrays = 0;    // array lines, well formed or not
  std::int64_t damaged = 0;   // array lines with a problem of their own
};

struct Log_key {
  bool found = false;
  std::int64_t value = 0;
  long line = 0;
};

class Order_check {
 public:
  Order_check(const std::string& folder, std::int32_t n, bool generated,
              const Verifier_output& output, const Family_yields* method_yields)
      : folder_(folder), n_(n), generated_(generated), base_(generated ? 1 : 0), output_(output),
        method_yields_(generated ? method_yields : nullptr),
        rows_(static_cast<std::size_t>(n)), perm_(static_cast<std::size_t>(n)) {}

  Order_verdict run() {
    read_log();
    const File_tally essential =
        read_arrays(essential_file, [this](const std::string& name, long line, bool polymorph) {
          return on_essential(name, line, polymorph);
        });
    closure_known_ = essential.present;
    const auto on_member = [this](File_kind kind) {
      return [this, kind](const std::string& name, long line, bool polymorph) {
        return check_member(kind, name, line, polymorph);
      };
    };
    const File_tally all = read_arrays(all_file, on_member(all_file));
    const File_tally symmetrical = read_arrays(symmetrical_file, on_member(symmetrical_file));
    const File_tally g = read_arrays(g_file, on_member(g_file));
    if (closure_known_) check_lacking(all, symmetrical, g);
    verdict_.counts = {all.arrays, essential.arrays, symmetrical.arrays, g.arrays};
    verdict_.complete = all.present && essential.present && symmetrical.present && g.present;
    // Damaged lines count among the files' lines: the identity holds only for sound files.
    if (verdict_.complete && all.damaged + essential.damaged + symmetrical.damaged == 0) check_identity();
    std::int64_t g_classes = 0;
    for (const Class_entry& entry : classes_) g_classes += (entry.files >> g_file) & 1;
    const std::array<std::optional<std::int64_t>, 6> file_counts = {
        n_,
        present(all),
        present(essential),
        present(symmetrical),
        g.present && closure_known_ ? std::optional<std::int64_t>(g_classes) : std::nullopt,
        present(g)};
    compare_log(file_counts);
    for (const auto& [name, count] : listed_) {
      if (count > listed_per_file) {
        output_.line(name + ": " + std::to_string(count - listed_per_file) +
                     " more problems not listed");
      }
    }
    if (output_.progress) output_.progress(bytes_);
    return verdict_;
  }

 private:
  static std::optional<std::int64_t> present(const File_tally& tally) {
    return tally.present ? std::optional<std::int64_t>(tally.arrays) : std::nullopt;
  }

  std::string file_name(File_kind kind) const { return database_file_name(folder_, kind_names[kind], n_); }

  // One problem line: "FILE, line L: what", or "FILE: what" when line is 0.
  void problem(const std::string& file, long line, std::string_view what) {
    ++verdict_.problems;
    if (++listed_[file] > listed_per_file) return;
    std::string text = file;
    if (line > 0) text += ", line " + std::to_string(line);
    text += ": ";
    text += what;
    output_.line(text);
  }

  void count_bytes(std::size_t line_size) { add_bytes(static_cast<std::int64_t>(line_size) + 1); }
  void add_bytes(std::int64_t bytes) {
    bytes_ += bytes;
    if (bytes_ >= next_progress_) {
      if (output_.progress) output_.progress(bytes_);
      next_progress_ = bytes_ + progress_step;
    }
  }

  bool open_file(Text_input& file, const std::string& name) {
    // Opening a FIFO or a device for reading may wait for ever: only regular files are read.
    if (const std::string kind = irregular_file_kind(name); !kind.empty()) {
      problem(name, 0, kind + ", not a regular file: not read");
      return false;
    }
    const int status = file.open(name);
    if (status == status_ok) return true;
    problem(name, 0, status == ENOENT ? std::string("missing") : "cannot be read: " + iostat_message(status));
    return false;
  }

  // The log's six key lines, found in turn as the program finds them.
  void read_log() {
    const std::string name = database_file_name(folder_, log_kind, n_);
    Text_input log;
    if (!open_file(log, name)) return;
    log_present_ = true;
    Log_scan scan;
    int status = status_ok;
    while ((status = log.read_line(line_)) == status_ok) {
      count_bytes(line_.size());
      const std::string_view text = trim(line_);
      const Log_scan::Line kind = scan.take(text);
      if (kind == Log_scan::Line::constructions_only) verdict_.constructions_only = true;
      if (kind == Log_scan::Line::key) {
        Log_key& key = log_[scan.keys_found() - 1];
        key.line = log.line_number();
        key.found = read_log_summary_count(text, key.value);
        if (!key.found) problem(name, key.line, "holds no number");
      }
    }
    if (status != status_end_of_file) problem(name, log.line_number() + 1, read_failure_text(status));
    for (std::size_t k = scan.keys_found(); k < log_key_names.size(); ++k) {
      problem(name, 0, "no line holds " + std::string(log_key_names[k]));
    }
  }

  void compare_log(const std::array<std::optional<std::int64_t>, 6>& file_counts) {
    if (!log_present_) return;
    const std::string name = database_file_name(folder_, log_kind, n_);
    constexpr std::array<std::string_view, 6> counted = {
        "", " arrays, the all-arrays file holds ", " essential arrays, the essential-set file holds ",
        " symmetrical arrays, the symmetrical file holds ",
        " G-symmetrical classes, the G-symmetrical file holds arrays of ",
        " G-symmetrical arrays, the G-symmetrical file holds "};
    for (std::size_t k = 0; k < log_.size(); ++k) {
      if (!log_[k].found || !file_counts[k] || *file_counts[k] == log_[k].value) continue;
      const std::string logged = std::to_string(log_[k].value);
      const std::string held = std::to_string(*file_counts[k]);
      problem(name, log_[k].line,
              k == 0 ? "says order " + logged + ", the files are of order " + held
                     : "counts " + logged + std::string(counted[k]) + held);
    }
  }

  std::optional<Member> find_member(const Costas_perm& a) const {
    std::optional<Member> member;
    members_.find(member_hash(a), [&](std::size_t value) {
      const Member candidate{value >> 3, static_cast<int>(value & 7)};
      if (!is_image(classes_[candidate.index].array, candidate.t, a)) return false;
      member = candidate;
      return true;
    });
    return member;
  }

  bool on_essential(const std::string& name, long line, bool polymorph) {
    if (const auto member = find_member(perm_)) {
      problem(name, line, "a second array of the class of line " +
                              std::to_string(classes_[member->index].essential_line));
      return false;
    }
    if (!is_costas(perm_)) {
      problem(name, line, "not a Costas array");
      return false;
    }
    if (polymorph) problem(name, line, "Polymorph line is no transform of an earlier array of the file");
    const std::size_t index = classes_.size();
    Class_entry& entry = classes_.emplace_back(class_entry(perm_, line));
    entry.files = 1 << essential_file;
    if (method_yields_) {
      const auto it = method_yields_->find(class_representative(perm_));
      entry.yields = it == method_yields_->end() ? 0 : it->second;
      check_method(name, line, entry.yields);
    }
    for (const Class_member& member : class_members(perm_)) {
      members_.insert(member_hash(member.perm), index * 8 + static_cast<std::size_t>(member.t));
    }
    return !polymorph;
  }

  // An array of the all-arrays, symmetrical or G-symmetrical file: a member of a class of the
  // essential set (and so a Costas array), of the file's symmetry.
  bool check_member(File_kind kind, const std::string& name, long line, bool polymorph) {
    if (!closure_known_) return check_alone(kind, name, line);
    const auto member = find_member(perm_);
    if (!member) {
      problem(name, line, is_costas(perm_) ? "not an array of a class of the essential set"
                                           : "not a Costas array");
      return false;
    }
    Class_entry& entry = classes_[member->index];
    const auto file_bit = static_cast<std::uint8_t>(1 << kind);
    bool well = symmetry_holds(kind, name, line);
    if (method_yields_) check_method(name, line, entry.yields);
    if (polymorph && (entry.files & file_bit) == 0) {
      problem(name, line, "Polymorph line is no transform of an earlier array of the file");
      well = false;
    }
    entry.files |= file_bit;
    if (well && (kind == symmetrical_file || kind == g_file)) {
      if (const auto second = record_symmetry_line(entry, kind == symmetrical_file, member->t, line);
          !second.empty()) {
        problem(name, line, second);
        return false;
      }
    }
    if (kind == all_file) {
      const auto member_bit = static_cast<std::uint8_t>(1 << member->t);
      if (entry.in_all & member_bit) {
        problem(name, line, "repeats an earlier array of the file");
        return false;
      }
      entry.in_all |= member_bit;
    }
    return well;
  }

  // The method bit of the line just read against the families that yield its class: the lowest
  // of them, or Search when none does.
  void check_method(const std::string& name, long line, std::uint32_t yields) {
    if (!flags_read_) return;
    const std::uint32_t methods = flags_ & method_bits_mask;
    const int expected = lowest_method(yields);
    if (methods == (std::uint32_t{1} << expected)) return;
    const auto named = [](int bit) {
      return std::string(trim(method_flag_names[static_cast<std::size_t>(bit)])) + " (bit " +
             std::to_string(bit) + ")";
    };
    std::string what = bounded_text(array_text_) + ": flags" + methods_line(flags_);
    if (std::popcount(methods) != 1) {
      what += methods == 0 ? " carry no method bit" : " carry more than one method bit";
    } else {
      const int carried = std::countr_zero(methods);
      what += " say " + named(carried);
      if (carried != generation_method::search && (yields >> carried & 1) == 0) {
        what += ", which does not yield this class at order " + std::to_string(n_);
      } else if (carried == generation_method::search) {
        what += ", but a family yields this class";
      } else {
        what += ", but a lower bit's family yields this class too";
      }
    }
    problem(name, line, what + "; expected " + named(expected));
  }

  // Without the essential set the arrays of a file are checked one by one.
  bool check_alone(File_kind kind, const std::string& name, long line) {
    if (!is_costas(perm_)) {
      problem(name, line, "not a Costas array");
      return false;
    }
    return symmetry_holds(kind, name, line);
  }

  bool symmetry_holds(File_kind kind, const std::string& name, long line) {
    if (kind == symmetrical_file && !is_symmetrical(perm_)) {
      problem(name, line, "not symmetric about the diagonal");
      return false;
    }
    if (kind == g_file && !is_g_symmetrical(perm_)) {
      problem(name, line, "not G-symmetrical");
      return false;
    }
    return true;
  }

  // What the files lack of the classes of the essential set: every member in the all-arrays
  // file, each symmetric class in the symmetrical file, each G-symmetrical member in the
  // G-symmetrical file. A damaged line of a file may stand for a lacking one, so a file is
  // named only for what its damaged lines cannot account for.
  void check_lacking(const File_tally& all, const File_tally& symmetrical, const File_tally& g) {
    const Lacking_members lacking = lacking_members(classes_);
    if (all.present && lacking.all > all.damaged) {
      problem(file_name(all_file), 0,
              std::to_string(lacking.all) + " arrays of the classes of the essential set are missing, "
              "the first of the class on line " + std::to_string(lacking.first_all_line) + " of " +
              file_name(essential_file));
    }
    const auto report = [this](const File_tally& tally, File_kind kind, const std::vector<long>& lines,
                               std::string_view what) {
      if (!tally.present || static_cast<std::int64_t>(lines.size()) <= tally.damaged) return;
      for (const long line : lines) {
        problem(file_name(kind), 0, "lacks " + std::string(what) + " of the class on line " +
                                        std::to_string(line) + " of " + file_name(essential_file));
      }
    };
    report(symmetrical, symmetrical_file, lacking.symmetrical, "the symmetrical array");
    report(g, g_file, lacking.g_symmetrical, "a G-symmetrical array");
  }

  // Every class holds 8 arrays, a symmetric one 4: all = 8 x essential - 4 x symmetrical.
  void check_identity() {
    if (const std::string failure = identity_failure(n_, verdict_.counts); !failure.empty()) {
      problem(file_name(all_file), 0, failure);
    }
  }

  template <typename On_array>
  File_tally read_arrays(File_kind kind, On_array on_array);
  bool read_header(Text_input& file, std::int64_t& count);
  void check_header_count(const Text_input& file, std::int64_t header_count, std::int64_t arrays,
                          std::string_view holder);

  const std::string& folder_;
  const std::int32_t n_;
  const bool generated_;
  const std::int32_t base_;
  const Verifier_output& output_;
  const Family_yields* method_yields_;
  Method_flags flags_ = 0;        // the methods line of the array line just read
  bool flags_read_ = false;
  std::string_view array_text_;   // the array line just read, without its Polymorph mark
  Order_verdict verdict_;
  std::map<std::string, int> listed_;   // problem lines per file
  std::int64_t bytes_ = 0, next_progress_ = progress_step;
  bool log_present_ = false;
  bool closure_known_ = false;
  std::array<Log_key, 6> log_;
  std::vector<Class_entry> classes_;
  Member_table members_;
  std::vector<std::int32_t> rows_;
  Costas_perm perm_;
  std::string line_;
};

// The header of the all-arrays file or of its methods file, which repeats it: the order and
// the number of arrays, read into count. False when the header cannot be read.
bool Order_check::read_header(Text_input& file, std::int64_t& count) {
  std::int32_t order = 0;
  const int status = file.read_line(line_);
  if (status == status_ok) count_bytes(line_.size());
  if (status != status_ok || !read_all_arrays_header(line_, order, count)) {
    problem(file.name(), 1,
            status == status_end_of_file ? std::string("empty: no header line")
            : status != status_ok        ? read_failure_text(status)
                                         : "not a header of the order and the number of arrays");
    return false;
  }
  if (order != n_) problem(file.name(), 1, "the header names order " + std::to_string(order));
  return true;
}

void Order_check::check_header_count(const Text_input& file, std::int64_t header_count,
                                     std::int64_t arrays, std::string_view holder) {
  if (header_count == arrays) return;
  problem(file.name(), 1, "the header counts " + std::to_string(header_count) + " arrays, " +
                              std::string(holder) + " holds " + std::to_string(arrays));
}

// Reads one arrays file line by line (and, in the generated part, its methods file in step),
// by the program's own rules; on_array(name, line, polymorph) checks each readable array, held
// in perm_, and returns false when it found a problem.
template <typename On_array>
File_tally Order_check::read_arrays(File_kind kind, On_array on_array) {
  File_tally tally;
  const std::string name = file_name(kind);
  Text_input arrays;
  if (!open_file(arrays, name)) return tally;
  tally.present = true;
  Text_input methods;
  const bool methods_open = generated_ && open_file(methods, methods_file_name(name));
  std::int64_t header_count = -1, methods_header_count = -1;
  const bool header_read = kind == all_file && read_header(arrays, header_count);
  const bool methods_header_read = kind == all_file && methods_open && read_header(methods, methods_header_count);
  Arrays_stream stream(arrays, methods_open ? &methods : nullptr, n_, base_);
  std::int64_t counted = 0;   // the stream's bytes already added to the progress
  bool ended = false;
  for (;;) {
    const Arrays_stream::Item item = stream.next(rows_);
    add_bytes(stream.bytes() - counted);
    counted = stream.bytes();
    if (item.kind == Arrays_stream::Kind::fault) {
      problem(item.fault.file, item.fault.line, item.fault.what);
      continue;
    }
    if (item.kind == Arrays_stream::Kind::end) {
      if (!item.end_line) break;
      if (tally.arrays > 0) problem(name, item.line, "an end line after the arrays");
      ended = true;
      continue;
    }
    ++tally.arrays;
    flags_read_ = item.flags_read;
    flags_ = item.flags;
    if (!item.methods_fault.empty()) {
      problem(item.methods_fault.file, item.methods_fault.line, item.methods_fault.what);
    }
    if (!item.rows_fault.empty()) {
      problem(name, item.line, item.rows_fault);
      ++tally.damaged;
      continue;
    }
    array_text_ = item.text;
    std::copy(rows_.begin(), rows_.end(), perm_.begin());
    if (!on_array(name, item.line, item.polymorph)) ++tally.damaged;
  }
  if (!stream.read_failed() && tally.arrays == 0 && !ended) {
    problem(name, 0, "holds neither arrays nor an end line");
  }
  if (header_read) check_header_count(arrays, header_count, tally.arrays, "the file");
  if (methods_header_read) {
    check_header_count(methods, methods_header_count, tally.arrays, "its arrays file");
  }
  if (const Stream_fault beyond = stream.methods_beyond_arrays(); !beyond.empty()) {
    problem(beyond.file, beyond.line, beyond.what);
  }
  return tally;
}

}  // namespace

Order_verdict verify_order(const std::string& folder, std::int32_t n, bool generated,
                           const Verifier_output& output, const Family_yields* method_yields) {
  return Order_check(folder, n, generated, output, method_yields).run();
}
