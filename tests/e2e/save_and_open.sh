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

# The page of window $1 into file $2 once it is drawn: the caption comes with the text, the
# drawing may follow a moment later, so shots are taken until two in a row are the same but for
# the cursor's few pixels.
settled_page_shot() {
  local previous=${2%.png}.previous.png
  page_shot "$1" "$previous"
  same_as_before() {
    page_shot "$1" "$2"
    local differ; differ=$(compare -metric AE "$previous" "$2" /dev/null 2>&1 || true)
    cp "$2" "$previous"
    [[ ${differ%% *} -lt 200 ]]
  }
  wait_until same_as_before "$1" "$2" || true
  rm -f "$previous"
}

run() {
  fresh_home

  local pid wid
  start_program || return 1
  # Bold through the keyboard's menu access: F10, over to "Estilos", its first item "Negrita".
  menu_command $pid F10 Right Right Return || { kill $pid; return 1; }
  type_es 'Querida abuela:' || { kill $pid; return 1; }
  menu_command $pid F10 Right Right Return || { kill $pid; return 1; }
  type_es ' ¿cómo estás? ' $'\n' 'Un abrazo de tu nieto.' || { kill $pid; return 1; }
  local typed; typed=$(caption_when "$wid" "*quirel: 22")
  [[ $typed == *"quirel: 22" ]] || { echo "FAIL: caption '$typed' after typing"; kill $pid; return 1; }
  settled_page_shot "$wid" "$home/before.png"
  save_as $pid "$wid" "$home/carta" || { kill $pid; return 1; }
  kill $pid; wait $pid 2>/dev/null || true
  [[ -f $home/carta.4tf ]] || { echo "FAIL: no carta.4tf in $home: $(ls "$home")"; return 1; }

  launch_program "$home/carta.4tf" || { echo "FAIL: no window on reopening"; return 1; }
  local title; title=$(caption_when "$wid" "*quirel: 22")
  settled_page_shot "$wid" "$home/after.png"
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
