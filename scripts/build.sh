#!/usr/bin/env bash
# Installs what the build needs (Debian 12), then configures and builds
# everything into ./build. Used by both quick-start commands and by CI.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libfreeimage-dev libjpeg-dev libraw-dev liblcms2-dev libheif-dev libjxl-dev libtiff-dev libpng-dev libopenjp2-7-dev libwebp-dev libsqlite3-dev libgtest-dev fonts-dejavu-core)
# Extra packages some tests use; listed in scripts/test-packages.txt.
if [ "${QUILLMORA_WITH_TEST_PACKAGES:-1}" = 1 ] && [ -f scripts/test-packages.txt ]; then
  while read -r p; do [ -n "$p" ] && [ "${p#\#}" = "$p" ] && packages+=("$p"); done < scripts/test-packages.txt
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The accessibility audit of the album's image pages runs axe-core (npm) in
# Chromium. The machine's own Node.js and npm are used where there are some
# (Debian's npm package conflicts with other Node.js builds); Debian's otherwise.
if [ "${QUILLMORA_WITH_TEST_PACKAGES:-1}" = 1 ] && [ ! -f build/node/node_modules/axe-core/axe.min.js ]; then
  if ! command -v npm >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends nodejs npm
  fi
  npm install --prefix build/node --no-audit --no-fund --silent axe-core@4
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
