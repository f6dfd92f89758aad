#!/usr/bin/env bash
# End to end: the program started with a document (as the file manager starts it) saves back to
# that document. Type, Ctrl+S: the file dialog already holds the document's name in its folder, so
# Return takes it; the program asks before replacing the file; answered "Sí", the file on disk
# holds the new text. The program runs in another working folder, which must not matter.
# Usage: start_file_save.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

run() {
  fresh_home
  mkdir "$home/cartas" "$home/otra"
  local doc="$home/cartas/carta.4tf" sig='fanavo.mee.4x4x'
  # A one-word document: text, its format record, the font list and the producer line.
  printf '%s' "hola$sig""FFFFFF0B000000000000$sig""Georgia$sig""prueba$sig" > "$doc"
  cd "$home/otra"

  local pid wid
  start_program "$doc" || return 1
  type_es ' y adiós' || { kill $pid; return 1; }
  # hola blank y blank adiós
  [[ $(caption_when "$wid" '*quirel: 5') == *'quirel: 5' ]] || { echo "FAIL: the text was not typed"; kill $pid; return 1; }

  xdotool key ctrl+s
  local dialog; dialog=$(other_window $pid "$wid")
  [[ -n $dialog ]] || { echo "FAIL: no file dialog"; kill $pid; return 1; }
  give_focus "$dialog" || { kill $pid; return 1; }
  xdotool key Return # takes the name the dialog offers
  gone "$dialog" || { echo "FAIL: the file dialog held no name to take"; kill $pid; return 1; }
  local question; question=$(other_window $pid "$wid")
  [[ -n $question ]] || { echo "FAIL: no question before replacing the file"; kill $pid; return 1; }
  local title; title=$(xdotool getwindowname "$question")
  give_focus "$question" || { kill $pid; return 1; }
  xdotool key alt+s # "Sí"
  gone "$question" || true
  local expected text files
  expected=$(cp1252_hex 'hola y adiós')
  holds_new_text() { [[ $(saved_text_hex "$doc") == "$expected" ]]; }
  wait_until holds_new_text || true
  kill $pid; wait $pid 2>/dev/null || true

  text=$(saved_text_hex "$doc")
  files=$(cd "$home" && find cartas otra -type f | sort | tr '\n' ' ')
  if [[ $title == Programador && $text == "$expected" && $files == "cartas/carta.4tf " ]]; then
    echo "PASS: $doc holds the new text"
  else
    echo "FAIL: question '$title', text $text (expected $expected), files: $files"
    return 1
  fi
}

run_in_display "$@"
