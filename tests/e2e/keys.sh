#!/usr/bin/env bash
# End to end: keys that make no character (Delete, Escape, Ctrl+K) type nothing in the real
# program, and a shortcut pressed right after its dialog closed (with no window manager to hand
# the focus back) opens the dialog again instead of typing a control byte. The saved file holds
# only the typed characters.
# Usage: keys.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

run() {
  fresh_home
  local pid wid
  start_program || return 1
  type_es 'ab' || { kill $pid; return 1; }
  xdotool key --delay 40 Delete Escape ctrl+k ctrl+e
  type_es 'c' || { kill $pid; return 1; }
  # Ctrl+S opens the file dialog; Escape closes it; Ctrl+S at once must open it again.
  xdotool key ctrl+s
  local dialog; dialog=$(other_window $pid "$wid")
  [[ -n $dialog ]] || { echo "FAIL: no file dialog"; kill $pid; return 1; }
  give_focus "$dialog" || { kill $pid; return 1; }
  xdotool key Escape
  gone "$dialog" || { echo "FAIL: the file dialog stayed open"; kill $pid; return 1; }
  save_as $pid "$wid" "$home/keys" || { kill $pid; return 1; }
  kill $pid
  wait $pid 2>/dev/null || true
  [[ -f $home/keys.4tf ]] || { echo "FAIL: no keys.4tf"; return 1; }
  local text; text=$(saved_text_hex "$home/keys.4tf")
  if [[ $text == 616263 ]]; then
    echo "PASS: only the typed characters were saved"
  else
    echo "FAIL: the saved text is $text, expected 616263 (abc)"
    return 1
  fi
}

run_in_display "$@"
