# Shared by the cluster scripts: the arguments DIR N K, and the make_database they run.
# Sourced, not run.

usage_and_exit() {
  echo "usage: $(basename "$0") DIR N K $1" >&2
  echo "  DIR: the database folder, on a folder every node shares; N: the searched order;" >&2
  echo "  K: the number of units the search is cut into" >&2
  exit 2
}

# Reads DIR N K from the first three arguments into dir (absolute), order and units.
read_search_arguments() {
  local extra=$1
  shift
  [ $# -ge 3 ] || usage_and_exit "$extra"
  case $2 in '' | *[!0-9]*) usage_and_exit "$extra" ;; esac
  case $3 in '' | *[!0-9]* | 0) usage_and_exit "$extra" ;; esac
  mkdir -p "$1"
  dir=$(cd "$1" && pwd)
  order=$2
  units=$3
  units_dir=$dir/Searches/.units/$order
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
