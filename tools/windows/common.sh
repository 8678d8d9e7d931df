# What tools/make_windows.sh and tools/test_windows.sh share: where the cross-built Qt lives
# and what a Windows program of the project needs beside it. Sourced from the project's root.

mingw=x86_64-w64-mingw32
cache=${VEXORO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vexoro-windows}
# The Qt of the Linux build, so that both builds run the same toolkit.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || apt-cache policy qt6-base-dev | sed -n 's/ *Candidate: //p')
qt_upstream=${qt_version%%+*}
qt_upstream=${qt_upstream#*:}
qt_prefix="$cache/qt-$qt_version"

# Copies into folder $1 the DLLs and plugins a Widgets program needs, and their licences.
deploy_runtime() {
    local to=$1 gcc_dir
    gcc_dir=$(dirname "$($mingw-g++-posix -print-libgcc-file-name)")
    for dll in Qt6Core Qt6Gui Qt6Widgets; do
        cp "$qt_prefix/bin/$dll.dll" "$to/"
    done
    cp "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" \
        "/usr/$mingw/lib/libwinpthread-1.dll" "$to/"
    mkdir -p "$to/platforms" "$to/styles" "$to/imageformats"
    cp "$qt_prefix/plugins/platforms/qwindows.dll" "$to/platforms/"
    cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$to/styles/"
    cp "$qt_prefix/plugins/imageformats/qjpeg.dll" "$to/imageformats/"
    "$mingw-strip" "$to"/*.dll "$to"/*/*.dll
    mkdir -p "$to/licences"
    cp -r "$qt_prefix/licences/qt" "$to/licences/qt"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$to/licences/gcc-runtime.txt"
    cp /usr/share/doc/mingw-w64-common/copyright "$to/licences/mingw-w64.txt"
    cp /usr/share/common-licenses/GPL-3 "$to/licences/GPL-3.0.txt"
}
