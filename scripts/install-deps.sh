#!/bin/sh
# Installs, idempotently, every Debian 12 package that building, running and testing Tessmira needs.
set -eu
PACKAGES="cmake ninja-build g++ pkg-config
 qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev libx11-dev
 libgtest-dev libgmock-dev libbenchmark-dev libzint-dev
 zbar-tools zxing-cpp-tools xvfb xauth imagemagick fonts-liberation fonts-dejavu-core
 clang libclang-rt-14-dev shared-mime-info desktop-file-utils
 libcups2-dev cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
 nlohmann-json3-dev
 dpkg-dev lintian appstream xdg-utils libfile-mimeinfo-perl man-db"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
fi
