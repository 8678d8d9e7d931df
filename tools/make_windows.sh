#!/usr/bin/env bash
# Builds the Windows game on this Debian machine and packs vexoro-<version>-windows-x86_64.zip:
# vexoro.exe with the DLLs and plugins it needs beside it, and the licence texts. Prints the
# zip's path as its last line.
#
# Qt comes from Debian's own source package (the version of the Linux build's qt6-base-dev),
# with the project's patches under tools/windows/, cross-built with Debian's mingw-w64 once
# into a cache that later runs reuse:
#   ${VEXORO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vexoro-windows}
# The first run builds Qt (about 35 minutes on two cores); later runs build the game only.
# CMAKE_BUILD_PARALLEL_LEVEL=N limits the builds to N jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source tools/windows/common.sh

tools/install_deps.sh cmake ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev \
    g++-mingw-w64-x86-64-posix mingw-w64-tools zip xz-utils patch >&2

# Debian's source packages come from the same archive as its binary ones: a deb-src entry
# beside each deb one, same addresses, suites and key.
if ! apt-get source --print-uris -qq "qt6-base=$qt_version" >/dev/null 2>&1; then
    echo "Adding Debian's source archive to APT (/etc/apt/sources.list.d/vexoro-deb-src.sources)" >&2
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    {
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -e "$file" ] || continue
            sed -n '/^Types:.*\bdeb\b/,/^$/p' "$file" | sed 's/^Types:.*/Types: deb-src/'
            echo
        done
        grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
            sed 's/^deb /deb-src /' || true
    } | "${sudo[@]}" tee /etc/apt/sources.list.d/vexoro-deb-src.sources >/dev/null
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq >&2
fi

build_qt() {
    local work="$cache/qt-build" source="$cache/qt6-base-$qt_version"
    rm -rf "$work" "$source" "$qt_prefix"
    mkdir -p "$cache"
    (cd "$cache" && apt-get source -qq --download-only "qt6-base=$qt_version" >&2)
    # Debian's patches applied, as in its Linux packages; then the project's own.
    dpkg-source --no-check -q -x "$cache/qt6-base_${qt_version#*:}.dsc" "$source" >&2
    for patch in tools/windows/*.patch; do
        patch -d "$source" -p1 --quiet <"$patch"
    done
    # Widgets only: the windows and offscreen platforms, the Windows styles, pictures in
    # PNG and JPEG (the opening picture), Qt's own copies of the libraries it needs.
    # Debian's source has no tablet headers; the DirectWrite fonts go with Direct2D.
    mkdir -p "$work"
    (cd "$work" && "$source/configure" -prefix "$qt_prefix" \
        -xplatform win32-g++ -qt-host-path /usr -release -shared \
        -no-opengl -no-dbus -no-icu -qt-freetype -qt-libjpeg -qt-zlib -qt-libpng \
        -qt-harfbuzz -qt-pcre -qt-doubleconversion \
        -no-feature-sql -no-feature-network -no-feature-xml -no-feature-printsupport \
        -no-feature-concurrent -no-feature-tabletevent -no-feature-vulkan -no-feature-direct2d \
        -nomake examples -nomake tests \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/toolchain.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" >&2)
    cmake --build "$work" >&2
    cmake --install "$work" >&2
    # What the LGPL asks for beside the libraries: Qt's licences and its third-party notices.
    mkdir -p "$qt_prefix/licences"
    cp -r "$source/LICENSES" "$qt_prefix/licences/qt"
    printf '%s\n' "$qt_version" >"$qt_prefix/debian-version"
    rm -rf "$work" "$source"
    echo "$qt_stamp" >"$qt_prefix/stamp"
}

# A new patch, toolchain, configuration or compiler builds Qt again.
qt_stamp=$({ cat tools/windows/*.patch tools/windows/toolchain.cmake; declare -f build_qt
    dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix; } | sha256sum | cut -c1-16)
if [ "$(cat "$qt_prefix/stamp" 2>/dev/null)" != "$qt_stamp" ]; then
    echo "Cross-building Qt $qt_version into $qt_prefix (once)" >&2
    build_qt
fi

# The notices of the libraries Qt carries its own copies of, from the same source.
notices="$qt_prefix/licences/qt/3rdparty"
if [ ! -d "$notices" ]; then
    mkdir -p "$notices"
    tar -xJf "$cache"/qt6-base_*.orig.tar.xz -C "$notices" --strip-components=3 --wildcards \
        '*/src/3rdparty/'{double-conversion,freetype,harfbuzz-ng,libjpeg,libpng,md4c,pcre2,zlib}'/*LICEN[CS]E*' \
        '*/src/3rdparty/harfbuzz-ng/COPYING' '*/src/3rdparty/libjpeg/ijg-license.txt' \
        '*/src/3rdparty/freetype/docs/FTL.TXT'
fi

build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING="${VEXORO_WINDOWS_TESTS:-OFF}" \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/tools/windows/toolchain.cmake" >/dev/null
cmake --build "$build" >&2

version=$(sed -n 's/^project(Vexoro VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=vexoro-$version-windows-x86_64
stage="$build/$name"
rm -rf "$stage" "$build/$name.zip"
mkdir -p "$stage"
cp "$(find "$build" -name vexoro.exe -not -path "$stage/*" | head -n 1)" "$stage/"
"$mingw-strip" "$stage/vexoro.exe"
deploy_runtime "$stage"
cat >"$stage/README.txt" <<EOF
Vexoro $version for 64-bit Windows

Start vexoro.exe: nothing needs installing. The game keeps your language in start.ini
beside vexoro.exe, or in your own application-data folder (%APPDATA%\\vexoro) where this
folder cannot be written.

The libraries beside it are Qt $qt_upstream (LGPL-3.0), built from Debian's source package
qt6-base $qt_version with the project's patch in licences/qt-patches, and the runtime
of Debian's mingw-w64 compiler (GCC runtime library exception; winpthreads: MIT). Their
licence texts are in licences/. You may replace the Qt DLLs with your own build of the
same version.
EOF
sed -i 's/$/\r/' "$stage/README.txt"
mkdir -p "$stage/licences/qt-patches"
cp tools/windows/*.patch "$stage/licences/qt-patches/"
(cd "$build" && find "$name" -exec touch -h -d "@${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}" {} + &&
    find "$name" -print | LC_ALL=C sort | zip -q -X -@ "$name.zip")
ls "$PWD/$build/$name.zip"
