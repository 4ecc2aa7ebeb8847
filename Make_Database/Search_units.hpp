// The exhaustive search of one order cut into K work units that run apart (on other machines,
// under a scheduler) and are merged: the plan that gives each unit its branches of the search,
// and the unit files that hold what a unit found. A unit file is written under a temporary name
// and renamed when complete; its header names the order, the unit, the number of units, the
// digest of the plan it was searched by, the number of arrays, the checksum of the array lines
// and the processor time the unit took.
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
// FNV-1a 64 of the branches of plan and the unit of each: units searched by different plans
// (another program version, another K) never merge.
std::uint64_t plan_digest(const Unit_plan& plan);
// The largest number of units of order n whose every unit gets a branch of the plan: the
// branches at the deepest level the plan takes (as given by a plan for units units).
std::size_t largest_sensible_units(const Unit_plan& plan);

// What a unit file holds.
struct Unit_record {
  std::int32_t n = 0, unit = 0, units = 0;   // unit k (1-based) of units
  std::uint64_t plan = 0;                    // plan_digest of the plan it was searched by
  double processor_seconds = 0;
  std::vector<Costas_perm> arrays;           // sorted, zero-based rows
};

// FNV-1a 64 of the array lines of arrays, each as written in the unit file with its line break.
std::uint64_t unit_checksum(const std::vector<Costas_perm>& arrays);
// The unit file of unit k (1-based) in folder (which ends with a separator).
std::string unit_file_name(const std::string& folder, std::int32_t unit);
// Writes the unit file of record in folder under a temporary name and renames it when
// complete. The temporary name is this process's own, and the file is put in place only when no
// file has its name: of two runs of one unit the second to finish replaces nothing. Returns an
// empty text or what failed; name_taken tells when another run's file was there first.
std::string write_unit_file(const std::string& folder, const Unit_record& record, bool& name_taken);
// Reads the unit file of unit k of units of order n, searched by the plan of digest plan, from
// folder into record; an empty text when it is complete and consistent (order, unit, number of
// units, plan, number of arrays, checksum), else what is wrong, worded to follow "unit k of K":
// "is missing", "is damaged: ...", "was planned by a different program version: rerun it".
std::string read_unit_file(const std::string& folder, std::int32_t n, std::int32_t unit,
                           std::int32_t units, std::uint64_t plan, Unit_record& record);

// The folder of the units of order n: DIR/Searches/.units/N/.
std::string order_units_folder(const std::string& out, std::int32_t n);
// The work folder of the K units of order n, so that splits of different K stand side by
// side: DIR/Searches/.units/N/K/.
std::string units_folder(const std::string& out, std::int32_t n, std::int32_t units);
// The lock file a run of unit k holds while it searches, in the work folder.
std::string unit_lock_name(const std::string& folder, std::int32_t unit);
// The CPUs the scheduler grants: SLURM_CPUS_PER_TASK, else SLURM_CPUS_ON_NODE, else the
// hardware's threads (1..256).
int granted_cpus();

