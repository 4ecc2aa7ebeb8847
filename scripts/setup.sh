#!/usr/bin/env bash
# Installs the system packages the tests and tools need, each only when absent: libpng-dev
# (costas_view writes PNG), librsvg2-bin (its tests render SVG with rsvg-convert), python3-numpy
# and python3-pandas (the select exports read back by examples/). As root, or through sudo.
set -euo pipefail
need=()
[ -f /usr/include/png.h ] || need+=(libpng-dev)
command -v rsvg-convert >/dev/null 2>&1 || need+=(librsvg2-bin)
/usr/bin/python3 -c 'import numpy' >/dev/null 2>&1 || need+=(python3-numpy)
/usr/bin/python3 -c 'import pandas' >/dev/null 2>&1 || need+=(python3-pandas)
[ ${#need[@]} -gt 0 ] || exit 0
sudo=()
[ "$(id -u)" = 0 ] || sudo=(sudo)
echo "installing ${need[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}" >/dev/null ||
  { "${sudo[@]}" apt-get update >/dev/null &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}" >/dev/null; }
