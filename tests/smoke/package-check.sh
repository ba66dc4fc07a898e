#!/bin/sh
# Builds the Debian package, unpacks it into a scratch root as dpkg would install it, and runs
# every program's --help from there; the manual pages must be where man finds them.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(ls "$work"/out/penlark_*.deb)
dpkg-deb --info "$deb" | grep -q "Package: penlark"
dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
for program in penlark penlark-convert tamsell-gallery orvenly-tdb; do
    if ! env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$usr/bin/$program" --help > "$work/help.txt"; then
        echo "$program --help failed" >&2
        exit 1
    fi
    grep -q "Usage: $program" "$work/help.txt" || { echo "$program --help printed no usage" >&2; exit 1; }
    if ldd "$usr/bin/$program" | grep -E "orvenly|tamsell" | grep -qv "$usr"; then
        echo "the packaged $program loads libraries from outside the package" >&2
        exit 1
    fi
done
for file in lib/liborvenly.so lib/libtamsell.so share/applications/penlark.desktop \
    share/icons/hicolor/scalable/apps/penlark.svg; do
    ls "$usr"/$file* >/dev/null 2>&1 || ls "$usr"/lib/*/"$(basename $file)"* >/dev/null 2>&1 ||
        { echo "missing: $file" >&2; exit 1; }
done
for page in penlark penlark-convert orvenly-tdb; do
    MANPATH="$usr/share/man" MANWIDTH=80 man "$page" 2>/dev/null | grep -q "^NAME" ||
        { echo "man $page does not answer" >&2; exit 1; }
done
echo "package: $(basename "$deb") installs and runs"
