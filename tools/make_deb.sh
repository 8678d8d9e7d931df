#!/usr/bin/env bash
# Builds the Debian package vexoro_<version>_<arch>.deb from a clean Release build in
# build-deb/ with CPack's DEB generator, and prints the package's path as its last line.
# CMAKE_BUILD_PARALLEL_LEVEL=N limits the build to N jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install_deps.sh cmake ninja-build g++ qt6-base-dev libgl-dev dpkg-dev file >&2

# Debian's compiler and linker flags with every hardening feature: _FORTIFY_SOURCE=2 at -O2,
# stack protector, read-only relocations bound at start-up (relro, now), PIE; and with the
# reproducible ones: the source folder mapped to "." in file names compiled in
# (-ffile-prefix-map), no __DATE__ or __TIME__. No -g: the program is stripped.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=+all" DEB_CXXFLAGS_MAINT_STRIP=-g
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS

# One date for every timestamp that reaches the package, as Debian takes it: the top changelog
# entry's, unless the builder gives one. rcc stores it as the pictures' dates, CPack as the
# archive members' and the files' modification times.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)}
export SOURCE_DATE_EPOCH
# CPack gives the folders it makes and the archive members the builder's umask.
umask 022

rm -rf build-deb
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
    -DBUILD_TESTING=OFF -DVEXORO_DEB=ON >/dev/null
cmake --build build-deb >&2
(cd build-deb && cpack >&2)
ls "$PWD"/build-deb/vexoro_*.deb
