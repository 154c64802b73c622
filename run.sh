#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from its kit.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh
exec build/kit/hdl_kelvane_gui "$@"
