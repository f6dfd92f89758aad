#!/usr/bin/env bash
# End to end: the real program started over program files that are not what they should be, and
# with a document named in bytes that are not UTF-8.
#  - config.ini is a folder, or a pipe: the window comes up (no abort, no hang) with one message box;
#  - "canción.4tf" named in Latin-1 on the command line (the locale is UTF-8): the document opens.
# Usage: own_files.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

# Starts the program with the arguments given, expects its window and then one message box, which
# it answers; the program must still run afterwards. Leaves the process id in $pid.
start_with_one_message() {
  local wid box
  launch_program "$@" || return 1
  box=$(other_window $pid "$wid")
  [[ -n $box ]] || { echo "FAIL: no message box ($*)"; kill $pid; return 1; }
  give_focus "$box" || { kill $pid; return 1; }
  xdotool key Return
  gone "$box" || { echo "FAIL: the message box stays"; kill $pid; return 1; }
  kill -0 $pid || { echo "FAIL: the program ended"; return 1; }
  kill $pid; wait $pid 2>/dev/null || true
}

run() {
  fresh_home
  export LANG=C.UTF-8 LC_ALL=C.UTF-8

  mkdir "$home/config.ini"
  start_with_one_message || return 1
  rmdir "$home/config.ini"
  mkfifo "$home/config.ini"
  start_with_one_message || return 1
  rm "$home/config.ini"

  # "Canción de cuna": Canción, blank, de, blank, cuna → 5 tokens.
  local name sig='fanavo.mee.4x4x'
  name="$home/canci"$'\xf3'"n.4tf"
  printf 'Canci\xf3n de cuna%s%sCandara%sQuirel%s' "$sig" "$sig" "$sig" "$sig" > "$name"
  local wid title
  launch_program "$name" || { echo "FAIL: no window with the Latin-1 name"; return 1; }
  title=$(caption_when "$wid" "*quirel: 5")
  kill $pid; wait $pid 2>/dev/null || true
  if [[ $title == *"quirel: 5" ]]; then
    echo "PASS: config.ini as a folder and as a pipe; Latin-1 name opened ($title)"
  else
    echo "FAIL: the document named in Latin-1 was not opened: caption '$title'"
    return 1
  fi
}

run_in_display "$@"
