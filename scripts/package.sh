#!/usr/bin/env bash
# Builds the Debian package quillmarsh_<version>_<arch>.deb in build-package/ (a Release build) and
# checks it with lintian. Install it with: sudo apt install ./build-package/quillmarsh_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --package
# Debian's hardening flags (fortified functions, stack protector, full RELRO), as dpkg-buildpackage sets them.
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now"
bash scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF -DQM_BUILD_BENCH=OFF
(cd build-package && cpack -G DEB)
deb=$(ls build-package/quillmarsh_*.deb)
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
lintian --info --display-info "$deb"
