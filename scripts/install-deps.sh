#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# As root it runs apt-get; otherwise it prints the one command to run.
set -euo pipefail
# shellcheck source=scripts/debian-packages.sh
source "$(dirname "$0")/debian-packages.sh"
ensure_debian_packages build
