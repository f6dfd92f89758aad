#!/usr/bin/env bash
# Builds the context model of the accent command, tildes.dat, in the program's folder: counts of how
# each written form of a word that exists with and without an accent (esta/está, mas/más) stands among
# its neighbours in the Spanish texts of scripts/fetch-accent-text.sh, plus the capitalised names of
# the English list (wamerican), which the command never accents. Also writes accent-heldout.txt, the
# clean paragraphs of the held-out texts, for the accent benchmark.
# Needs the word lists in the folder (scripts/build-wordlists.sh). Without texts or lists no model is
# built and the accent command works with the list rule alone; the script says so and succeeds.
# Takes about a minute on 2 cores, downloads included; nothing when tildes.dat is there and was built
# by the same sources and word lists (.tildes.stamp).
# Usage: scripts/build-accent-model.sh PROGRAM_FOLDER TOOL_BINARY   (TOOL_BINARY: the built quirel-wordlist)
set -euo pipefail

source "$(dirname "$0")/data-build.sh"
take_arguments "$@"
model=$folder/tildes.dat
# The model depends on its sources and on the word lists it was counted with.
stamp_file=$folder/.tildes.stamp
stamp=$(sources_stamp scripts/build-accent-model.sh scripts/fetch-accent-text.sh tools/wordlist src/core/language/AccentContext.cpp \
    src/core/language/AccentModel.cpp src/core/language/TrainAccentModel.cpp src/core/language/Mix64.h \
    src/core/document/AcuteAccent.h)
stamp+=" $(cat "$folder/.wordlists.stamp" 2> /dev/null || true)"
if [[ -f $model ]] && stamp_matches "$stamp_file" "$stamp"; then
    echo "build-accent-model: the accent model is already in $folder"
    exit 0
fi
require_tool build-accent-model
if [[ ! -f $folder/diccionario.log ]]; then
    echo "build-accent-model: WARNING: no word lists in $folder, so no accent model; the accent command" \
        "uses the list rule alone" >&2
    exit 0
fi
start=$SECONDS
"$(dirname "$0")/fetch-accent-text.sh" "$folder" "$tool"
train=("$folder"/accent-text/train/*.txt)
if [[ ! -f ${train[0]} ]]; then
    echo "build-accent-model: WARNING: no text to learn from, so no accent model; the accent command" \
        "uses the list rule alone" >&2
    exit 0
fi
options=()
for text in "$folder"/accent-text/heldout/*.txt; do
    [[ -f $text ]] && options+=("--heldout=$text")
done
english=/usr/share/dict/american-english
[[ -r $english ]] && options+=("--english=$english")

# Through temporary files, so an interrupted run never leaves a model a later run would take as built.
"$tool" accent-model "${options[@]}" --heldout-out="$folder/.accent-heldout.partial" "$folder" \
    "$folder/.tildes.partial" "${train[@]}"
mv -f "$folder/.accent-heldout.partial" "$folder/accent-heldout.txt"
mv -f "$folder/.tildes.partial" "$model"
echo "$stamp" > "$stamp_file"
echo "build-accent-model: built $model ($(stat -c %s "$model") bytes) in $((SECONDS - start)) s"
