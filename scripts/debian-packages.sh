#!/usr/bin/env bash
# The Debian 12 packages each part of the build and its checks needs, stated
# once. Sourced by the scripts and by CI; `ensure_debian_packages GROUP...`
# installs what is missing of those groups (as root) or prints the one
# apt-get command to run and fails (as another user).
#
# Groups:
#   build     the program, its tests and benchmarks, the screenshots' fonts,
#             xz to unpack the real ps2-packer for the packing tests
#   windows   the Windows program built with mingw-w64 and tested under Wine
#   packages  the .deb and portable kit, installed and driven in a window
#   checks    formatting, the sanitizer build and the fuzzers (clang)

debian_packages_build=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
  libfontconfig-dev libgtest-dev googletest libbenchmark-dev xvfb xauth
  fonts-dejavu-core fonts-liberation2 fonts-noto-core xz-utils)
debian_packages_windows=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix qt6-base-dev-tools
  googletest wine wine64 fonts-wine xvfb xauth xdotool imagemagick unzip)
debian_packages_packages=(dpkg-dev desktop-file-utils appstream xvfb xauth xdotool imagemagick)
debian_packages_checks=(clang-format clang libclang-rt-14-dev llvm)

ensure_debian_packages() {
  local group p missing=()
  for group in "$@"; do
    local -n list="debian_packages_$group"
    for p in "${list[@]}"; do
      dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$p")
    done
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Please run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}
