#include "Read_Database/Vellumcairn_logger.hpp"

#include "_Library/Console_io.hpp"
#include "_Library/Pause_m.hpp"
#include "_Library/Text_files.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"

namespace {

// One log line to the output text file (while it is open) as it stands, and to the console
// after one blank.
void echo_log_line(std::string_view line, Text_output& text_output, const Dialogue& dialogue,
                   std::string& echo) {
  if (text_output.is_open()) text_output.write_line(line);
  echo.assign(1, ' ');
  echo += line;
  dialogue.console.line(echo);
}

}  // namespace

// The lines go to the console and, while it is open, to text_output. A failed read shows
// "Error" with its status and asks "Continue?": N stops with code "2", Y reads on. The log of
// an order that holds only its constructed arrays says so in a line of its own, which is
// echoed too, wherever it stands, so that nobody takes the order for complete.
void show_log_summary(Text_input& log, Text_output& text_output, const Dialogue& dialogue) {
  Console& console = dialogue.console;
  std::string log_line;
  std::string echo;
  Log_scan scan;
  while (!scan.all_keys_found()) {
    const int status = log.read_line(log_line);
    if (status != status_ok) {
      console.line(free_form("Error", status, " on reading log file"));
      if (!dialogue.pause.ask_yes_no("Continue?")) stop_with_code("2");
    }
    const std::string_view line = trim(log_line);
    const Log_scan::Line kind = scan.take(line);
    if (kind == Log_scan::Line::key ||
        (status == status_ok && kind == Log_scan::Line::constructions_only)) {
      echo_log_line(line, text_output, dialogue, echo);
    }
  }
  // The rest of the log is read only for that line; its end, or a fault, ends the summary.
  while (log.read_line(log_line) == status_ok) {
    const std::string_view line = trim(log_line);
    if (scan.take(line) == Log_scan::Line::constructions_only) {
      echo_log_line(line, text_output, dialogue, echo);
    }
  }
}
