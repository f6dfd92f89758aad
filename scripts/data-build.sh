# Shared by the scripts that build the program's data (word lists, the accent command's texts and
# model); sourced, not run. Each of them is called as SCRIPT PROGRAM_FOLDER TOOL_BINARY.

sources_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Sets $folder and $tool from the script's arguments, or says how to call it and exits.
take_arguments() {
    if [[ $# -ne 2 || $1 == -h || $1 == --help ]]; then
        echo "usage: $0 PROGRAM_FOLDER QUIREL_WORDLIST_BINARY" >&2
        exit 2
    fi
    folder=$1
    tool=$2
}

# Exits with an error unless $tool can be run; $1 is the script's name for the message.
require_tool() {
    [[ -x $tool ]] || { echo "$1: $tool is not an executable" >&2; exit 1; }
}

# A fingerprint of the sources that make a piece of data (paths relative to the sources' root;
# folders count with every file in them), so that data built by older code is built again.
sources_stamp() {
    (cd "$sources_root" && find "$@" -type f -print0 | sort -z | xargs -0 cat | sha256sum | cut -d' ' -f1)
}

# True when stamp file $1 holds stamp $2.
stamp_matches() {
    [[ -f $1 && $(< "$1") == "$2" ]]
}
