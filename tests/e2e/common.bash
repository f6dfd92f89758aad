# Helpers of the end-to-end scripts (sourced; not a test of its own). Each script defines run()
# and ends with run_in_display "$@".
# shellcheck disable=SC2317 # the small checks defined inside the waits run through wait_until

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

# Runs the command given (its arguments after it) every 0.1 s until it succeeds, for up to 30 s;
# fails when it never does. Scripts wait this way for what they expect, never for a fixed time;
# the wait is long because the program may run slowly, as under the sanitizers on a busy machine.
wait_until() {
  local deadline=$((SECONDS + 30))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# True when the document file (or recovery copy) $1 holds the text $2 (hex, as cp1252_hex gives it).
copy_holds() {
  [[ -f $1 && $(saved_text_hex "$1") == "$2" ]]
}

# Waits up to 30 s for the main window of process $1 (its caption begins with "Pagina ") to be
# shown and prints its id; prints nothing when it does not come. (xdotool search matches any one
# of its conditions unless told --all.)
window_of() {
  local wid=""
  find_main() { wid=$(xdotool search --all --onlyvisible --pid "$1" --name '^Pagina ' 2>/dev/null | head -1) && [[ -n $wid ]]; }
  wait_until find_main "$1" || true
  echo "$wid"
}

# True when window $1 has the keyboard focus; otherwise asks for it (there is no window manager
# to give it) and is false. Used through give_focus.
focus_on() {
  [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]] && return 0
  xdotool windowfocus "$1" 2>/dev/null || true
  return 1
}

# Gives window $1 the keyboard focus and waits up to 30 s until the X server reports it there, so
# no key goes to another window; fails when it never gets there.
give_focus() {
  wait_until focus_on "$1" || { echo "FAIL: window $1 does not take the keyboard focus"; return 1; }
}

# True when process $1 shows a menu (an untitled window, which takes the program's name).
menu_shown() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    [[ $(xdotool getwindowname "$window" 2>/dev/null) == Quirel ]] && return 0
  done
  return 1
}

# Runs a command of the menus of process $1 through the keys given (e.g. F10 Right Right Return,
# to the window that has the focus): the last key is sent once a menu is shown, and the command
# counts as sent when no menu is shown any more, so the keys that follow reach the page or the
# window the command opens. Fails when no menu comes or one stays.
menu_command() {
  local process=$1
  shift
  xdotool key --delay 80 "${@:1:$#-1}"
  wait_until menu_shown "$process" || { echo "FAIL: no menu after $*"; return 1; }
  xdotool key "${@: -1}"
  no_menu() { ! menu_shown "$1"; }
  wait_until no_menu "$process" || { echo "FAIL: a menu stays open after $*"; return 1; }
}

# Starts $program with the arguments given and waits for its main window, leaving the keyboard
# focus alone (a window the program opens as it starts may hold it); sets $pid (the process) and
# $wid (the window). Fails when no window comes.
launch_program() {
  "$program" "$@" &
  pid=$!
  wid=$(window_of $pid)
  [[ -n $wid ]] || { echo "FAIL: no window ($*)"; kill $pid; return 1; }
}

# As launch_program, and then gives the main window the keyboard focus.
start_program() {
  launch_program "$@" || return 1
  give_focus "$wid" || { kill $pid; return 1; }
}

# Waits up to 30 s for the caption of window $1 to match the pattern $2 (a glob), then prints the
# caption, matching or not: a slow program is waited for, and a wrong caption is still reported.
caption_when() {
  local caption=""
  caption_matches() {
    caption=$(xdotool getwindowname "$1" 2>/dev/null) || caption=""
    # shellcheck disable=SC2053 # $2 is a pattern
    [[ $caption == $2 ]]
  }
  wait_until caption_matches "$1" "$2" || true
  echo "$caption"
}

# Waits up to 30 s for a visible window of process $1 other than window $2 (a dialog or message
# box) and prints its id.
other_window() {
  local id=""
  find_other() { id=$(xdotool search --all --onlyvisible --pid "$1" --name '.' 2>/dev/null | grep -vx "$2" | head -1) && [[ -n $id ]]; }
  wait_until find_other "$1" "$2" && echo "$id"
  return 0
}

