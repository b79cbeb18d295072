#!/usr/bin/env bash
# Builds the Debian package of Ludra in ./build-package (a Release build for
# the prefix /usr and the installed layout, without tests and benchmarks),
# checks it with lintian and prints the .deb's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DLUDRA_BUILD_TESTS=OFF -DLUDRA_BUILD_BENCH=OFF -DLUDRA_BUILT_FOR_INSTALLATION=ON
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -G DEB)
deb=$(ls -1 "$PWD"/build-package/ludra_*.deb | tail -n 1)
# The package must pass Debian's own checks without an error.
lintian --fail-on error "$deb"
echo "$deb"
