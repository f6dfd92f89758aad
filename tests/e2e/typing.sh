#!/usr/bin/env bash
# End to end: the real program in a virtual X display with a Spanish keyboard; Spanish text typed
# with the keyboard's own keys (direct keys ñ ç º, Shift for ¿ ª, AltGr for « » €, dead keys for
# the accents and the diaeresis, small and capital) must reach the document: the caption counts
# the tokens the typed text cuts into, and the saved file holds the text.
# Usage: typing.sh PATH/TO/quirel
set -euo pipefail
program=$(readlink -f "$1")
source "$(dirname "$0")/common.bash"

run() {
  fresh_home
  local pid wid
  start_program || return 1
  type_es '¿Qué año? ¡Olé!' $'\n' 'té cómo, Ñandú «sí» €' $'\n' 'ÚLTIMA cigüeña: Ü, ç, 1º y 2ª.' || {
    kill $pid
    return 1
  }
  local title
  title=$(caption_when "$wid" "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 40")
  # Saved through the file dialog, the document's text is the typed text in Windows-1252.
  save_as $pid "$wid" "$home/typed" || { kill $pid; return 1; }
  kill $pid
  wait $pid 2>/dev/null || true
  [[ -f $home/typed.4tf ]] || { echo "FAIL: no typed.4tf (caption '$title')"; return 1; }
  local expected text
  expected=$(cp1252_hex $'¿Qué año? ¡Olé!\rté cómo, Ñandú «sí» €\rÚLTIMA cigüeña: Ü, ç, 1º y 2ª.')
  text=$(saved_text_hex "$home/typed.4tf")
  # ¿ Qué blank año ? blank ¡ Olé ! CR té blank cómo , blank Ñandú blank « sí » blank €  → 22 tokens,
  # CR ÚLTIMA blank cigüeña : blank Ü , blank ç , blank 1º blank y blank 2ª .  → 18 more
  if [[ $title == "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 40" && $text == "$expected" ]]; then
    echo "PASS: $title"
  else
    echo "FAIL: caption is '$title', text $text, expected $expected"
    return 1
  fi
}

run_in_display "$@"
