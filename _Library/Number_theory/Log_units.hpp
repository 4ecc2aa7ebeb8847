// The log units of the field modules: a small registry of numbered open log files, so that the
// prime-field and extension-field logs each find their own unit (both start at 50; whichever
// opens second moves on to the next free number), and the shared way a field message is shown
// and logged.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "_Library/Number_theory/Galois_Fields_core.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

class Console;

class Log_units {
 public:
  bool is_open(std::int32_t unit) const;            // a file is open on that unit
  const std::string* file_on(std::int32_t unit) const;   // its name as opened, or null
  // Opens name on unit (closing whatever was there); status_ok or the failure's status code.
  [[nodiscard]] int open(std::int32_t unit, std::string_view name, Write_position position);
  Text_output* file(std::int32_t unit);             // the open file on unit, or null
  void close(std::int32_t unit);                    // closes and forgets the unit

 private:
  std::map<std::int32_t, std::unique_ptr<Text_output>> units_;
};

// Shows the trimmed message and appends it, flushed, to the log file_name on unit (the first
// free unit from unit on; the process's first message there starts a fresh file); a log that
// cannot be opened or written shows "Error opening <module> log on LUN" and stops, blank code.
void field_log_message(Console& console, Log_units& units, std::int32_t& unit,
                       std::string_view file_name, std::string_view module,
                       std::string_view message);

// The items after "***Factors are": each prime, "**", its multiplicity and ",".
std::string factor_items(const Factor_record& record);
// The two console lines of an improper order q, the second with the factor items.
void show_improper_order(Console& console, std::string_view module, std::int32_t q,
                         const std::string& items);
// The console line of an order q above the core's maximum, with the reason.
void show_too_large_order(Console& console, std::string_view module, std::int32_t q,
                          std::string_view reason);

// Shows (and, when improper, logs) why a set-up of GF(q) was refused; false when it was not.
template <typename Log>
bool refused_setup(Console& console, Gf_setup outcome, std::int32_t q, const Gf_field& field,
                   std::string_view module, std::string_view reason, std::string& message,
                   Log log_message) {
  if (outcome == Gf_setup::too_large) {
    show_too_large_order(console, module, q, reason);
    return true;
  }
  if (outcome != Gf_setup::improper_order) return false;
  const std::string items = factor_items(field.record());
  show_improper_order(console, module, q, items);
  message = free_form("***Galois_LG called with improper order:", q);
  log_message();
  message = free_form("***Factors are") + items;
  log_message();
  return true;
}
