#!/usr/bin/env bash
# Gathers the Spanish texts the accent model learns from, as plain UTF-8 paragraphs (one per line), in
# PROGRAM_FOLDER/accent-text/train and PROGRAM_FOLDER/accent-text/heldout:
#   the Reina-Valera 1909 Bible (sword-text-sparv, a SWORD module), one file per book;
#   the Spanish translations of Wesnoth (wesnoth-1.16-data and the campaign packages), one file per
#   text domain.
# The packages are fetched with apt-get download and unpacked with dpkg-deb (never installed); only
# the Bible module and the Spanish message catalogues are read. A few books and campaigns go to
# heldout: the model never learns from them, the accent benchmark measures on them.
# A package that cannot be downloaded is left out (said below); with none, there is no text and the
# accent command works with the list rule alone. Delete PROGRAM_FOLDER/accent-text to fetch again.
# Takes some 30 seconds; nothing when the texts are there and were gathered by the same sources.
# Usage: scripts/fetch-accent-text.sh PROGRAM_FOLDER TOOL_BINARY   (TOOL_BINARY: the built quirel-wordlist)
set -euo pipefail

source "$(dirname "$0")/data-build.sh"
take_arguments "$@"
out=$folder/accent-text
# .complete holds the stamp of the sources that gathered the texts.
stamp=$(sources_stamp scripts/fetch-accent-text.sh tools/wordlist/AccentCorpus.cpp tools/wordlist/Utf8.cpp)
if stamp_matches "$out/.complete" "$stamp"; then
    echo "fetch-accent-text: the texts are already in $out"
    exit 0
fi
require_tool fetch-accent-text
mkdir -p "$folder"

campaigns=(did dm dw ei httt l low nr sof sota sotbe thot trow tsg ttb utbs)
packages=(sword-text-sparv wesnoth-1.16-data)
for campaign in "${campaigns[@]}"; do packages+=("wesnoth-1.16-$campaign"); done
# Held out: Ruth, Esther, Jonah and Acts; the campaigns Dead Water, The Hammer of Thursagan and A Tale
# of Two Brothers.
heldout=(bible-ot-08 bible-ot-17 bible-ot-32 bible-nt-05 wesnoth-dw wesnoth-thot wesnoth-tb)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
partial=$folder/.accent-text.partial
rm -rf "$partial"
mkdir -p "$partial/train" "$partial/heldout"

download() {
    (cd "$work" && timeout 300 apt-get -o Acquire::Retries=2 download "$@" >> "$work/download.log" 2>&1)
}
# One apt-get run for all (each run reads the package lists anew); package by package only if it fails.
if ! download "${packages[@]}"; then
    for package in "${packages[@]}"; do
        compgen -G "$work/${package}_*.deb" > /dev/null || download "$package" || true
    done
fi
missing=()
for package in "${packages[@]}"; do
    if ! compgen -G "$work/${package}_*.deb" > /dev/null; then
        missing+=("$package")
        continue
    fi
    unpacked=$work/unpacked
    dpkg-deb -x "$work"/"$package"_*.deb "$unpacked"
    rm -f "$work"/"$package"_*.deb
    sword=$unpacked/usr/share/sword/modules/texts/ztext/spaRV1909eb
    if [[ -d $sword ]]; then
        "$tool" sword "$sword" "$partial/train" || missing+=("$package (damaged)")
    fi
    for catalogue in "$unpacked"/usr/share/games/wesnoth/*/locale/es/LC_MESSAGES/*.mo; do
        [[ -f $catalogue ]] || continue
        "$tool" mo "$catalogue" > "$partial/train/$(basename "$catalogue" .mo).txt" || missing+=("$catalogue (damaged)")
    done
    rm -rf "$unpacked"
done
for name in "${heldout[@]}"; do
    [[ -f $partial/train/$name.txt ]] && mv "$partial/train/$name.txt" "$partial/heldout/"
done
echo "$stamp" > "$partial/.complete"
rm -rf "$out"
mv "$partial" "$out"

if ((${#missing[@]})); then
    echo "fetch-accent-text: WARNING: could not use ${missing[*]}; the accent model learns from fewer texts" \
        "(delete $out to try again)" >&2
fi
echo "fetch-accent-text: $(cat "$out"/train/*.txt 2> /dev/null | wc -w) words to learn from," \
    "$(cat "$out"/heldout/*.txt 2> /dev/null | wc -w) held out, in $out"
