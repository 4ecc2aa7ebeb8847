// The exhaustive search of one order cut into K work units that run apart (on other machines,
// under a scheduler) and are merged: the plan that gives each unit its branches of the search,
// and the unit files that hold what a unit found. A unit file is written under a temporary name
// and renamed when complete; its header names the order, the unit, the number of units, the
// number of arrays, the checksum of the array lines and the processor time the unit took.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Make_Database/Costas_search.hpp"

// Which unit (0-based) searches each branch of order n in K units. It depends on n and K only:
// the branches are taken at a depth that gives at least 16 per unit (where the order has them),
// weighed by their widths some columns deeper, and given, heaviest first (ties in the search's
// order), to the unit with the least weight so far (ties to the lowest unit).
struct Unit_plan {
  std::vector<Search_prefix> branches;   // in the search's order
  std::vector<std::uint64_t> weights;    // the work measure of each branch
  std::vector<std::int32_t> unit_of;     // 0..K-1 for each branch
  std::vector<std::uint64_t> unit_weights;   // the sum of the weights of each unit
};
Unit_plan plan_search_units(std::int32_t n, std::int32_t units);

// What a unit file holds.
struct Unit_record {
  std::int32_t n = 0, unit = 0, units = 0;   // unit k (1-based) of units
  double processor_seconds = 0;
  std::vector<Costas_perm> arrays;           // sorted, zero-based rows
};

// FNV-1a 64 of the array lines of arrays, each as written in the unit file with its line break.
std::uint64_t unit_checksum(const std::vector<Costas_perm>& arrays);
// The unit file of unit k (1-based) in folder (which ends with a separator).
std::string unit_file_name(const std::string& folder, std::int32_t unit);
// Writes the unit file of record in folder under a temporary name and renames it when
// complete; returns an empty text or what failed.
std::string write_unit_file(const std::string& folder, const Unit_record& record);
// Reads the unit file of unit k of units of order n from folder into record; an empty text when
// it is complete and consistent (order, unit, number of units, number of arrays, checksum),
// else what is wrong ("missing" when there is no such file).
std::string read_unit_file(const std::string& folder, std::int32_t n, std::int32_t unit,
                           std::int32_t units, Unit_record& record);

// The work folder of the units of order n: DIR/Searches/.units/N/.
std::string units_folder(const std::string& out, std::int32_t n);
// The CPUs the scheduler grants: SLURM_CPUS_PER_TASK, else SLURM_CPUS_ON_NODE, else the
// hardware's threads (1..256).
int granted_cpus();

