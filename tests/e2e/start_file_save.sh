#!/usr/bin/env bash
# End to end: the program started with a document (as the file manager starts it) saves back to
# that very document. Type, Ctrl+S: the file dialog already holds the document's name in its
# folder, so Return takes it; the program asks before replacing the file; answered "Sí", the file
# on disk holds the new text and no other file appeared. The program runs in another working
# folder, which must not matter. Names: plain, in Latin-1 bytes (not UTF-8), without extension,
# and a path of more than 254 bytes.
# Usage: start_file_save.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

# Opens $home/$1 from the command line, types, saves with Ctrl+S, Return and "Sí", and checks the
# file and the folder afterwards.
save_back() {
  local doc="$home/$1" sig='fanavo.mee.4x4x'
  rm -rf "$home/cartas" "$home/otra"
  mkdir -p "$(dirname "$doc")" "$home/otra"
  # A one-word document: text, its format record, the font list and the producer line.
  printf '%s' "hola$sig""FFFFFF0B000000000000$sig""Georgia$sig""prueba$sig" > "$doc"
  cd "$home/otra"

  local pid wid
  start_program "$doc" || return 1
  [[ $(caption_when "$wid" '*quirel: 1') == *'quirel: 1' ]] || { echo "FAIL: not opened ($1)"; kill $pid; return 1; }
  type_es ' y adiós' || { kill $pid; return 1; }
  # hola blank y blank adiós
  [[ $(caption_when "$wid" '*quirel: 5') == *'quirel: 5' ]] || { echo "FAIL: the text was not typed ($1)"; kill $pid; return 1; }

  xdotool key ctrl+s
  local dialog; dialog=$(other_window $pid "$wid")
  [[ -n $dialog ]] || { echo "FAIL: no file dialog ($1)"; kill $pid; return 1; }
  give_focus "$dialog" || { kill $pid; return 1; }
  if [[ -n ${SHOT:-} ]]; then import -window root "$SHOT"; fi
  xdotool key Return # takes the name the dialog offers
  gone "$dialog" || { echo "FAIL: the file dialog held no name to take ($1)"; kill $pid; return 1; }
  local question; question=$(other_window $pid "$wid")
  [[ -n $question ]] || { echo "FAIL: no question before replacing the file ($1)"; kill $pid; return 1; }
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
  files=$(cd "$home" && find cartas otra -type f | wc -l)
  if [[ $title == Programador && $text == "$expected" && $files == 1 ]]; then
    echo "PASS: $1 holds the new text"
  else
    echo "FAIL: $1: question '$title', text $text (expected $expected), files: $(cd "$home" && find cartas otra -type f)"
    return 1
  fi
}

run() {
  fresh_home
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  local deep="cartas" level
  for level in 1 2 3 4 5; do deep+="/carpeta_numero_${level}_con_un_nombre_bastante_largo_para_la_prueba"; done
  [[ ${#deep} -gt 254 ]] || { echo "FAIL: the deep path is too short"; return 1; }
  local names=("cartas/carta.4tf" "cartas/canci"$'\xf3'"n.4tf" "cartas/sin_extension" "$deep/carta.4tf")
  local name failed=0
  for name in "${names[@]}"; do
    save_back "$name" || failed=1
  done
  return $failed
}

run_in_display "$@"
