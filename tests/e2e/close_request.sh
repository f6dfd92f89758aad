#!/usr/bin/env bash
# End to end: a close request from outside (what a window manager's close button and Alt+F4 send)
# with unsaved text asks whether to save it and keeps the program running; "Cancelar" keeps it
# running, "No" ends it through "Salir", which writes the settings.
# Usage: close_request.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
source "$here/common.bash"

run() {
  fresh_home
  local wmclose; wmclose=$(build_wmclose) || { echo "FAIL: cannot build wmclose"; return 1; }

  local pid wid
  start_program || return 1
  type_es 'Querida abuela' || { kill $pid; return 1; }
  [[ $(caption_when "$wid" '*quirel: 3') == *'quirel: 3' ]] || { echo "FAIL: the text was not typed"; kill $pid; return 1; }

  "$wmclose" "$wid"
  local box; box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: the close request ended the program without a question"; kill $pid 2>/dev/null; return 1; }
  local title; title=$(xdotool getwindowname "$box")
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key Escape # "Cancelar"
  gone "$box" || { echo "FAIL: the question stays open"; kill $pid; return 1; }

  # A second question proves the program ran on after Cancelar (Salir would have ended it, and
  # written config.ini first).
  "$wmclose" "$wid"
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no question on the second close request (ended after Cancelar?)"; kill $pid 2>/dev/null; return 1; }
  [[ ! -e $home/config.ini ]] || { echo "FAIL: Cancelar went on with Salir"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key n # "No"
  ended $pid || { echo "FAIL: the program runs on after No"; kill $pid; return 1; }
  if [[ $title == Programador && -s $home/config.ini ]]; then
    echo "PASS: the close request asked ('$title'), kept the program after Cancelar, and left through Salir"
  else
    echo "FAIL: question titled '$title'; config.ini: $(ls "$home")"
    return 1
  fi
}

run_in_display "$@"
