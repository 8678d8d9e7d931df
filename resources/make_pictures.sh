#!/bin/bash
# Renders Vexoro's pictures from the hand-written SVG sources in svg/.
#
#   resources/make_pictures.sh
#
# Writes images/ (compiled into the program as Qt resources) and icons/ (for
# installation).  The outputs are kept in the repository; the build never runs
# this script, so run it again after changing a source and commit the results.
#
# Sources may contain lines of the form
#     <!-- include parts/ideogram.svg -->
# which are replaced by the lines of that file between its "begin shared" and
# "end shared" markers, so the ideogram and the lettering are drawn only once.
#
# Needs rsvg-convert (Debian package librsvg2-bin) and ImageMagick's convert
# (Debian package imagemagick).

set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
svg_dir=$here/svg
images_dir=$here/images
icons_dir=$here/icons

# ImageMagick is called by its full path: other programs named "convert" may
# come first in PATH.
rsvg="rsvg-convert"
magick=/usr/bin/convert

fail() {
    echo "make_pictures.sh: $*" >&2
    exit 1
}

if ! command -v "$rsvg" >/dev/null 2>&1; then
    fail "rsvg-convert not found; install the Debian package librsvg2-bin (apt-get install librsvg2-bin)"
fi
if ! { [ -x "$magick" ] && "$magick" -version 2>/dev/null | grep -q ImageMagick; }; then
    fail "$magick (ImageMagick) not found; install the Debian package imagemagick (apt-get install imagemagick)"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# assemble SOURCE DEST: copy SOURCE, filling in its include lines.
assemble() {
    awk -v dir="$svg_dir" '
        $1 == "<!--" && $2 == "include" && $4 == "-->" && NF == 4 {
            file = dir "/" $3
            copying = 0
            found = 0
            while ((getline line < file) > 0) {
                if (line ~ /<!-- end shared -->/) copying = 0
                if (copying) print line
                if (line ~ /<!-- begin shared -->/) { copying = 1; found = 1 }
            }
            close(file)
            if (!found) {
                print "make_pictures.sh: nothing shared in " file > "/dev/stderr"
                exit 1
            }
            next
        }
        { print }
    ' "$1" >"$2"
}

# render NAME WIDTH HEIGHT: rasterise svg/NAME.svg at WIDTH x HEIGHT into
# $work/render.png.
render() {
    local name=$1 width=$2 height=$3
    local assembled=$work/$name.svg
    [ -f "$assembled" ] || assemble "$svg_dir/$name.svg" "$assembled"
    "$rsvg" --width "$width" --height "$height" --format png -o "$work/render.png" "$assembled"
}

# Options that keep the files small and free of dates, so that rendering again
# gives the same bytes.
png_opts=(-strip -define "png:exclude-chunks=date,time")

# to_jpeg PNG OUT SAMPLING: JPEG of quality 85.  SAMPLING is the colour
# sampling: 1x1 keeps colour at full resolution, so the red glyph keeps clean
# edges on black at the normal size; 2x2 keeps the double-size picture small.
to_jpeg() {
    "$magick" "$1" -strip -sampling-factor "$3" -quality 85 "$2"
}

# to_palette16 PNG OUT: PNG with a palette of at most 16 colours (ImageMagick
# then stores at most 4 bits per pixel); fully transparent pixels stay
# transparent.  Forcing the colour type or depth would drop the transparency,
# so the result is checked instead.
to_palette16() {
    "$magick" "$1" -dither None -colors 16 "${png_opts[@]}" "$2"
    local colour_type bit_depth
    colour_type=$(od -An -tu1 -j25 -N1 "$2" | tr -d ' ')
    bit_depth=$(od -An -tu1 -j24 -N1 "$2" | tr -d ' ')
    if [ "$colour_type" != 3 ] || [ "$bit_depth" -gt 4 ]; then
        fail "$2 is not a palette PNG of 16 colours (colour type $colour_type, depth $bit_depth)"
    fi
}

# to_rgb PNG OUT: plain opaque PNG.
to_rgb() {
    "$magick" "$1" -background black -alpha remove -alpha off "${png_opts[@]}" \
        -define png:color-type=2 "$2"
}

mkdir -p "$images_dir" "$icons_dir"

# The game window's opening picture.
render opening 336 288 && to_jpeg "$work/render.png" "$images_dir/vexoro.jpg" 1x1
render opening 672 576 && to_jpeg "$work/render.png" "$images_dir/vexoro@2x.jpg" 2x2

# The window icon and the five flags of the language chooser: 16 colours.
for name in icon32 flag_uk flag_fr flag_de flag_it flag_es; do
    render "$name" 32 32 && to_palette16 "$work/render.png" "$images_dir/$name.png"
    render "$name" 64 64 && to_palette16 "$work/render.png" "$images_dir/$name@2x.png"
done

# The About box's emblem and name pictures.
render emblem 52 53 && to_rgb "$work/render.png" "$images_dir/emblem.png"
render emblem 104 106 && to_rgb "$work/render.png" "$images_dir/emblem@2x.png"
render name 146 28 && to_rgb "$work/render.png" "$images_dir/name.png"
render name 292 56 && to_rgb "$work/render.png" "$images_dir/name@2x.png"

# Icons for installation: the scalable one is the assembled source itself.
assemble "$svg_dir/app_icon.svg" "$icons_dir/org.example.Vexoro.svg"
for size in 16 32 48 64 128 256; do
    dir=$icons_dir/hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    "$rsvg" --width "$size" --height "$size" --format png -o "$work/app-$size.png" \
        "$icons_dir/org.example.Vexoro.svg"
    "$magick" "$work/app-$size.png" "${png_opts[@]}" "$dir/org.example.Vexoro.png"
done

echo "make_pictures.sh: pictures written to $images_dir and $icons_dir"
