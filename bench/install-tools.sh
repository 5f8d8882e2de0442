#!/usr/bin/env bash
# Installs what the benchmarks compare against and make their pictures from:
# vipsthumbnail (libvips-tools) and Debian's MATE wallpapers.
set -euo pipefail
need=()
command -v vipsthumbnail >/dev/null || need+=(libvips-tools)
[ -d /usr/share/backgrounds/mate ] || need+=(mate-backgrounds)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${need[@]}"
fi
