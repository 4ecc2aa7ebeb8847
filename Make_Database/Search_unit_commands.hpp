// The commands of make_database on the units of one order's search: --unit k/K searches one
// unit, --merge K writes the order from its units, --status K reports them.
#pragma once

class Console;
struct Builder_options;

// Each returns the exit status.
int run_search_unit(const Builder_options& options, Console& console);
int merge_search_units(const Builder_options& options, Console& console);
int report_search_units(const Builder_options& options, Console& console);
