#!/usr/bin/env bash
# Sets Torvi up on Debian 12 and then runs it ("run") or its whole test suite ("test").
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-run}
packages=(cmake make g++ qt6-base-dev libgl-dev libpng-dev libgtest-dev poppler-utils fonts-dejavu-extra)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

case "$what" in
  run)  exec build/torvi "${@:2}" ;;
  test) cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ;;
  *)    echo "usage: bash build.sh [run|test]" >&2; exit 2 ;;
esac
