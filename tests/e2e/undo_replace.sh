#!/usr/bin/env bash
# End to end: "Reemplazar" through Ctrl+H changes the text (a comma makes one more token, seen in the
# caption); Ctrl+Z gives the text back, as the saved file shows.
# Usage: undo_replace.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

run() {
  fresh_home
  local pid wid
  start_program || return 1
  type_es 'la casa' || { kill $pid; return 1; }
  [[ $(caption_when "$wid" '*quirel: 3') == *'quirel: 3' ]] || { echo "FAIL: the text was not typed"; kill $pid; return 1; }
  xdotool key ctrl+h
  local dialog; dialog=$(other_window $pid "$wid")
  [[ -n $dialog ]] || { echo "FAIL: no replace dialog"; kill $pid; return 1; }
  give_focus "$dialog" || { kill $pid; return 1; }
  type_es 'casa' $'\t' 'casa,' $'\n' || { kill $pid; return 1; }
  gone "$dialog" || { echo "FAIL: the replace dialog stays open"; kill $pid; return 1; }
  local replaced; replaced=$(caption_when "$wid" "*quirel: 4")
  give_focus "$wid" || { kill $pid; return 1; }
  xdotool key ctrl+z
  local undone; undone=$(caption_when "$wid" "*quirel: 3")
  save_as $pid "$wid" "$home/deshecho" || { kill $pid; return 1; }
  kill $pid; wait $pid 2>/dev/null || true
  [[ -f $home/deshecho.4tf ]] || { echo "FAIL: no deshecho.4tf in $home: $(ls "$home")"; return 1; }
  local text; text=$(saved_text_hex "$home/deshecho.4tf")
  if [[ $replaced == *"quirel: 4" && $undone == *"quirel: 3" && $text == "$(cp1252_hex 'la casa')" ]]; then
    echo "PASS: replaced ($replaced), then taken back ($undone)"
  else
    echo "FAIL: after Reemplazar '$replaced', after Ctrl+Z '$undone', saved text $text"
    return 1
  fi
}

run_in_display "$@"
