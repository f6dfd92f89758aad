#!/usr/bin/env bash
# End to end: type a formatted text in the real program, wait for the recovery copy, kill the
# program (SIGKILL, as a crash or a power cut would end it) and start it again: it offers the text
# back. Escape, and then the window manager's close request, dismiss the question and keep the copy
# for the next start; after "Sí" the document saved from it is byte for byte the copy (same text,
# format records, fonts); the save removes the copy.
# Usage: recovery.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

run() {
  fresh_home
  local copy expected
  expected=$(cp1252_hex 'Querida abuela: ¿cómo estás?')
  local wmclose; wmclose=$(build_wmclose) || { echo "FAIL: cannot build wmclose"; return 1; }

  local pid wid
  start_program || return 1
  copy=$home/recuperacion-$pid.4tf
  # Bold through the keyboard's menu access: F10, over to "Estilos", its first item "Negrita".
  menu_command $pid F10 Right Right Return || { kill $pid; return 1; }
  type_es 'Querida abuela:' || { kill $pid; return 1; }
  menu_command $pid F10 Right Right Return || { kill $pid; return 1; }
  type_es ' ¿cómo estás?' || { kill $pid; return 1; }
  # The copy is written a moment after typing pauses.
  wait_until copy_holds "$copy" "$expected" || true
  copy_holds "$copy" "$expected" || { echo "FAIL: no recovery copy of the text in $home: $(ls "$home") $(saved_text_hex "$copy") vs $expected"; kill $pid; return 1; }
  cp "$copy" "$home/before.4tf"
  kill -KILL $pid; wait $pid 2>/dev/null || true

  # Dismissed by Escape, then by the close request: the copy stays and is offered again.
  local dismiss box
  for dismiss in Escape close; do
    start_program || return 1
    box=$(other_window $pid "$wid")
    [[ -n $box ]] || { echo "FAIL: no recovery question before $dismiss"; kill $pid; return 1; }
    if [[ $dismiss == Escape ]]; then
      give_focus "$box" || { kill $pid; return 1; }
      xdotool key Escape
    else
      "$wmclose" "$box"
    fi
    gone "$box" || { echo "FAIL: $dismiss leaves the question open"; kill $pid; return 1; }
    cmp -s "$copy" "$home/before.4tf" || { echo "FAIL: $dismiss deleted or changed the copy: $(ls "$home")"; kill $pid; return 1; }
    "$wmclose" "$wid" # nothing typed: the program ends without a question
    ended $pid || { echo "FAIL: the program runs on after its close request"; kill $pid; return 1; }
    cmp -s "$copy" "$home/before.4tf" || { echo "FAIL: the copy went when the program ended after $dismiss"; return 1; }
  done

  start_program || return 1
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no recovery question"; kill $pid; return 1; }
  local title; title=$(xdotool getwindowname "$box")
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key alt+s # "Sí"
  gone "$box" || { echo "FAIL: the question stays open"; kill $pid; return 1; }
  local caption; caption=$(caption_when "$wid" "*quirel: 10")
  give_focus "$wid" || { kill $pid; return 1; }
  save_as $pid "$wid" "$home/recuperada" || { kill $pid; return 1; }
  local left=no; removed "$copy" || left=yes
  kill $pid; wait $pid 2>/dev/null || true
  [[ -f $home/recuperada.4tf ]] || { echo "FAIL: no recuperada.4tf in $home: $(ls "$home")"; return 1; }
  if [[ $title == Programador && $caption == *"quirel: 10" ]] && cmp -s "$home/before.4tf" "$home/recuperada.4tf" \
    && [[ $left == no ]]; then
    echo "PASS: the text and its records came back ($caption); the save removed the copy"
  else
    echo "FAIL: question '$title', caption '$caption', copy left after the save: $left"
    cmp "$home/before.4tf" "$home/recuperada.4tf" || true
    return 1
  fi
}

run_in_display "$@"
