#!/usr/bin/env bash
# Builds the five word-list files of Quirel in the program's folder from Debian's dictionaries,
# leaving alone the ones that are already there:
#   diccionario.log  Spanish words with all their forms (hunspell-es expanded) + the wspanish
#                    words it lacks
#   verbos.log       Spanish verb forms: infinitives, every conjugation, participles, forms with
#                    pronouns (dámelo)
#   npropios.log     proper names: the capitalised words of hunspell-es, except the few that are a
#                    common word without its accent (Corazon) and that the Spanish texts of
#                    scripts/fetch-accent-text.sh never write so: Asia stays beside asía, Maria goes
#   Apellidos.log    Spanish surnames (the Spanish locales of php-faker, unpacked, never installed);
#                    empty when that package cannot be downloaded (delete it to try again)
#   dictionary.log   English words (wamerican)
# Words of the secondary sources (wspanish, php-faker, wamerican) that are a Spanish word with its
# accent left out (corazon, reir) are dropped, so the misspelling never counts as known; so is the
# misspelling tí.
#
# Needs the Debian packages hunspell-es, wspanish and wamerican, and for the surnames apt-get with
# network access (no root needed). Takes some 8 seconds (2 cores), plus the Spanish texts when they
# are not there yet (scripts/fetch-accent-text.sh); nothing when the five files are there and were
# built by the same sources (.wordlists.stamp), all five again when the sources changed.
# Usage: scripts/build-wordlists.sh PROGRAM_FOLDER TOOL_BINARY
#   TOOL_BINARY is the built quirel-wordlist.
set -euo pipefail

source "$(dirname "$0")/data-build.sh"
take_arguments "$@"
export LC_ALL=C.UTF-8

affix=/usr/share/hunspell/es_ES.aff
words=/usr/share/hunspell/es_ES.dic
spanish=/usr/share/dict/spanish
english=/usr/share/dict/american-english

all=(diccionario.log verbos.log npropios.log Apellidos.log dictionary.log)
# Lists built by another version of this script or of the tool are built again, all of them.
stamp_file=$folder/.wordlists.stamp
stamp=$(sources_stamp scripts/build-wordlists.sh tools/wordlist src/core/language/WordRecord.cpp src/core/language/WordLists.cpp)
if [[ -f $folder/diccionario.log ]] && ! stamp_matches "$stamp_file" "$stamp"; then
    echo "build-wordlists: the word lists in $folder were built by other sources; building them again"
    for name in "${all[@]}"; do rm -f "$folder/$name"; done
fi
missing=()
for name in "${all[@]}"; do
    [[ -f $folder/$name ]] || missing+=("$name")
done
if [[ ${#missing[@]} -eq 0 ]]; then
    echo "build-wordlists: the word lists are already in $folder"
    exit 0
fi

require_tool build-wordlists
for source in "$affix" "$words" "$spanish" "$english"; do
    if [[ ! -r $source ]]; then
        echo "build-wordlists: $source is missing (install hunspell-es wspanish wamerican)" >&2
        exit 1
    fi
done
mkdir -p "$folder"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes the UTF-8 list $1 as word-list file $2, through a temporary file in the same folder so an
# interrupted run never leaves a half-written list that a later run would take as present.
encode() {
    local partial="$folder/.$2.partial"
    "$tool" encode --sort --unique "$1" "$partial"
    mv -f "$partial" "$folder/$2"
}

needed() {
    [[ ! -f $folder/$1 ]]
}

# Every form of the Spanish dictionary in one run: common.txt (words in small letters), proper.txt
# (capitalised words) and verbs.txt (the forms that are verb forms only).
"$tool" expand --split="$work" "$affix" "$words" 2> "$work/expand.log"
# A few capitalised entries are a common word without its accent (the place Corazon beside
# corazón); lower-cased in the list they would make the misspelling known. Names that the Spanish
# texts write without the accent (Asia beside asía) stay.
: > "$work/used.txt"
if needed npropios.log; then
    "$(dirname "$0")/fetch-accent-text.sh" "$folder" "$tool" || true
    cat "$folder"/accent-text/train/*.txt > "$work/used.txt" 2> /dev/null || true
    [[ -s $work/used.txt ]] || echo "build-wordlists: WARNING: no Spanish texts; names that are a common" \
        "word without its accent are left out of npropios.log" >&2
fi
"$tool" unshadow --unaccented-only --keep-used="$work/used.txt" "$work/common.txt" "$work/proper.txt" > "$work/names.txt"
cat "$work/common.txt" "$work/names.txt" > "$work/spanish-forms.txt"

if needed diccionario.log; then
    "$tool" unshadow --new-only "$work/spanish-forms.txt" "$spanish" > "$work/spanish-extra.txt"
    cat "$work/common.txt" "$work/spanish-extra.txt" | grep -vxF -e 'tí' > "$work/diccionario.txt"
    encode "$work/diccionario.txt" diccionario.log
fi

if needed verbos.log; then
    grep -vxF -e 'tí' "$work/verbs.txt" > "$work/verbos.txt" || true
    encode "$work/verbos.txt" verbos.log
fi

if needed npropios.log; then
    encode "$work/names.txt" npropios.log
fi

if needed Apellidos.log; then
    : > "$work/surnames.txt"
    faker=/usr/share/php/Faker/Provider
    if [[ ! -d $faker ]]; then
        # Only the package's data is wanted: unpack it without installing it (or PHP).
        if (cd "$work" && timeout 120 apt-get -o Acquire::Retries=1 download php-faker > "$work/download.log" 2>&1); then
            dpkg-deb -x "$work"/php-faker_*.deb "$work/faker"
            faker=$work/faker/usr/share/php/Faker/Provider
        else
            echo "build-wordlists: php-faker could not be downloaded; Apellidos.log stays empty" >&2
        fi
    fi
    for person in "$faker"/es_*/Person.php; do
        [[ -f $person ]] || continue
        # The PHP array $lastName = ['Abad', 'Abeyta', ...];
        sed -n '/static \$lastName = \[/,/\];/p' "$person" \
            | grep -oP "'(?:[^'\\\\]|\\\\.)*'" \
            | sed -e "s/^'//" -e "s/'\$//" -e "s/\\\\'/'/g" >> "$work/surnames.txt" || true
    done
    "$tool" unshadow "$work/spanish-forms.txt" "$work/surnames.txt" > "$work/apellidos.txt"
    encode "$work/apellidos.txt" Apellidos.log
fi

if needed dictionary.log; then
    "$tool" unshadow "$work/spanish-forms.txt" "$english" > "$work/dictionary.txt"
    encode "$work/dictionary.txt" dictionary.log
fi

echo "$stamp" > "$stamp_file"
echo "build-wordlists: built ${missing[*]} in $folder"
