#!/usr/bin/env bash
# Installs what is missing, builds the program and its kit (no tests), and
# starts the program from the kit. Arguments go to the program (--help, --version).
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh --program-only
exec build/kit/hdl_kelvane_gui "$@"
