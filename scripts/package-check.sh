#!/usr/bin/env bash
# Builds Lindor as Debian builds a package (its compiler and linker flags), installs it into
# a temporary folder and checks the installed copy: the program runs and finds its language
# files, the desktop entry, the AppStream metadata, the document type and the manual page
# are valid. Then builds the Debian package and runs lintian on it. Any error fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
build=build-package
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

fail() {
    echo "package check: $*" >&2
    exit 1
}

echo "-- Build with Debian's flags"
# CMake reads CXXFLAGS and LDFLAGS but not CPPFLAGS (_FORTIFY_SOURCE), so those join CXXFLAGS.
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
          -DLINDOR_TESTS=OFF -DLINDOR_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

echo "-- Install into a temporary folder"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" >/dev/null
share="$stage/usr/share"
metainfo=$(ls "$share"/metainfo/*.metainfo.xml)
[ "$(echo "$metainfo" | wc -l)" -eq 1 ] || fail "not one metainfo file: $metainfo"
expected=(
    usr/bin/lindor
    usr/share/lindor/ldrEnglish.lng
    usr/share/lindor/ldrSwedish.lng
    usr/share/applications/lindor.desktop
    usr/share/mime/packages/lindor.xml
    usr/share/icons/hicolor/scalable/apps/lindor.svg
    usr/share/man/man1/lindor.1.gz
    usr/share/doc/lindor/copyright
    usr/share/doc/lindor/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/lindor.png")
done
for f in "${expected[@]}"; do
    [ -f "$stage/$f" ] || fail "not installed: /$f"
done
for f in data/*.lng data/*.html; do
    [ -f "$f" ] || continue
    cmp -s "$f" "$share/lindor/$(basename "$f")" || fail "$f is not installed in share/lindor"
done
for f in data/help/*.png; do
    [ -f "$f" ] || continue
    cmp -s "$f" "$share/lindor/help/$(basename "$f")" ||
        fail "$f is not installed in share/lindor/help"
done
for size in 16 22 24 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x${size}/apps/lindor.png" |
        grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not ${size}x${size}"
done

echo "-- Run the installed program"
# Its language files are only in share/lindor, so a message about them is a failure.
home="$work/home"
mkdir -p "$home"
version=$(HOME="$home" "$stage/usr/bin/lindor" --version)
echo "$version"
[[ "$version" == "lindor $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ]] ||
    fail "--version printed '$version'"
HOME="$home" "$stage/usr/bin/lindor" --export "$work/x.png" 'x^2' 2>"$work/stderr" ||
    fail "lindor --export failed: $(cat "$work/stderr")"
[ ! -s "$work/stderr" ] || fail "lindor --export complained: $(cat "$work/stderr")"
file "$work/x.png" | grep -q "PNG image data, 800 x 600" || fail "lindor --export wrote no picture"

echo "-- Desktop entry, AppStream metadata, document type"
desktop-file-validate "$share/applications/lindor.desktop"
appstreamcli validate --no-net "$metainfo"
appid=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$appid.metainfo.xml" ] || fail "$metainfo is not named after $appid"
grep -q '<launchable type="desktop-id">lindor.desktop</launchable>' "$metainfo" ||
    fail "the metadata does not launch lindor.desktop"
# The document type in a MIME database of its own: both globs and the magic rule.
XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
for glob in '*.ldr' '*.LDR:cs'; do
    grep -qxF "50:application/x-lindor-document:$glob" "$share/mime/globs2" ||
        fail "no glob $glob for .LDR documents"
done
grep -q 'application/x-lindor-document' "$share/mime/magic" || fail "no magic rule for documents"
grep -qx 'MimeType=application/x-lindor-document;' "$share/applications/lindor.desktop" ||
    fail "the desktop entry does not open documents"

echo "-- Manual page"
man_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$share/man/man1/lindor.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "the manual page has errors: $man_warnings"
gzip -dc "$share/man/man1/lindor.1.gz" | sed 's/\\-/-/g' >"$work/lindor.1"
options=$(HOME="$home" "$stage/usr/bin/lindor" --help |
    grep -oE '(^|[][ |(])--?[A-Za-z][A-Za-z0-9-]*' | sed 's/^[][ |(]//' | sort -u)
[ -n "$options" ] || fail "lindor --help printed no options"
for option in $options; do
    grep -qF -- "$option" "$work/lindor.1" || fail "the manual page does not mention $option"
done
echo "the manual page covers: $(echo $options)"

echo "-- Debian package"
rm -f "$build"/lindor_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lindor_*.deb)
dpkg-deb --field "$deb"
dpkg-deb --contents "$deb" >"$work/contents"
grep -q ' ./usr/share/man/man1/lindor.1.gz$' "$work/contents" ||
    fail "the package has no compressed manual page"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6gui6' || fail "the dependencies were not computed"
lintian --fail-on error --display-info "$deb"
echo "Package checks passed: $(basename "$deb")"
