#!/usr/bin/env bash
# Spelling over Quirel's word lists against hunspell, on real Spanish prose (the fortunes-es
# package), in one run:
#  (a) words marked per 1,000: our lookup with the rule of the editor's spelling marks (the same
#      SpellingLookupWord the layout calls: a token with a digit, superscripts and fractions
#      included, or without a letter is not marked, hyphens, apostrophes and en and em dashes at
#      its ends are ignored, it is lower-cased; the text is cut by the editor's own tokenizer)
#      against `hunspell -d es_ES -l`; ours must mark no more than hunspell;
#  (b) words checked per second, ours (fastest of several passes, lists already loaded) against
#      hunspell's (median of three runs over the text three times, its start-up taken off);
#      ours must be at least ten times faster.
# Needs the Debian packages fortunes-es, hunspell and hunspell-es.
# Usage: bench/spelling-vs-hunspell.sh QUIREL_WORDLIST_BINARY WORDLISTS_FOLDER [PASSES]
set -euo pipefail

if [[ $# -lt 2 || $1 == -h || $1 == --help ]]; then
    echo "usage: $0 QUIREL_WORDLIST_BINARY WORDLISTS_FOLDER [PASSES]" >&2
    exit 2
fi
tool=$1
lists=$2
passes=${3:-20}
export LC_ALL=C.UTF-8

corpus=(/usr/share/games/fortunes/es/*.fortunes)
[[ -r ${corpus[0]} ]] || { echo "fortunes-es is not installed" >&2; exit 1; }
command -v hunspell > /dev/null || { echo "hunspell is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The sayings without the % lines that separate them.
cat "${corpus[@]}" | grep -v '^%$' > "$work/text.txt"
cat "$work/text.txt" "$work/text.txt" "$work/text.txt" > "$work/text3.txt"

"$tool" check --repeat="$passes" "$lists" "$work/text.txt" > "$work/ours.txt" 2> "$work/ours-stats.txt"
stat() { awk -v key="$1" '$1 == key { print $2 }' "$work/ours-stats.txt"; }
ourWords=$(stat words)
ourUnknown=$(stat unknown)
ourRate=$(stat words_per_second)

hunspell -d es_ES -l < "$work/text.txt" > "$work/hunspell-bad.txt"
hunspell -d es_ES -G < "$work/text.txt" > "$work/hunspell-good.txt"
hsUnknown=$(wc -l < "$work/hunspell-bad.txt")
hsWords=$(( hsUnknown + $(wc -l < "$work/hunspell-good.txt") ))

seconds() { # runs hunspell -l on $1 and prints the wall time in seconds
    local start end
    start=$(date +%s.%N)
    hunspell -d es_ES -l < "$1" > /dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }'
}
median3() { printf '%s\n' "$@" | sort -g | sed -n 2p; }
startup=$(median3 "$(seconds /dev/null)" "$(seconds /dev/null)" "$(seconds /dev/null)")
full=$(median3 "$(seconds "$work/text3.txt")" "$(seconds "$work/text3.txt")" "$(seconds "$work/text3.txt")")
hsRate=$(awk -v w="$hsWords" -v f="$full" -v s="$startup" 'BEGIN { printf "%.0f\n", 3 * w / (f - s) }')

awk -v ow="$ourWords" -v ou="$ourUnknown" -v orate="$ourRate" -v hw="$hsWords" -v hu="$hsUnknown" \
    -v hrate="$hsRate" -v startup="$startup" -v full="$full" 'BEGIN {
    ours = 1000 * ou / ow; theirs = 1000 * hu / hw; ratio = orate / hrate
    printf "text: fortunes-es, %d words (our tokenizer), %d words (hunspell)\n", ow, hw
    printf "(a) marked per 1,000 words: ours %.1f (%d), hunspell %.1f (%d)  -> %s\n", ours, ou, theirs, hu, \
        (ours <= theirs ? "PASS" : "FAIL")
    printf "(b) words per second: ours %.0f, hunspell %.0f (3 texts in %.3f s, start-up %.3f s)  -> %.0fx %s\n", \
        orate, hrate, full, startup, ratio, (ratio >= 10 ? "PASS" : "FAIL")
    failed = (ours <= theirs && ratio >= 10) ? 0 : 1
    exit failed
}'
