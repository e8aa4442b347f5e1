#!/usr/bin/env bash
# Plays the window on a virtual X display and saves pictures of it at a few moments of
# play: the first page, the end of the introduction, the torch lit and a command typed,
# and the command brought back from the history. The pictures go to the folder named as the argument
# (build/screenshots by default); the game plays in a temporary folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$vortila_root"
vortila_require_packages "${vortila_build_packages[@]}" "${vortila_qt_packages[@]}" \
  "${vortila_screenshot_packages[@]}"
vortila_build release

out=$(realpath -m "${1:-build/screenshots}")
mkdir -p "$out"
play=$(mktemp -d)
trap 'rm -rf "$play"' EXIT
cp data/* "$play"
cd "$play"

export VORTILA_PROGRAM="$vortila_root/build/release/vortila" VORTILA_OUT="$out"
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" bash -euo pipefail -c '
  "$VORTILA_PROGRAM" 2>/dev/null &
  game=$!
  trap "kill $game 2>/dev/null || true" EXIT
  window=$(xdotool search --sync --onlyvisible --name "^La Vortila$" | head -n1)
  xdotool windowfocus --sync "$window"
  # Keys reach the game from its own event loop: give each a moment to be drawn.
  press() { xdotool key --delay 50 "$@"; sleep 0.3; }
  shot() { sleep 0.3; import -window "$window" "$VORTILA_OUT/$1.png"; echo "$VORTILA_OUT/$1.png"; }
  shot 1-prima-pagina
  for page in 1 2 3 4 5 6; do press Return; done
  shot 2-fine-introduzione
  xdotool type --delay 30 "accendi la torcia"
  press Return
  xdotool type --delay 30 "esamina la bruciatura"
  shot 3-comando
  press Return Up Up
  shot 4-storia
'
