# Shared by the cluster scripts: the arguments DIR N K, and the make_database they run.
# Sourced, not run.

# The limits make_database sets: the searched orders and the most units of one order.
min_order=3
max_order=27
max_units=100000

usage_and_exit() {
  [ -n "${2:-}" ] && echo "$(basename "$0"): $2" >&2
  echo "usage: $(basename "$0") DIR N K $1" >&2
  echo "  DIR: the database folder, on a folder every node shares; N: the searched order" >&2
  echo "  ($min_order-$max_order); K: the number of units the search is cut into (1-$max_units)" >&2
  exit 2
}

# Whether $1 is a whole number written without leading zeros, within $2..$3.
whole_within() {
  case $1 in '' | *[!0-9]* | 0?*) return 1 ;; esac
  [ ${#1} -le 6 ] && [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]
}

# Reads DIR N K from the first three arguments into dir (absolute), order and units, and sets
# units_dir, the work folder of the K units. Nothing is created before N and K are checked.
read_search_arguments() {
  local extra=$1
  shift
  [ $# -ge 3 ] || usage_and_exit "$extra"
  whole_within "$2" "$min_order" "$max_order" ||
    usage_and_exit "$extra" "the order N must be a number $min_order-$max_order, not '$2'"
  whole_within "$3" 1 "$max_units" ||
    usage_and_exit "$extra" "the number of units K must be a number 1-$max_units, not '$3'"
  order=$2
  units=$3
  mkdir -p "$1"
  dir=$(cd "$1" && pwd)
  units_dir=$dir/Searches/.units/$order/$units
}

# Asks make_database whether order N can be cut into K units (a K larger than the order's
# branches is refused, with the largest), before anything is submitted or run.
check_plan() {
  local refusal
  if ! refusal=$("$make_database" --out "$dir" --searched "$order" --status "$units" 2>&1 >/dev/null); then
    echo "$(basename "$0"): ${refusal#make_database: }" >&2
    exit 2
  fi
  mkdir -p "$units_dir"
}

# The make_database to run, as an absolute path: $MAKE_DATABASE, else the one on PATH, else the
# one in the build folder beside the scripts.
find_make_database() {
  local script_dir candidate
  script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  if [ -n "${MAKE_DATABASE:-}" ]; then
    candidate=$MAKE_DATABASE
  elif candidate=$(command -v make_database); then
    :
  else
    candidate=$script_dir/../../build/make_database
  fi
  if [ ! -x "$candidate" ]; then
    echo "$(basename "$0"): no make_database found (set MAKE_DATABASE, put it on PATH or build" \
         "it in build/)" >&2
    exit 2
  fi
  make_database=$(cd "$(dirname "$candidate")" && pwd)/$(basename "$candidate")
}
