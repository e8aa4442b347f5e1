#!/usr/bin/env bash
# Renders every picture source art/NNN.svg into the game's picture file data/NNN.pkd: a PNG of
# 480 x 720 pixels, whatever the extension says, since the game reads pictures by content.
# The rendered files are committed, so building or playing the game never needs the renderer:
# run this after changing a drawing, look at the result, and commit both together.
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

for source in "${sources[@]}"; do
  name=$(basename "$source" .svg)
  target="$data_dir/$name.pkd"
  # Rendered beside the target and renamed only when complete, so a drawing that fails to
  # render leaves the previous picture in place rather than half a file.
  if ! rsvg-convert --width 480 --height 720 --format png --output "$target.tmp" "$source"; then
    rm -f "$target.tmp"
    echo "Non riesco a convertire $source." >&2
    exit 1
  fi
  mv "$target.tmp" "$target"
  echo "$name.svg -> data/$name.pkd ($(stat -c %s "$target") byte)"
done
