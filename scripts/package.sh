#!/usr/bin/env bash
# Builds the Debian package of the release game:
#
#   scripts/package.sh        ->  build/ikeasobi_<version>_<arch>.deb
#
# Installs what the build needs first (as ./play and ./check do), builds the
# release game into build/ and packs it with CPack. The package's path is the
# last line printed.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

scripts/install-deps.sh package

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DIKEASOBI_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

VERSION=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/CPackConfig.cmake)
ARCH=$(dpkg --print-architecture)
DEB=$ROOT/build/ikeasobi_${VERSION}_${ARCH}.deb
[[ -n "$VERSION" ]] || { echo "package: no version in build/CPackConfig.cmake" >&2; exit 1; }

rm -f "$DEB"
(cd build && cpack -G DEB >/dev/null)
[[ -f "$DEB" ]] || { echo "package: cpack made no $DEB" >&2; exit 1; }
echo "$DEB"
