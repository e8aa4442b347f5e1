#!/usr/bin/env bash
# Builds the Debian package from the build folder, as the README tells a player to, and checks
# that it holds the whole installed game under /usr and depends on the libraries the programs
# link against and on Qt's platform plugins, without which the window cannot open.
# Usage: package_test.sh BUILD_FOLDER WORK_FOLDER DATA_FOLDER
set -euo pipefail
build=$1 work=$2 data=$3

fail() {
  echo "$*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"
packages=("$work"/vortila_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "no package: $(ls "$work")"
package=${packages[0]}

contents=$(dpkg-deb -c "$package" | awk '{print $6}')
outside=$(grep -v '^\./usr/' <<<"$contents" | grep -v '^\./$' || true)
[ -z "$outside" ] || fail "the package puts files outside /usr: $outside"
id=it.lavortila.vortila
expected=(./usr/bin/vortila ./usr/bin/vortila-term ./usr/bin/vortila-stream
  ./usr/share/applications/$id.desktop
  ./usr/share/metainfo/$id.metainfo.xml)
for size in 16 24 32 48 64 128 256 512; do
  expected+=("./usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
for program in vortila vortila-term vortila-stream; do
  expected+=("./usr/share/man/man6/$program.6.gz" "./usr/share/man/it/man6/$program.6.gz")
done
for file in "$data"/*; do expected+=("./usr/share/vortila/$(basename "$file")"); done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

depends=$(dpkg-deb -f "$package" Depends)
for dependency in libqt6widgets6 libncursesw6 libchafa0 libpng16-16 libc6 qt6-qpa-plugins; do
  [[ $depends == *"$dependency"* ]] || fail "the package does not depend on $dependency: $depends"
done
[ "$(dpkg-deb -f "$package" Package Section)" = "$(printf 'Package: vortila\nSection: games')" ] ||
  fail "the package's name or section: $(dpkg-deb -f "$package" Package Section)"
echo "$(basename "$package"): ${#expected[@]} files checked; Depends: $depends"
