#!/usr/bin/env bash
# End to end: the word memory (rey.log) cannot be written, and the first finished word fails to be
# remembered while the user types on without a pause. The program says so in a notice inside its
# window, which takes no key: every typed word reaches the document, and no other window opens.
# Run twice: on the bare virtual display, and under a window manager (openbox), where a window that
# opens takes the focus.
# Usage: notice_while_typing.sh PATH/TO/quirel   (E2E_SHOTS=DIR keeps a screenshot of the notice)
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

# A word list of the words given ($2...) as file $1: 100-byte records of eight little-endian code
# fields (at 4, 16, ... 88) of five characters each, their byte values three decimal digits apiece.
word_list() {
  local file=$1
  shift
  perl -e 'for my $w (@ARGV) { my $r = "\0" x 100;
      for my $f (0 .. 7) { my $p = substr($w, $f * 5, 5); last if $p eq "";
        my $v = 0; $v = $v * 1000 + ord($_) for split //, $p; substr($r, 4 + 12 * $f, 8) = pack("q<", $v); }
      print $r; }' "$@" >"$file"
}

# One run; $1 names it ("bare" or "openbox").
type_past_a_failed_write() {
  local how=$1 pid wid
  rm -rf "${home:?}"/*
  word_list "$home/diccionario.log" zapatilla camino ventana
  mkdir "$home/rey.log"
  start_program || return 1
  local copy=$home/recuperacion-$pid.4tf expected
  expected=$(cp1252_hex 'zapatilla camino ventana ')
  type_es 'zapatilla camino ventana ' || { kill $pid; return 1; }
  local caption; caption=$(caption_when "$wid" "*quirel: 6")
  local others; others=$(xdotool search --all --onlyvisible --pid $pid --name '.' 2>/dev/null | grep -vx "$wid" || true)
  local focus; focus=$(xdotool getwindowfocus 2>/dev/null || true)
  wait_until copy_holds "$copy" "$expected" || true
  local text=""; [[ -f $copy ]] && text=$(saved_text_hex "$copy")
  if [[ -n ${E2E_SHOTS:-} ]]; then mkdir -p "$E2E_SHOTS"; import -window root "$E2E_SHOTS/notice-$how.png"; fi
  "$wmclose" "$wid"
  local box; box=$(other_window $pid "$wid")
  [[ -n $box ]] && give_focus "$box" && xdotool key alt+n
  ended $pid || kill $pid
  if [[ $caption == *"quirel: 6" && -z $others && $text == "$expected" && $focus == "$wid" ]]; then
    echo "PASS ($how): every word typed past the failed write; no window opened; the main window kept the focus"
  else
    echo "FAIL ($how): caption '$caption', other windows '$others', focus $focus (main $wid), text $text vs $expected"
    return 1
  fi
}

run() {
  fresh_home
  wmclose=$(build_wmclose) || { echo "FAIL: cannot build wmclose"; return 1; }
  cp "$wmclose" "$home.wmclose" && wmclose=$home.wmclose
  trap 'rm -rf "$home" "$home.wmclose"' EXIT
  type_past_a_failed_write bare || return 1
  command -v openbox >/dev/null || { echo "FAIL: openbox is not installed"; return 1; }
  openbox --startup "touch $home.wm-ready" &
  wm=$!
  trap 'kill $wm 2>/dev/null; rm -rf "$home" "$home.wmclose" "$home.wm-ready"' EXIT
  # openbox runs its start-up command once it manages the screen.
  wm_ready() { [[ -e $home.wm-ready ]]; }
  wait_until wm_ready || true
  [[ -e $home.wm-ready ]] || { echo "FAIL: openbox did not start"; return 1; }
  type_past_a_failed_write openbox || { kill $wm; return 1; }
  kill $wm
}

run_in_display "$@"
