#include "View_Arrays/Ambiguity_summary.hpp"

#include <memory>
#include <ostream>

#include "View_Arrays/Ambiguity.hpp"
#include "_Library/Text_layout.hpp"

namespace {

constexpr int status_done = 0;
constexpr int status_bad_input = 2;

// Reads every selected array of the sources, at most largest; false with error set.
bool read_sources(const std::vector<std::string>& sources, const std::string& lines,
                  Index_base base, std::size_t largest, std::vector<Viewed_array>& arrays,
                  std::string& error) {
  const auto selection = Line_selection::parse(lines, error);
  if (!selection) return false;
  for (std::size_t k = 0; k < sources.size(); ++k) {
    Array_reader reader(sources[k], base, *selection, static_cast<long>(k + 1));
    error = reader.open();
    if (!error.empty()) return false;
    Viewed_array array;
    while (reader.next(array)) {
      if (arrays.size() == largest) {
        error = "more than " + std::to_string(largest_pair_count) +
                " pairs; choose fewer arrays with --lines or --with-lines";
        return false;
      }
      arrays.push_back(std::move(array));
    }
    if (!reader.error().empty()) {
      error = reader.error();
      return false;
    }
  }
  return true;
}

std::string peak_columns(const Ambiguity_peak& peak) {
  return std::to_string(peak.value) + ',' + std::to_string(peak.dx) + ',' +
         std::to_string(peak.dy);
}

// One row per array: its largest auto-ambiguity off the origin. Arrays are read and dropped
// one at a time, so a source of any length streams.
int auto_summary(const Summary_sources& s, std::ostream& out, std::ostream& err) {
  std::string error;
  const auto selection = Line_selection::parse(s.lines, error);
  if (!selection) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  out << "label,order,tag,max_off_origin,dx,dy\n";
  for (std::size_t k = 0; k < s.sources.size(); ++k) {
    Array_reader reader(s.sources[k], s.base, *selection, static_cast<long>(k + 1));
    error = reader.open();
    Viewed_array a;
    while (error.empty() && reader.next(a)) {
      const Ambiguity_peak peak = peak_off_origin(ambiguity(a.rows, a.rows));
      out << csv_field(a.label()) << ',' << a.rows.size() << ',' << csv_field(a.tag) << ','
          << peak_columns(peak) << '\n';
    }
    if (error.empty()) error = reader.error();
    if (!error.empty()) {
      err << "costas_view: " << error << '\n';
      return status_bad_input;
    }
  }
  return status_done;
}

// One row per pair of an array of the sources and one of --with: the largest cross-ambiguity.
int cross_summary(const Summary_sources& s, std::ostream& out, std::ostream& err) {
  std::vector<Viewed_array> with;
  std::vector<Viewed_array> arrays;
  std::string error;
  if (!read_sources({s.with}, s.with_lines, s.base, largest_pair_count, with, error) ||
      (!with.empty() &&
       !read_sources(s.sources, s.lines, s.base, largest_pair_count / with.size(), arrays, error))) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  out << "label_a,label_b,order_a,order_b,max,dx,dy\n";
  for (const Viewed_array& a : arrays) {
    for (const Viewed_array& b : with) {
      out << csv_field(a.label()) << ',' << csv_field(b.label()) << ',' << a.rows.size() << ','
          << b.rows.size() << ',' << peak_columns(peak(ambiguity(a.rows, b.rows))) << '\n';
    }
  }
  return status_done;
}

}  // namespace

int run_ambiguity_summary(const Summary_sources& s, std::ostream& out, std::ostream& err) {
  const int status = s.with.empty() ? auto_summary(s, out, err) : cross_summary(s, out, err);
  out.flush();
  return status;
}