# Waits up to 30 s until window $1 is no longer visible.
gone() {
  hidden() { ! xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1"; }
  wait_until hidden "$1"
}

# Waits up to 30 s until file $1 exists and is not empty.
written() {
  wait_until test -s "$1"
}

# Waits up to 30 s until file $1 no longer exists.
removed() {
  wait_until test ! -e "$1"
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
# The keys go to whatever window has the focus (the main window, or none right after a dialog
# closed); the name is typed once the dialog has the focus, and the save counts as done when the
# dialog has closed and the file is there.
save_as() {
  xdotool key ctrl+s
  local dialog; dialog=$(other_window "$1" "$2")
  [[ -n $dialog ]] || { echo "FAIL: no file dialog"; return 1; }
  give_focus "$dialog" || return 1
  type_es "$3" $'\n' || return 1
  gone "$dialog" || { echo "FAIL: the file dialog stays open"; return 1; }
  written "$3.4tf" || true
}

# Builds tests/e2e/wmclose.c (sends a window manager's close request) into $home and prints its path.
build_wmclose() {
  cc -O2 -o "$home/wmclose" "$(dirname "${BASH_SOURCE[0]}")/wmclose.c" -lX11 && echo "$home/wmclose"
}

# Waits up to 30 s until process $1 has ended.
ended() {
  not_running() { ! kill -0 "$1" 2>/dev/null; }
  wait_until not_running "$1"
}

# ---- Typing with the keys of the Spanish keyboard ----
# What types each character on the "es" layout, as X keysym names (checked against its keymap,
# `xkbcomp $DISPLAY -` after `setxkbmap es`). xdotool presses the key that carries the keysym,
# with Shift and AltGr (ISO_Level3_Shift) as its level needs: ¿ is Shift+¡, € is AltGr+e, « is
# AltGr+z. Accented vowels are a dead key and then the vowel, capitals with Shift (dead_acute A
# is ´ then Shift+a). Never `xdotool type` for such text: for a character not on the keymap it
# remaps a spare key for a moment, and a busy program reads the key with the old map and loses it.
declare -gA es_keysyms=(
  [' ']=space [$'\n']=Return [$'\t']=Tab
  ['!']=exclam ['"']=quotedbl ['#']=numbersign ['$']=dollar ['%']=percent ['&']=ampersand
  ["'"]=apostrophe ['(']=parenleft [')']=parenright ['*']=asterisk ['+']=plus [',']=comma
  ['-']=minus ['.']=period ['/']=slash [':']=colon [';']=semicolon ['<']=less ['=']=equal
  ['>']=greater ['?']=question ['@']=at ['[']=bracketleft ['\']=backslash [']']=bracketright
  ['_']=underscore ['{']=braceleft ['|']=bar ['}']=braceright ['~']=asciitilde
  ['^']='dead_circumflex space' ['`']='dead_grave space'
  ['ñ']=ntilde ['Ñ']=Ntilde ['¿']=questiondown ['¡']=exclamdown ['«']=guillemotleft
  ['»']=guillemotright ['€']=EuroSign ['º']=masculine ['ª']=ordfeminine ['ç']=ccedilla
  ['Ç']=Ccedilla ['·']=periodcentered ['¬']=notsign
)
# Letters and digits are their own keysyms; the accented vowels come from dead keys.
es_add_keysyms() {
  local LC_ALL=C.UTF-8 c i
  for c in {a..z} {A..Z} {0..9}; do es_keysyms[$c]=$c; done
  add_dead() { # dead key $1, accented vowels $2 made from the vowels $3
    for ((i = 0; i < ${#2}; i++)); do es_keysyms[${2:i:1}]="$1 ${3:i:1}"; done
  }
  add_dead dead_acute áéíóúÁÉÍÓÚ aeiouAEIOU
  add_dead dead_diaeresis äëïöüÄËÏÖÜ aeiouAEIOU
  add_dead dead_grave àèìòùÀÈÌÒÙ aeiouAEIOU
  add_dead dead_circumflex âêîôûÂÊÎÔÛ aeiouAEIOU
}
es_add_keysyms

# Types the texts given (UTF-8, one after another) into the window that has the keyboard focus
# with the keys of the Spanish keyboard, $E2E_KEY_DELAY ms apart (default 40): letters, digits,
# ASCII signs, ñ ¿ ¡ « » € º ª ç ·, vowels with ´ ¨ ` ^, line ends (Return) and tabs.
# Example: type_es '¿Qué año? ¡Olé!' $'\n' 'ÚLTIMA cigüeña'
# Fails, and types nothing, when a character has no key here or its keysym is not on the current
# keymap (xdotool would remap a key for it, which is what loses characters).
type_es() {
  local LC_ALL=C.UTF-8 text="" keys=() c i sym onkeymap
  for c in "$@"; do text+=$c; done
  onkeymap=" $(xkbcomp -xkb "$DISPLAY" - 2>/dev/null | sed -n '/^xkb_symbols/,/^};/p' | grep -o '\[[^]]*\]' | tr -d '[],' | tr -s ' \n' ' ') "
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    [[ -n ${es_keysyms[$c]-} ]] || {
      echo "FAIL: type_es has no key for '$c' (U+$(printf '%04X' "'$c")) in: $text"
      return 1
    }
    for sym in ${es_keysyms[$c]}; do
      [[ $onkeymap == *" $sym "* ]] || {
        echo "FAIL: type_es: the keysym $sym for '$c' is not on the keymap (not the es layout?)"
        return 1
      }
      keys+=("$sym")
    done
  done
  ((${#keys[@]} == 0)) || xdotool key --delay "${E2E_KEY_DELAY:-40}" "${keys[@]}"
}
