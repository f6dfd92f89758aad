#!/usr/bin/env bash
# End to end on a full disk (a small tmpfs mounted for the test; skipped where mounting is not
# allowed): saving a document and "Salir" each fail with a message box, the hand-written config.ini
# stays byte for byte as it was, and no temporary copy is left behind.
# Usage: full_disk.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

run() {
  fresh_home
  local disk="$home/disco"
  mkdir "$disk"
  mount -t tmpfs -o size=128k tmpfs "$disk" 2>/dev/null || { echo "SKIP: cannot mount a tmpfs here"; return 77; }
  trap "umount '$disk' 2>/dev/null; rm -rf '$home'" EXIT
  export QUIREL_HOME=$disk
  printf '; mis ajustes\r\n[Mio]\r\nclave=valor\r\n[Colores]\r\nFondo=16777215\r\nTexto=0\r\nCursor=0\r\nSombra=12632256\r\n[Formato]\r\nMargen=40\r\nTabulacion=6\r\nFuente=Candara\r\nTama\xf1o=10\r\nCursor=124\r\n' > "$disk/config.ini"
  cp "$disk/config.ini" "$home/config.before"
  dd if=/dev/zero of="$disk/relleno" bs=1k 2>/dev/null || true # fills the disk

  local pid wid box
  start_program || return 1
  type_es 'Hola, abuela.' || { kill $pid; return 1; }
  xdotool key ctrl+s
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no file dialog"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  type_es "$disk/carta" $'\n' || { kill $pid; return 1; }
  gone "$box" || true
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no message after the failed save"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key Return
  gone "$box" || true
  # "Salir": F10 opens "Archivos", Up goes round to its last item.
  give_focus "$wid" || { kill $pid; return 1; }
  menu_command $pid F10 Up Return || { kill $pid; return 1; }
  # The text was never saved: the question comes first, answered No (Alt+N).
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no question about the unsaved text"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key alt+n
  gone "$box" || true
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no message when the settings could not be saved"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key Return
  ended $pid || { echo "FAIL: the program did not end on Salir"; kill $pid; return 1; }
  wait $pid 2>/dev/null || true

  local left; left=$(ls -A "$disk" | grep -v -x -e config.ini -e relleno || true)
  if cmp -s "$disk/config.ini" "$home/config.before" && [[ -z $left ]]; then
    echo "PASS: config.ini kept on a full disk, nothing left behind"
  else
    echo "FAIL: config.ini now '$(od -c "$disk/config.ini" | head -3)'; left in the folder: $left"
    return 1
  fi
}

run_in_display "$@"
