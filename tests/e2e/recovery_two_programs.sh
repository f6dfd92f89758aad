#!/usr/bin/env bash
# End to end: two programs on one folder. A types and pauses (its recovery copy is written); B
# starts on the same folder and asks nothing about A's live text; B types, pauses, gives its text
# up and ends, leaving A's copy as it was; A is killed (a crash): the next start offers A's text.
# Usage: recovery_two_programs.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

# Waits up to 30 s for the recovery copy $1 to hold the text $2 (hex).
copy_written() {
  wait_until copy_holds "$1" "$2"
}

run() {
  fresh_home
  local wmclose; wmclose=$(build_wmclose) || { echo "FAIL: cannot build wmclose"; return 1; }
  local textA textB
  textA=$(cp1252_hex 'Texto de A')
  textB=$(cp1252_hex 'Texto de B')

  local pid wid
  start_program || return 1
  local pidA=$pid widA=$wid copyA=$home/recuperacion-$pid.4tf
  type_es 'Texto de A' || { kill $pidA; return 1; }
  copy_written "$copyA" "$textA" || { echo "FAIL: A wrote no copy: $(ls "$home")"; kill $pidA; return 1; }
  cp "$copyA" "$home/a.before"

  start_program || { kill $pidA; return 1; }
  local pidB=$pid widB=$wid copyB=$home/recuperacion-$pid.4tf
  type_es 'Texto de B' || { kill $pidA $pidB; return 1; }
  # B's copy comes after its start: had B asked about A's copy, the question would be up by now.
  copy_written "$copyB" "$textB" || { echo "FAIL: B wrote no copy: $(ls "$home")"; kill $pidA $pidB; return 1; }
  local asked; asked=$(xdotool search --all --onlyvisible --pid $pidB --name '.' 2>/dev/null | grep -vx "$widB" || true)
  [[ -z $asked ]] || { echo "FAIL: B opened a window at start: $(xdotool getwindowname "$asked")"; kill $pidA $pidB; return 1; }
  # B ends giving its text up ("No" to saving it): its copy goes, A's stays.
  "$wmclose" "$widB"
  local box; box=$(other_window $pidB "$widB")
  [[ -n $box ]] || { echo "FAIL: B did not ask about its unsaved text"; kill $pidA $pidB; return 1; }
  give_focus "$box" || { kill $pidA $pidB; return 1; }
  xdotool key alt+n
  ended $pidB || { echo "FAIL: B runs on"; kill $pidA $pidB; return 1; }
  [[ ! -e $copyB ]] || { echo "FAIL: B left its copy"; kill $pidA; return 1; }
  cmp -s "$copyA" "$home/a.before" || { echo "FAIL: B touched A's copy: $(ls "$home")"; kill $pidA; return 1; }

  kill -KILL $pidA; wait $pidA 2>/dev/null || true
  start_program || return 1
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: A's text was not offered after its crash"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key alt+s # "Sí"
  gone "$box" || { echo "FAIL: the question stays open"; kill $pid; return 1; }
  local caption; caption=$(caption_when "$wid" "*quirel: 5")
  give_focus "$wid" || { kill $pid; return 1; }
  save_as $pid "$wid" "$home/recuperada" || { kill $pid; return 1; }
  kill $pid; wait $pid 2>/dev/null || true
  if [[ -f $home/recuperada.4tf && $(saved_text_hex "$home/recuperada.4tf") == "$textA" ]]; then
    echo "PASS: B left A's copy alone; A's text came back after its crash ($caption)"
  else
    echo "FAIL: caption '$caption'; recovered text $(saved_text_hex "$home/recuperada.4tf" 2>/dev/null) vs $textA"
    return 1
  fi
}

run_in_display "$@"
