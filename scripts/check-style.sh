#!/usr/bin/env bash
# Checks the project's C++ sources without building them; ./quirel.sh test runs both before the build.
#   scripts/check-style.sh format   every tracked *.cpp and *.h is as clang-format writes it (.clang-format)
#   scripts/check-style.sh naming   clang-tidy (.clang-tidy: the naming rules) passes on every tracked *.cpp
#                                   and the project's headers they include
# Each names the files that fail and exits with 1. The naming check configures build-tidy/, a build
# without precompiled headers (clang cannot read g++'s), for its compile_commands.json.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

TIDY_BUILD=build-tidy
JOBS=2

# The project's files matching the patterns, NUL-separated.
sources() {
  if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git ls-files -z -- "$@"
  else
    local names=()
    for pattern in "$@"; do names+=(-o -name "$pattern"); done
    find src tools tests bench -type f \( -false "${names[@]}" \) -print0
  fi
}

check_format() {
  local out status=0 bad
  out=$(sources '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror 2>&1) || status=$?
  if ((status)); then
    # clang-format reports each difference as FILE:LINE:COLUMN: error: ...; one line a file is enough.
    bad=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' <<< "$out" | sort -u)
    if [[ -n $bad ]]; then
      echo "These files are not formatted as .clang-format says (run clang-format -i on them):" >&2
      echo "$bad" >&2
    else
      echo "$out" >&2
    fi
    exit 1
  fi
  echo "Format: every C++ file as .clang-format says."
}

check_naming() {
  cmake -S . -B "$TIDY_BUILD" -G Ninja -DQUIREL_PCH=OFF > /dev/null
  local count
  count=$(sources '*.cpp' | tr -cd '\0' | wc -c)
  echo "Naming: clang-tidy over $count files..."
  # One file a run, two at a time; a run prints only when it finds something.
  if ! sources '*.cpp' | xargs -0 -n1 -P"$JOBS" sh -c \
    'out=$(clang-tidy -p "$0" --quiet "$1" 2>&1) || { printf "%s\n\n" "$out"; exit 1; }' "$TIDY_BUILD"; then
    echo "clang-tidy found the problems above (.clang-tidy holds the rules)." >&2
    exit 1
  fi
  echo "Naming: clang-tidy found nothing."
}

case "${1:-}" in
  format) check_format ;;
  naming) check_naming ;;
  *)
    echo "usage: $0 format | naming" >&2
    exit 2
    ;;
esac
