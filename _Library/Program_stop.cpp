#include "_Library/Program_stop.hpp"

#include <utility>

void stop_with_code(std::string code, int exit_status) {
  throw Program_stop{std::move(code), exit_status};
}
