#!/usr/bin/env bash
# Installs the game into a temporary prefix as `cmake --install` does, checks the menu entry,
# the metadata and the manual pages as installed, and plays the installed vortila-stream from
# a folder that holds no data, as a player whose home is a temporary folder: the player's files
# must go to the player's folder, and nothing may be written in the current folder or under
# the prefix. Then the starts that cannot succeed: each names what is wrong and fails.
# Usage: install_test.sh BUILD_FOLDER WORK_FOLDER VERSION
set -euo pipefail
build=$1 work=$2 version=$3

fail() {
  echo "$*" >&2
  exit 1
}

rm -rf "$work"
prefix=$work/prefix
home=$work/home
elsewhere=$work/altrove
mkdir -p "$home" "$elsewhere"
cmake --install "$build" --prefix "$prefix" >/dev/null
stream=$prefix/bin/vortila-stream

desktop-file-validate "$prefix"/share/applications/*.desktop ||
  fail "the installed menu entry is not valid"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 ||
  fail "the installed metadata is not valid: $(cat "$work/appstream.log")"
for page in "$prefix"/share/man/man6/*.6.gz "$prefix"/share/man/it/man6/*.6.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
[ "$(ls "$prefix"/share/man/man6 | wc -l)" -eq 3 ] && [ "$(ls "$prefix"/share/man/it/man6 | wc -l)" -eq 3 ] ||
  fail "a manual page is missing: $(ls -R "$prefix/share/man")"

# Every file under the prefix, with its size and time, to tell whether a game wrote there.
snapshot() { find "$prefix" -printf '%P %s %T@\n' | sort; }
before=$(snapshot)

# plays INPUT [ARGUMENT...]: the installed stream from the folder without data, its output in
# out.txt and its error output in err.txt; sets status.
plays() {
  local input=$1
  shift
  status=0
  (cd "$elsewhere" && printf "$input" | "$stream" "$@" >"$work/out.txt" 2>"$work/err.txt") || status=$?
}
expect_output() {
  grep -qF -- "$1" "$work/out.txt" || fail "the output lacks '$1': $(cat "$work/out.txt" "$work/err.txt")"
}
# refused PATTERN: the last start failed with a message matching PATTERN, and wrote nothing.
refused() {
  [ "$status" -ne 0 ] || fail "a start that should fail ended with status 0"
  grep -qE -- "$1" "$work/err.txt" || fail "the error lacks /$1/: $(cat "$work/err.txt")"
}

export HOME=$home XDG_DATA_HOME=$home/dati
plays '\n\n\n\n\n\n\nprendi la torcia\nsalva prova\nposa la torcia\ncarica prova\ninventario\ntrascrizione\n'
[ "$status" -eq 0 ] || fail "the installed game ended with status $status: $(cat "$work/err.txt")"
expect_output "Ho salvato nel file 'prova.sav'."
expect_output "Ho caricato nel file 'prova.sav'."
expect_output "Hai con te la torcia"
expect_output "[immagine 007.pkd] L'apertura ovale"
saves=$home/dati/vortila
# The end of input in the middle of the game kept it in ripresa.sav, beside the saved games.
for file in iniziale.ini prova.sav Debug.txt ripresa.sav; do
  [ -f "$saves/$file" ] || fail "$file is not in the player's folder: $(ls -A "$saves")"
done
[ "$(ls -A "$saves" | wc -l)" -eq 4 ] || fail "the player's folder holds more: $(ls -A "$saves")"
[ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote in the current folder: $(ls -A "$elsewhere")"
[ "$(snapshot)" = "$before" ] || fail "the game wrote under the prefix: $(diff <(echo "$before") <(snapshot))"

# Without XDG_DATA_HOME the player's folder is in the home folder, created with its settings.
(unset XDG_DATA_HOME && plays '')
[ -f "$home/.local/share/vortila/iniziale.ini" ] || fail "no player's folder under HOME"

# The options answer without playing, the window's included, where there is no display.
plays '' --version
expect_output "vortila-stream (La Vortila) $version"
for program in vortila vortila-term; do
  answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --help)
  [[ $answer == "Uso: $program "* ]] || fail "$program --help answered '$answer'"
done
plays '' --dati x
[ "$status" -eq 2 ] && grep -q -- "--dati" "$work/err.txt" || fail "an unknown option gave $status"

# The starts that cannot succeed, from a player's folder not there yet: none may create it.
export XDG_DATA_HOME=$work/nuova
mkdir -p "$work/vuota"
plays '' --data "$work/vuota"
refused "^010\.pkd: il file manca.*$work/vuota"
plays '' --saves "$work/manca"
refused "^$work/manca: la cartella dei file del giocatore non esiste"
plays '' --saves /proc
refused "^/proc: non posso scrivere"
[ ! -e "$work/nuova" ] || fail "a failed start created the player's folder"
touch "$work/file"
export XDG_DATA_HOME=$work/file
plays ''
refused "^$work/file/vortila: non riesco a creare"
[ "$(snapshot)" = "$before" ] || fail "a failed start wrote under the prefix"
echo "installed in $prefix and played from $elsewhere"
