#!/usr/bin/env bash
# Plays the real vortila-term in a tmux terminal of a fixed size, as a player would: the
# start, the pages of the introduction (turned with Enter and with Space), reading back with
# PgUp, a typed command taken back with Ctrl-Z, resizes, Ctrl-C; a start that is killed,
# after which the terminal must be given back all the same; and a game stopped from outside,
# its terminal resized meanwhile, and resumed from an interactive shell.
# Usage: term_process_test.sh VORTILA_TERM DATA_FOLDER WORK_FOLDER
set -euo pipefail
program=$(realpath "$1") data=$2 work=$3

rm -rf "$work"
mkdir -p "$work/play"
cp "$data"/* "$work/play"
# Read as the game reads it, and written back in the game's own form.
printf ' 1000\n720\n' >"$work/play/iniziale.ini"
# The pane stays after the game ends, so that its end can be looked at.
echo 'set -g remain-on-exit on' >"$work/tmux.conf"
# The server outlives each game's session, so that the next session never races its exit.
echo 'set -s exit-empty off' >>"$work/tmux.conf"

socket="vortila-term-test-$$"
tmux_() { tmux -u -L "$socket" -f "$work/tmux.conf" "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true' EXIT

fail() {
  echo "$1" >&2
  tmux_ capture-pane -p -t game >&2 || true
  exit 1
}
screen() { tmux_ capture-pane -p -t game; }
pane() { tmux_ display -p -t game "$1"; }
# Polls until `$@` succeeds, for up to 30 seconds (the sanitizer build starts slowly).
wait_until() {
  local deadline=$((SECONDS + 30))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}
shows() { screen | grep -qF -- "$1"; }
wait_for() { wait_until shows "$1" || fail "the screen never showed '$1'"; }
# Changed from $1, and no longer changing: a redraw may reach tmux in more than one piece.
changed() {
  local now
  now=$(screen)
  [ "$now" != "$1" ] && sleep 0.05 && [ "$(screen)" = "$now" ]
}
# The shell in the pane writes the game's exit status (128 + the signal for a signal) when it
# ends: tmux itself may learn of it late.
ended() { [ -s "$work/status" ]; }
status() { cat "$work/status"; }
start() {
  rm -f "$work/status"
  tmux_ kill-session -t game 2>/dev/null || true
  tmux_ new-session -d -s game -x 120 -y 30 -c "$work/play" \
    "env LC_ALL=C.UTF-8 TERM=tmux-256color '$program'; echo \$? >'$work/status'"
}
# The program gave the terminal back: out of the alternate screen, the cursor keys as a shell
# expects them.
terminal_restored() {
  [ "$(pane '#{alternate_on}#{keypad_cursor_flag}')" = 00 ] ||
    fail "the terminal was not restored: $(pane 'alternate #{alternate_on}, keypad #{keypad_cursor_flag}')"
}

start
wait_for "(premi INVIO)"
shows "LA VORTILA" || fail "no banner at the start"
[ "$(pane '#{pane_title}')" = "La Vortila" ] || fail "the terminal's title is '$(pane '#{pane_title}')'"

# Each Enter, or Space, turns a page, until the command line waits for a command.
for ((page = 0; page < 20; page++)); do
  shows "Inserire qui i comandi" && break
  before=$(screen)
  key=Enter
  ((page % 2)) && key=Space
  tmux_ send-keys -t game "$key"
  wait_until changed "$before" || fail "$key did not turn the page"
done
for item in "> la tuta spaziale*" "> il casco*" "> la torcia"; do wait_for "$item"; done

# PgUp reads back to the banner, long gone from the screen; a key typed returns to the game.
for ((page = 0; page < 20; page++)); do
  shows "LA VORTILA" && break
  tmux_ send-keys -t game PPage
  sleep 0.05
done
wait_for "LA VORTILA"
wait_for "(rilettura:"
tmux_ send-keys -t game -l "x"
wait_for " > x"
shows "LA VORTILA" && fail "a typed key did not return to the game"
tmux_ send-keys -t game C-u

# Ctrl-Z takes back a command: the hook is carried again.
tmux_ send-keys -t game -l "posa il gancio"
tmux_ send-keys -t game Enter
wait_for "Non hai più il gancio."
shows "> il gancio" && fail "the hook put down is still in the inventory"
tmux_ send-keys -t game C-z
wait_for "Ho annullato il comando «POSA IL GANCIO»."
wait_for "> il gancio"

tmux_ send-keys -t game -l "guarda perché"
tmux_ send-keys -t game Enter
wait_for " > GUARDA PERCHÉ"

# Smaller: the newest line and the command line stay, the command line at the foot.
tmux_ resize-window -t game -x 60 -y 20
at_foot() { [ "$(screen | sed -n 20p)" = " > Inserire qui i comandi" ]; }
wait_until at_foot || fail "after shrinking, the command line is not on the last line"
shows " > GUARDA PERCHÉ" || fail "after shrinking, the newest lines are gone"
shows "Inventario" && fail "a 60-column terminal has no room for the inventory"
tmux_ resize-window -t game -x 120 -y 30
wait_for "> la torcia"

tmux_ send-keys -t game C-c
wait_until ended || fail "Ctrl-C did not end the game"
[ "$(status)" = 0 ] || fail "Ctrl-C ended with status $(status)"
terminal_restored
[ "$(od -An -c "$work/play/iniziale.ini" | tr -d ' \n')" = '1000\r\n720\r\n' ] ||
  fail "iniziale.ini was not written back: $(od -c "$work/play/iniziale.ini")"

# Killed while playing: no settings saved, but the terminal is given back.
printf '812\n600\n' >"$work/play/iniziale.ini"
start
wait_for "(premi INVIO)"
kill -TERM "$(ps -o pid= --ppid "$(pane '#{pane_pid}')")"
wait_until ended || fail "SIGTERM did not end the game"
[ "$(status)" = 143 ] || fail "SIGTERM ended the game with status $(status)"
terminal_restored
[ "$(cat "$work/play/iniziale.ini")" = $'812\n600' ] || fail "a killed game rewrote iniziale.ini"
# Stopped by a signal from elsewhere, as a shell's job: the terminal is given back while it
# is stopped, and the game comes back whole when the shell resumes it.
rm -f "$work/play/ripresa.sav"
tmux_ kill-session -t game 2>/dev/null || true
tmux_ new-session -d -s game -x 120 -y 30 -c "$work/play" \
  "env -i HOME='$work' PATH=/usr/bin:/bin LC_ALL=C.UTF-8 TERM=tmux-256color PS1='$ ' bash --norc -i"
tmux_ send-keys -t game -l "'$program'"
tmux_ send-keys -t game Enter
wait_for "(premi INVIO)"
game_pid() { pgrep -P "$(pane '#{pane_pid}')" -x vortila-term; }
kill -TSTP "$(game_pid)"
wait_for "Stopped"
terminal_restored
# Resized while it was stopped, the game takes the new size as it comes back, before any key.
tmux_ resize-window -t game -x 60 -y 20
tmux_ send-keys -t game -l "fg"
tmux_ send-keys -t game Enter
prompt_at_foot() { [ "$(screen | sed -n 20p)" = " > (premi INVIO)" ]; }
wait_until prompt_at_foot || fail "the game resumed in a smaller terminal did not take its size"
[ "$(pane '#{alternate_on}')" = 1 ] || fail "the resumed game is not on the alternate screen"
tmux_ send-keys -t game C-c
gone() { ! game_pid >/dev/null; }
wait_until gone || fail "Ctrl-C did not end the resumed game"
terminal_restored
echo "vortila-term played, read back, took back a command, resized, closed, was killed, stopped and resumed in order"
