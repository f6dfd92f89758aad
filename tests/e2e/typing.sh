#!/usr/bin/env bash
# End to end: the real program in a virtual X display with a Spanish keyboard; Spanish text typed
# with xdotool (direct keys, ñ, ¿, ¡ and a dead-key accent) must reach the document: the caption
# counts the tokens the typed text cuts into.
# Usage: typing.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")

run() {
  local home
  home=$(mktemp -d)
  trap 'rm -rf "$home"' RETURN
  export QUIREL_HOME="$home"
  setxkbmap es
  "$program" &
  local pid=$!
  local wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --name '^Pagina ' 2>/dev/null | head -1) && [[ -n $wid ]] && break
    sleep 0.1
  done
  [[ -n $wid ]] || { echo "FAIL: no window"; kill $pid; return 1; }
  xdotool windowfocus --sync "$wid"
  sleep 0.3
  # "¿Qué año? ¡Olé!" then Enter, then "té" with the accent typed as a dead key.
  xdotool type --delay 40 '¿Qué año? ¡Olé!'
  xdotool key --delay 40 Return t dead_acute e
  xdotool type --delay 40 ' cómo, Ñandú «sí» €'
  sleep 0.5
  local title
  title=$(xdotool getwindowname "$wid")
  # Saved through the file dialog, the document's text is the typed text in Windows-1252.
  xdotool key ctrl+s; sleep 1
  xdotool type --delay 20 "$home/typed"; xdotool key Return; sleep 1
  kill $pid
  wait $pid 2>/dev/null || true
  local expected text
  expected=$(printf '¿Qué año? ¡Olé!\rté cómo, Ñandú «sí» €' | iconv -f UTF-8 -t WINDOWS-1252 | od -An -tx1 | tr -d ' \n')
  text=$(head -c "$(grep -obUaP 'fanavo\.mee\.4x4x' "$home/typed.4tf" | head -1 | cut -d: -f1)" "$home/typed.4tf" | od -An -tx1 | tr -d ' \n')
  # ¿ Qué blank año ? blank ¡ Olé ! CR té blank cómo , blank Ñandú blank « sí » blank €  → 22 tokens
  if [[ $title == "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 22" && $text == "$expected" ]]; then
    echo "PASS: $title"
  else
    echo "FAIL: caption is '$title', text $text, expected $expected"
    return 1
  fi
}

if [[ ${2:-} == --inside-display ]]; then
  run
else
  xvfb-run -a -s "-screen 0 1024x900x24 -noreset" bash "$0" "$program" --inside-display
fi
