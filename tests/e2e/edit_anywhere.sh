#!/usr/bin/env bash
# End to end: writing anywhere in the text of the real program. The arrows, Ctrl+Home, Ctrl+End,
# Delete and Backspace fix a sentence in its middle and at its start, a click at the start of the
# second line puts the insertion point there, Ctrl+Z takes typing back a word at a time and Ctrl+Y
# brings it back, and the saved file holds the text as fixed.
# Usage: edit_anywhere.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

# The page's corner in the main window: right of the window's edge and below the menu bar, the
# lists and the ruler.
page_left=27
page_top=71

run() {
  fresh_home
  local pid wid
  start_program || return 1
  {
    type_es 'la casa blanca' &&
      xdotool key --delay 40 Left Left Left Left Left Left &&
      type_es 'muy ' && xdotool key ctrl+End && type_es '.' &&
      xdotool key --delay 40 ctrl+Home Delete && type_es 'L' &&
      xdotool key --delay 40 ctrl+End Left BackSpace BackSpace && type_es 'ca' &&
      xdotool key ctrl+End && type_es $'\n' 'segunda'
  } || { kill $pid; return 1; }
  caption_when "$wid" "Pagina 1 de 1 *quirel: 10" >/dev/null
  # Left of the second line (its text starts 40 pixels in; lines are under 25 pixels high).
  xdotool mousemove --window "$wid" $((page_left + 10)) $((page_top + 66)) click 1
  type_es 'X' || { kill $pid; return 1; }
  # "X", then "segunda" taken back; "segunda" brought back.
  xdotool key --delay 40 ctrl+z ctrl+z
  local title; title=$(caption_when "$wid" "Pagina 1 de 1 *quirel: 9")
  [[ $title == *"quirel: 9" ]] || { echo "FAIL: Ctrl+Z left the caption '$title'"; kill $pid; return 1; }
  xdotool key ctrl+y
  caption_when "$wid" "Pagina 1 de 1 *quirel: 10" >/dev/null
  save_as $pid "$wid" "$home/fixed" || { kill $pid; return 1; }
  kill $pid
  wait $pid 2>/dev/null || true
  [[ -f $home/fixed.4tf ]] || { echo "FAIL: no fixed.4tf"; return 1; }
  local expected text
  expected=$(cp1252_hex $'La casa muy blanca.\rsegunda')
  text=$(saved_text_hex "$home/fixed.4tf")
  if [[ $text == "$expected" ]]; then
    echo "PASS: the text was fixed where the insertion point stood"
  else
    echo "FAIL: the saved text is $text, expected $expected"
    return 1
  fi
}

run_in_display "$@"
