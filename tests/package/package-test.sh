#!/usr/bin/env bash
# Builds the Debian package of a build folder, unpacks it into a staging root (nothing is
# installed on this machine), checks what it holds and declares, and starts fendril-cli
# from the staging root.
# Usage: package-test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2

rm -rf "$work"
mkdir -p "$work"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
deb=$(find "$work" -maxdepth 1 -name 'fendril_*.deb')
[[ -n $deb ]] || { cat "$work/cpack.log"; echo "no package was made"; exit 1; }
dpkg-deb --info "$deb"

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/fendril usr/bin/fendril-cli usr/share/fendril/fendril.html \
    usr/share/applications/fendril.desktop usr/share/icons/hicolor/scalable/apps/fendril.svg \
    usr/share/icons/hicolor/64x64/apps/fendril.png usr/share/doc/fendril/copyright; do
    [[ -f $root/$file ]] || { echo "the package lacks /$file"; exit 1; }
done

depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libstdc++6 libsqlite3-0 libodbc2 libqt6core6 libqt6gui6 libqt6widgets6 \
    libqt6printsupport6; do
    [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
        { echo "Depends lacks $library: $depends"; exit 1; }
done

help=$("$root/usr/bin/fendril-cli" --help)
[[ $help == *"Usage: fendril-cli"* ]] || { echo "unexpected help: $help"; exit 1; }
echo "fendril-cli from the package runs: ${help%%$'\n'*}"
