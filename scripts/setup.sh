#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velqorns need.
# As root it installs what is missing; otherwise it prints the exact command.
set -euo pipefail

# command or file that shows the package is there  ->  package
needs=(
  "cmake:cmake"
  "ninja:ninja-build"
  "g++:g++"
  "x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix"
  "x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64"
  "wine:wine"
  "/usr/lib/wine/wine64:wine64"
  "Xvfb:xvfb"
  "xauth:xauth"
  "xdotool:xdotool"
  "import:imagemagick"
  "xwininfo:x11-utils"
  "/usr/src/googletest/CMakeLists.txt:googletest"
  "/usr/share/wine/fonts/sserife.fon:fonts-wine"
  "/usr/include/CLI/CLI.hpp:libcli11-dev"
  "/usr/include/nlohmann/json.hpp:nlohmann-json3-dev"
  "zip:zip"
)

missing=()
for pair in "${needs[@]}"; do
  probe=${pair%%:*} package=${pair#*:}
  if [[ $probe == /* ]]; then [ -e "$probe" ] && continue
  else command -v "$probe" >/dev/null 2>&1 && continue; fi
  missing+=("$package")
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "setup: missing packages; install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
