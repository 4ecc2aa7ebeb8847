#include "Read_Database/Vellumcairn_logger.hpp"

#include "_Library/Console_io.hpp"
#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"

void show_log_summary(Program_state& state) {
  Console& console = state.console;
  std::string& ca_line = state.ca.ca_line;
  std::string echo;
  std::size_t k = 0;
  while (k < log_summary_keys.size()) {
    if (const int status = state.database.log.read_line(ca_line); status != status_ok) {
      console.line(free_form("Error", status, " on reading log file"));
      if (!state.pause.ask_yes_no("Continue?")) stop_with_code("2");
    }
    const std::string_view line = trim(ca_line);
    if (!is_log_summary_line(line, k)) continue;
    if (state.status.text_output_open) state.output.text.write_line(line);
    echo.assign(1, ' ');
    echo += line;
    console.line(echo);
    ++k;
  }
}
