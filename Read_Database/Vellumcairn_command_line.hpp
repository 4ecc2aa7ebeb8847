// The non-interactive command line: select, counts and --help. Any argument chooses it; the
// program without arguments is the interactive one.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Read_Database/Vellumcairn_select.hpp"

// Exit statuses of the command line.
constexpr int command_line_ok = 0;
constexpr int command_line_file_problem = 1;
constexpr int command_line_bad_arguments = 2;

// Runs the command line args (without the program's name); returns the exit status.
int run_command_line(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The settings select's arguments give, or nothing with error saying what is wrong.
std::optional<Select_settings> parse_select(const std::vector<std::string>& args,
                                            std::string& error);

// The flag bits of a --method list ("1,2,5", "welch", "golomb", "search", "Lempel 2"), with
// names the names of the methods it takes joined by ", "; nothing with error set otherwise.
std::optional<Method_flags> parse_method_list(std::string_view list, std::string& names,
                                              std::string& error);
