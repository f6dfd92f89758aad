#!/usr/bin/env bash
# End to end: with the real word lists, type Spanish words without their accents in the real
# program, choose "Poner tílde ortográfica" through the keyboard's menu access, close the report
# and save: the saved text carries the accents. With the accent model beside the lists (tildes.dat), a
# sentence whose accents only the context decides goes first.
# Usage: accents.sh PATH/TO/quirel   (the word lists: $QUIREL_WORDLISTS_DIR, else the program's folder)
# Exits 77 (skipped) when no built word lists are found.
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"
lists=${QUIREL_WORDLISTS_DIR:-$(dirname "$program")}
[[ -f $lists/diccionario.log ]] || { echo "SKIP: no word lists in $lists"; exit 77; }

run() {
  fresh_home
  local list
  for list in "$lists"/*.log; do ln -s "$(readlink -f "$list")" "$home/"; done
  local typed='Cancion del camion, CORAZON.' accented='Canción del camión, CORAZÓN.'
  if [[ -f $lists/tildes.dat ]]; then
    ln -s "$(readlink -f "$lists/tildes.dat")" "$home/"
    typed="El esta en casa. $typed"
    accented="Él está en casa. $accented"
  fi

  local pid wid
  start_program || return 1
  type_es "$typed" || { kill $pid; return 1; }
  # F10, over to "Ortografico", down past "Sensor ortográfico" and "Buscador de palabras".
  menu_command $pid F10 Right Down Down Return || { kill $pid; return 1; }
  local box; box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no report after the accent command"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key Return # the report's OK
  gone "$box" || { echo "FAIL: the report stays open"; kill $pid; return 1; }
  give_focus "$wid" || { kill $pid; return 1; }
  save_as $pid "$wid" "$home/tildes" || { kill $pid; return 1; }
  kill $pid; wait $pid 2>/dev/null || true
  [[ -f $home/tildes.4tf ]] || { echo "FAIL: no tildes.4tf in $home"; return 1; }
  local expected text
  expected=$(cp1252_hex "$accented")
  text=$(saved_text_hex "$home/tildes.4tf")
  if [[ $text == "$expected" ]]; then
    echo "PASS: the saved text carries the accents"
  else
    echo "FAIL: saved text $text, expected $expected"
    return 1
  fi
}

run_in_display "$@"
