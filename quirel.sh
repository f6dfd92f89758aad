#!/usr/bin/env bash
# Sets Quirel up on Debian 12 (as root) and then starts the editor or runs every test.
#   ./quirel.sh start [FILE.4tf]   install, build, and start the editor
#   ./quirel.sh test               install, build, and run all tests
# Both are idempotent: a second run installs nothing and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")"

BUILD=build
SAN_BUILD=build-sanitize
PACKAGES=(
  # build and tests
  cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n
  # the format and naming checks of the sources
  clang-format clang-tidy
  # fonts the program draws with (Windows faces are mapped onto these)
  fontconfig fonts-dejavu-core fonts-liberation fonts-crosextra-carlito fonts-crosextra-caladea fonts-noto-color-emoji
  # word lists; the accent model's texts are fetched with apt-get download (never installed) and read
  # with zlib
  hunspell-es wspanish wamerican zlib1g-dev
  # the word-list tool's tests check its expansion against the spell checker itself
  hunspell
  # end-to-end tests under a virtual display (libx11-dev: the scripts build a window manager's close request;
  # openbox: a window manager, for the focus a real desktop gives)
  xvfb xauth x11-xkb-utils xdotool imagemagick libx11-dev openbox
  # printing tests: a local spooler with a PDF printer, and the PDF readers
  cups printer-driver-cups-pdf poppler-utils
  # the file readers' fuzzers: clang and its libFuzzer runtime
  clang libclang-rt-14-dev
)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  if [[ ! -f $BUILD/CMakeCache.txt ]]; then
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$BUILD" -j2
  if [[ -x scripts/build-wordlists.sh && -x $BUILD/tools/wordlist/quirel-wordlist ]]; then
    scripts/build-wordlists.sh "$BUILD" "$BUILD/tools/wordlist/quirel-wordlist"
    scripts/build-accent-model.sh "$BUILD" "$BUILD/tools/wordlist/quirel-wordlist"
  fi
  scripts/install-launcher.sh "$BUILD/quirel" resources/icon/quirel-256.png
}

run_tests() {
  export QUIREL_WORDLISTS_DIR
  QUIREL_WORDLISTS_DIR="$(readlink -f "$BUILD")"
  (cd "$BUILD" && ctest --output-on-failure -j2)
  # Every test again under AddressSanitizer and UndefinedBehaviorSanitizer (leaks included): the
  # core, the windows and dialogs offscreen, printing through the spooler, the program end to end.
  cmake -S . -B "$SAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIREL_SANITIZE=ON -DQUIREL_CORE_ONLY=OFF \
    -DQUIREL_BENCH=OFF > /dev/null
  cmake --build "$SAN_BUILD" -j2
  (cd "$SAN_BUILD" && ctest --output-on-failure -j2)
}

case "${1:-}" in
  start)
    shift
    install_packages
    build
    if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
      echo "No display found (DISPLAY is not set): start Quirel from a desktop session." >&2
      exit 1
    fi
    exec "$BUILD/quirel" "$@"
    ;;
  test)
    install_packages
    # The sources are checked first: a format or naming fault fails the run before the long build.
    scripts/check-style.sh format
    scripts/check-style.sh naming
    build
    run_tests
    ;;
  *)
    echo "usage: $0 start [FILE.4tf] | test" >&2
    exit 2
    ;;
esac
