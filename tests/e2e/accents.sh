#!/usr/bin/env bash
# End to end: with the real word lists, type Spanish words without their accents in the real
# program, choose "Poner tílde ortográfica" through the keyboard's menu access, close the report
# and save: the saved text carries the accents.
# Usage: accents.sh PATH/TO/quirel   (the word lists: $QUIREL_WORDLISTS_DIR, else the program's folder)
# Exits 77 (skipped) when no built word lists are found.
set -euo pipefail
program=$(readlink -f "$1")
lists=${QUIREL_WORDLISTS_DIR:-$(dirname "$program")}
[[ -f $lists/diccionario.log ]] || { echo "SKIP: no word lists in $lists"; exit 77; }

# Waits up to 30 s for a visible window of process $1, other than window $2, and prints its id
# (the program may run slowly, as under the sanitizers).
other_window() {
  local id
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --pid "$1" --name '.' 2>/dev/null | grep -vx "$2" | head -1) && [[ -n $id ]] && {
      echo "$id"
      return
    }
    sleep 0.1
  done
}

# Waits up to 30 s until window $1 is no longer visible.
gone() {
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

run() {
  local home
  home=$(mktemp -d)
  trap 'rm -rf "$home"' RETURN
  export QUIREL_HOME=$home
  local list
  for list in "$lists"/*.log; do ln -s "$(readlink -f "$list")" "$home/"; done
  setxkbmap es

  "$program" & local pid=$!
  local wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --pid $pid --name '^Pagina ' 2>/dev/null | head -1) && [[ -n $wid ]] && break
    sleep 0.1
  done
  [[ -n $wid ]] || { echo "FAIL: no window"; kill $pid; return 1; }
  xdotool windowfocus --sync "$wid"; sleep 0.3
  xdotool type --delay 40 'Cancion del camion, CORAZON.'
  # F10, over to "Ortografico", down past "Sensor ortográfico" and "Buscador de palabras".
  xdotool key --delay 120 F10 Right Down Down Return
  local box; box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no report after the accent command"; kill $pid; return 1; }
  xdotool windowfocus --sync "$box"; xdotool key Return # the report's OK
  gone "$box" || { echo "FAIL: the report stays open"; kill $pid; return 1; }
  xdotool windowfocus --sync "$wid"; sleep 0.3 # no window manager gives the focus back
  xdotool key ctrl+s
  local dialog; dialog=$(other_window $pid "$wid")
  [[ -n $dialog ]] || { echo "FAIL: no file dialog"; kill $pid; return 1; }
  sleep 0.5
  xdotool type --delay 20 "$home/tildes"; xdotool key Return
  for _ in $(seq 1 300); do [[ -s $home/tildes.4tf ]] && break; sleep 0.1; done
  sleep 0.5
  kill $pid; wait $pid 2>/dev/null || true
  [[ -f $home/tildes.4tf ]] || { echo "FAIL: no tildes.4tf in $home"; return 1; }
  local expected text
  expected=$(printf 'Canción del camión, CORAZÓN.' | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n')
  text=$(head -c "$(grep -obUaP 'fanavo\.mee\.4x4x' "$home/tildes.4tf" | head -1 | cut -d: -f1)" "$home/tildes.4tf" \
    | od -An -tx1 | tr -d ' \n')
  if [[ $text == "$expected" ]]; then
    echo "PASS: the saved text carries the accents"
  else
    echo "FAIL: saved text $text, expected $expected"
    return 1
  fi
}

if [[ ${2:-} == --inside-display ]]; then
  run
else
  xvfb-run -a -s "-screen 0 1024x900x24 -noreset" bash "$0" "$program" --inside-display
fi
