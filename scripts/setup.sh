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
  # A CJK font, so that titles and paths in Chinese and Japanese show in tests and screenshots,
  # and the locales whose ru_RU.UTF-8 gives Wine's programs a second ANSI code page (1251).
  "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc:fonts-wqy-microhei"
  "locale-gen:locales"
)

# The Unicode tests run a second time under ru_RU.UTF-8: the locale is generated once.
ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: the locale ru_RU.UTF-8 is missing; generate it with:" >&2
    echo "  sudo localedef -i ru_RU -f UTF-8 ru_RU.UTF-8" >&2
    return 1
  fi
  echo "setup: generating the locale ru_RU.UTF-8"
  localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
}

missing=()
for pair in "${needs[@]}"; do
  probe=${pair%%:*} package=${pair#*:}
  if [[ $probe == /* ]]; then [ -e "$probe" ] && continue
  else command -v "$probe" >/dev/null 2>&1 && continue; fi
  missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  ensure_locale
  exit 0
fi

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
ensure_locale
