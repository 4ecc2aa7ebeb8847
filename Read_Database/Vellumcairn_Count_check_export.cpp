// The export of the count tables to "cancheck.csv" (menu choice -2).
#include "_Library/Count_tables.hpp"
#include "_Library/Console_io.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"
#include "_Library/iostat_table.hpp"

void write_count_check(Console& console) {
  Text_output file;
  const int open_status = file.open("cancheck.csv", Write_position::rewind);
  if (open_status != status_ok) {
    console.line(free_form("Error opening cancheck.csv: ", iostat_message(open_status)));
    stop_with_code("2");
  }
  for (std::int32_t n = first_counted_order; n <= last_counted_order; ++n) {
    const Order_counts counts = count_tables(n);
    file.write_line(free_form(n, ",", counts.all, ",", counts.essential, ",", counts.symmetrical,
                              ",", counts.g_symmetrical));
  }
  const int close_status = file.close();
  if (close_status != status_ok) {
    console.line(free_form("Error writing cancheck.csv: ", iostat_message(close_status)));
    stop_with_code("2");
  }
  stop_with_code("Normal exit.");
}
