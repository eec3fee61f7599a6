#!/usr/bin/env bash
# Installs the program into a scratch prefix, and its Debian package into a
# scratch root, and checks that each gives a menu entry, an icon and metadata
# that validate, with the executable where the entry says.
#   check_install.sh <build-dir> <app-id>
set -euo pipefail
build=$1
id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check_tree() {  # <root> <prefix inside root>
    local root=$1 prefix=$2
    local apps=$root$prefix/share/applications/$id.desktop
    local meta=$root$prefix/share/metainfo/$id.metainfo.xml
    desktop-file-validate "$apps"
    appstreamcli validate --no-net "$meta" >/dev/null
    # Exec names the program on the PATH: bin/pexor, a link to the real file
    # in a folder of its own.
    local exec
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$apps")
    local link=$root$prefix/bin/$exec
    [[ -L "$link" ]] || { echo "no link $link"; exit 1; }
    local real
    real=$(cd "$(dirname "$link")" && readlink -f "$(readlink "$link")")
    [[ "$real" == "$root$prefix"/lib*/pexor/pexor && -x "$real" ]] || { echo "bad target $real"; exit 1; }
    local icon
    icon=$(sed -n 's/^Icon=//p' "$apps")
    [[ "$icon" == "$id" ]] || { echo "icon $icon"; exit 1; }
    for size in 16 32 48 64 128 256; do
        local png=$root$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
        [[ -s "$png" ]] || { echo "missing $png"; exit 1; }
        file "$png" | grep -q "PNG image data, $size x $size" || { echo "bad $png"; exit 1; }
    done
    # It starts through the link and stays up.
    local rc=0
    QT_QPA_PLATFORM=offscreen timeout 4 "$link" >/dev/null 2>&1 || rc=$?
    [[ $rc -eq 124 ]] || { echo "$link ended early with $rc"; exit 1; }
    # Everything the program looks for beside itself is there.
    for extra in "${@:3}"; do
        [[ -e "$(dirname "$real")/$extra" ]] || { echo "missing $extra beside the program"; exit 1; }
    done
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
check_tree "$scratch/prefix" "" "${@:3}"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/*.deb)
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q fonts-wqy-microhei || { echo "no font dependency"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libjpeg || { echo "no libjpeg dependency"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libgif || { echo "no giflib dependency"; exit 1; }
dpkg -x "$deb" "$scratch/root"
check_tree "$scratch/root" /usr "${@:3}"
echo "install and package checked"
