#include "_Library/Number_theory/Log_units.hpp"

#include "_Library/Console_io.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

bool Log_units::is_open(std::int32_t unit) const {
  auto found = units_.find(unit);
  return found != units_.end() && found->second->is_open();
}

const std::string* Log_units::file_on(std::int32_t unit) const {
  return is_open(unit) ? &units_.at(unit)->name() : nullptr;
}

int Log_units::open(std::int32_t unit, std::string_view name, Write_position position) {
  auto& slot = units_[unit];
  if (!slot) slot = std::make_unique<Text_output>();
  const int status = slot->open(name, position);
  if (status != status_ok) units_.erase(unit);
  return status;
}

Text_output* Log_units::file(std::int32_t unit) {
  auto found = units_.find(unit);
  return found != units_.end() && found->second->is_open() ? found->second.get() : nullptr;
}

void Log_units::close(std::int32_t unit) { units_.erase(unit); }

namespace {

[[noreturn]] void log_open_failure(Console& console, std::string_view module, std::int32_t unit,
                                   int status) {
  const std::string text = "Error opening " + std::string(module) + " log on LUN";
  console.line(free_form(text, unit));
  console.line(free_form(iostat_message(status)));
  stop_with_code("");
}

}  // namespace

void field_log_message(Console& console, Log_units& units, std::int32_t& unit,
                       std::string_view file_name, std::string_view module,
                       std::string_view message) {
  const std::string_view log_name = trim(file_name);
  for (;;) {
    const std::string* open_on = units.file_on(unit);
    if (open_on == nullptr) {
      const int status = units.open(unit, log_name, Write_position::rewind);
      if (status != status_ok) log_open_failure(console, module, unit, status);
      break;
    }
    if (trim(*open_on) == log_name) break;
    ++unit;
  }
  const std::string_view line = trim(message);
  console.line(line);
  Text_output* log = units.file(unit);
  log->write_line(line);
  // The message reaches the system before the call returns (the close and reopen of the
  // original comes to the same for every reader of the file).
  const int status = log->flush();
  if (status != status_ok) log_open_failure(console, module, unit, status);
}

std::string factor_items(const Factor_record& record) {
  Free_line factors;
  for (std::int32_t i = 1; i <= record.count; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    factors.num(record.primes[slot]).text("**").num(record.mults[slot]).text(",");
  }
  return factors.str().substr(1);
}

void show_improper_order(Console& console, std::string_view module, std::int32_t q,
                         const std::string& items) {
  console.line(free_form("***" + std::string(module) + "_setup called with improper order:", q));
  // The console texts are fixed, misspellings included: "muliplicity" stays as users have always seen it.
  console.line(free_form("***Factors, muliplicity are") + items);
}

void show_too_large_order(Console& console, std::string_view module, std::int32_t q,
                          std::string_view reason) {
  console.line(free_form("***" + std::string(module) + "_setup refuses order", q,
                         " : field orders above", Gf_field::max_order,
                         " are not supported (" + std::string(reason) + ")"));
}
