#!/usr/bin/env bash
# End to end: type a formatted Spanish text in the real program, save it with Ctrl+S through the
# file dialog, start the program again with the file on the command line, and find the same page.
# Usage: save_and_open.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"
E2E_SCREEN=1280x1024

page_shot() { # the editing surface of window $1 into file $2
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "794x800+$((X + 28))+$((Y + 55 + 30))" +repage "$2"
}

run() {
  fresh_home

  "$program" & local pid=$!
  local wid; wid=$(window_of $pid)
  [[ -n $wid ]] || { echo "FAIL: no window"; return 1; }
  xdotool windowfocus --sync "$wid"; sleep 0.3
  # Bold through the keyboard's menu access: F10, over to "Estilos", its first item "Negrita".
  xdotool key --delay 80 F10 Right Right Return
  xdotool type --delay 40 'Querida abuela:'
  xdotool key --delay 80 F10 Right Right Return
  sleep 0.3
  xdotool type --delay 40 ' ¿cómo estás? '
  xdotool key --delay 40 Return
  xdotool type --delay 40 'Un abrazo de tu nieto.'
  sleep 0.4
  page_shot "$wid" "$home/before.png"
  save_as $pid "$wid" "$home/carta" || { kill $pid; return 1; }
  kill $pid; wait $pid 2>/dev/null || true
  [[ -f $home/carta.4tf ]] || { echo "FAIL: no carta.4tf in $home: $(ls "$home")"; return 1; }

  "$program" "$home/carta.4tf" & pid=$!
  wid=$(window_of $pid)
  [[ -n $wid ]] || { echo "FAIL: no window on reopening"; return 1; }
  sleep 0.6
  local title; title=$(xdotool getwindowname "$wid")
  page_shot "$wid" "$home/after.png"
  kill $pid; wait $pid 2>/dev/null || true
  # The cursor may be in another blink phase: allow the few pixels of its glyph.
  local differ; differ=$(compare -metric AE "$home/before.png" "$home/after.png" /dev/null 2>&1 || true)
  if [[ $title == *"quirel: 22" && ${differ%% *} -lt 200 ]]; then
    echo "PASS: $title, $differ pixels differ"
  else
    echo "FAIL: caption '$title', $differ pixels differ"
    cp "$home/before.png" "$home/after.png" /tmp/ 2>/dev/null || true
    return 1
  fi
}

run_in_display "$@"
