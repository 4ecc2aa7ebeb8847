// Writes the files of one order in the database layout the program reads: the all-arrays
// file (with its header line of the order and the number of arrays), the essential-set,
// symmetrical and G-symmetrical arrays files, their methods files (generated part only) and
// the log file, in the layouts of the database format. Every file is written under a temporary name and renamed when complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Make_Database/Costas_class_set.hpp"

struct Order_write_result {
  Class_counts counts;      // what the files hold
  std::string failure;      // empty when every file was written completely; else what failed
};

// Writes every file of order n from classes: generated (one-based rows, methods files) or
// searched (zero-based rows). Every array is put through the Costas test (on jobs threads)
// before anything is written; an array that fails it is a failure and no file is written.
// source names the origin in the log; log_notes follow the log's counted lines.
Order_write_result write_order_files(const std::string& folder, std::int32_t n,
                                     const Costas_class_set& classes, bool generated,
                                     const std::string& source, int jobs = 1,
                                     const std::vector<std::string>& log_notes = {});

// Puts every member of every class through the Costas test on jobs threads; true when all pass.
bool every_member_is_costas(const std::vector<std::pair<const Costas_perm*, int>>& classes, int jobs);
