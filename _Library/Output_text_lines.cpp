#include "_Library/Output_text_lines.hpp"

#include "_Library/Database_format.hpp"
#include "_Library/Text_layout.hpp"

namespace {

constexpr std::string_view count_line_start = "The database file held ";

}  // namespace

std::string count_difference_line(std::int32_t n, std::int32_t symmetry_type, std::int64_t held,
                                  std::int64_t listed) {
  constexpr std::string_view kinds[] = {"", "essential ", "symmetrical ", "G-symmetrical "};
  const std::string_view kind =
      symmetry_type >= 1 && symmetry_type <= 4 ? kinds[symmetry_type - 1] : kinds[0];
  std::string line(count_line_start);
  line += std::to_string(held);
  line += ' ';
  line += kind;
  line += held == 1 ? "array" : "arrays";
  line += " of order " + std::to_string(n) + "; the count tables list " + std::to_string(listed) +
          ".";
  return line;
}

bool is_run_summary_line(std::string_view line) {
  const std::string_view text = trim(line);
  if (text.starts_with(filter_line_start) || text.starts_with(count_line_start) ||
      is_constructions_only_line(text)) {
    return true;
  }
  for (std::size_t k = 0; k < log_summary_keys.size(); ++k) {
    if (is_log_summary_line(text, k)) return true;
  }
  return false;
}
