# Helpers of the end-to-end scripts (sourced; not a test of its own). Each script defines run()
# and ends with run_in_display "$@".

# Runs run() inside a virtual X display (started here unless the script already runs in one).
# Arguments: the script's own; screen size in $E2E_SCREEN (default 1024x900).
run_in_display() {
  if [[ ${2:-} == --inside-display ]]; then
    run
  else
    xvfb-run -a -s "-screen 0 ${E2E_SCREEN:-1024x900}x24 -noreset" bash "$0" "$1" --inside-display
  fi
}

# An empty program folder for this run in $home (also QUIREL_HOME), removed when the script ends,
# and the Spanish keyboard.
fresh_home() {
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  export QUIREL_HOME=$home
  setxkbmap es
}

# Waits up to 30 s for the main window of process $1 (its caption begins with "Pagina ") and
# prints its id; prints nothing when it does not come. (xdotool search needs --all to match the
# process and the name; without it either one matches, and another program's window is found.) The wait is long because the program may
# run slowly, as under the sanitizers.
window_of() {
  local wid=""
  for _ in $(seq 1 300); do
    wid=$(xdotool search --all --pid "$1" --name '^Pagina ' 2>/dev/null | head -1) && [[ -n $wid ]] && break
    sleep 0.1
  done
  echo "$wid"
}

# Starts $program with the arguments given, waits for its main window and gives it the keyboard
# focus; sets $pid (the process) and $wid (the window). Fails when no window comes.
start_program() {
  "$program" "$@" &
  pid=$!
  wid=$(window_of $pid)
  [[ -n $wid ]] || { echo "FAIL: no window"; kill $pid; return 1; }
  xdotool windowfocus --sync "$wid"
  sleep 0.3
}

# Waits up to 30 s for the caption of window $1 to match the pattern $2 (a glob), then prints the
# caption, matching or not: a slow program is waited for, and a wrong caption is still reported.
caption_when() {
  local caption=""
  for _ in $(seq 1 300); do
    caption=$(xdotool getwindowname "$1" 2>/dev/null) || caption=""
    # shellcheck disable=SC2053 # $2 is a pattern
    [[ $caption == $2 ]] && break
    sleep 0.1
  done
  echo "$caption"
}

# Waits up to 30 s for a visible window of process $1 other than window $2 (a dialog or message
# box) and prints its id.
other_window() {
  local id
  for _ in $(seq 1 300); do
    id=$(xdotool search --all --onlyvisible --pid "$1" --name '.' 2>/dev/null | grep -vx "$2" | head -1) && [[ -n $id ]] && {
      echo "$id"
      return
    }
    sleep 0.1
  done
}

# Waits up to 30 s until window $1 is no longer visible.
gone() {
  for _ in $(seq 1 300); do
    xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 30 s until file $1 exists and is not empty.
written() {
  for _ in $(seq 1 300); do
    [[ -s $1 ]] && return 0
    sleep 0.1
  done
  return 1
}

# The document text of a saved .4tf file $1 (the bytes before its producer line), in hex.
saved_text_hex() {
  head -c "$(grep -obUaP 'fanavo\.mee\.4x4x' "$1" | head -1 | cut -d: -f1)" "$1" | od -An -tx1 | tr -d ' \n'
}

# The Windows-1252 bytes of the UTF-8 text $1, in hex.
cp1252_hex() {
  printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n'
}

# Saves the document of process $1 (main window $2) as $3 through Ctrl+S and the file dialog, and
# waits for the file "$3.4tf". Fails when no dialog opens.
save_as() {
  xdotool key ctrl+s
  [[ -n $(other_window "$1" "$2") ]] || { echo "FAIL: no file dialog"; return 1; }
  sleep 0.5
  xdotool type --delay 20 "$3"
  xdotool key Return
  written "$3.4tf" || true
  sleep 0.5
}

# Builds tests/e2e/wmclose.c (sends a window manager's close request) into $home and prints its path.
build_wmclose() {
  cc -O2 -o "$home/wmclose" "$(dirname "${BASH_SOURCE[0]}")/wmclose.c" -lX11 && echo "$home/wmclose"
}

# Waits up to 30 s until process $1 has ended.
ended() {
  for _ in $(seq 1 300); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
