#!/bin/sh
# Builds the Debian package build-package/tessmira_<version>_<arch>.deb from this tree, with
# Debian's hardening flags and without tests or benchmarks.
set -eu
cd "$(dirname "$0")/.."
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTESSMIRA_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-package
rm -f build-package/tessmira_*.deb
(cd build-package && cpack -G DEB)
