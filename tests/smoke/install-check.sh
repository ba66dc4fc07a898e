#!/bin/sh
# Installs the build into a scratch prefix and checks that the installed program finds its
# own libraries and that desktops find its entry and icon.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/penlark bin/penlark-convert bin/tamsell-gallery bin/orvenly-tdb \
    share/applications/penlark.desktop share/icons/hicolor/scalable/apps/penlark.svg \
    share/icons/hicolor/48x48/apps/penlark.png; do
    [ -f "$prefix/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
for program in penlark tamsell-gallery orvenly-tdb; do
    if ldd "$prefix/bin/$program" | grep -E "orvenly|tamsell" | grep -qv "$prefix"; then
        echo "the installed $program loads libraries from outside its prefix" >&2
        exit 1
    fi
done
printf 'abc\n' > "$prefix/in.txt"
"$prefix/bin/penlark-convert" --guess "$prefix/in.txt"
printf 'BEGIN Form main\r\nCaption Hello\r\nEND\r\n' > "$prefix/form.txt"
"$prefix/bin/orvenly-tdb" "$prefix/form.txt"
