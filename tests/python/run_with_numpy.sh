#!/usr/bin/env bash
# Runs a Python test with the first python3 that has numpy and pandas (the system's, from
# scripts/setup.sh, when another python3 comes first on the path); exit 77 (skipped) without one.
for python in python3 /usr/bin/python3; do
  if command -v "$python" >/dev/null 2>&1 && "$python" -c 'import numpy, pandas' 2>/dev/null; then
    exec "$python" "$@"
  fi
done
echo "numpy and pandas are missing (scripts/setup.sh installs them): skipped"
exit 77
