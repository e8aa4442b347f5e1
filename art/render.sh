#!/usr/bin/env bash
# Renders every picture source art/NNN.svg into the game's picture file data/NNN.pkd: a PNG of
# 480 x 720 pixels, whatever the extension says, since the game reads pictures by content; and
# the game's icon art/icona.svg into data/icona.png, 256 x 256, which the window carries inside
# it. The rendered files are committed, so building or playing the game never needs the
# renderer: run this after changing a drawing, look at the result, and commit both together.
set -euo pipefail

art_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$art_dir/../scripts/setup.sh"
vortila_require_packages librsvg2-bin

data_dir="$art_dir/../data"
shopt -s nullglob
sources=("$art_dir"/[0-9][0-9][0-9].svg)
if [ ${#sources[@]} -eq 0 ]; then
  echo "Nessun disegno da convertire in $art_dir." >&2
  exit 1
fi

# render SOURCE TARGET WIDTH HEIGHT
render() {
  local source=$1 target=$2
  # Rendered beside the target and renamed only when complete, so a drawing that fails to
  # render leaves the previous picture in place rather than half a file.
  if ! rsvg-convert --width "$3" --height "$4" --format png --output "$target.tmp" "$source"; then
    rm -f "$target.tmp"
    echo "Non riesco a convertire $source." >&2
    exit 1
  fi
  mv "$target.tmp" "$target"
  echo "$(basename "$source") -> data/$(basename "$target") ($(stat -c %s "$target") byte)"
}

for source in "${sources[@]}"; do
  render "$source" "$data_dir/$(basename "$source" .svg).pkd" 480 720
done
render "$art_dir/icona.svg" "$data_dir/icona.png" 256 256
