# Shared by ./play and ./test: installs the Debian packages the build needs when any is
# missing, then configures and builds one CMake preset. Sourced, not run.

vortila_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the named Debian packages that are not installed yet.
vortila_require_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installo i pacchetti mancanti: ${missing[*]}" >&2
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >&2
}

vortila_build_packages=(cmake ninja-build g++ libgtest-dev libgmock-dev)
# The desktop window: Qt 6 Widgets and Test (their platform plugins, the offscreen one the
# tests use included), OpenGL headers that Qt's CMake files ask for, a monospaced font, and
# Qt's own texts in Italian (the file dialogs).
vortila_qt_packages=(qt6-base-dev libgl-dev fonts-dejavu-core qt6-translations-l10n)
# Pictures of the window in play: a virtual display, keys sent to it, a screen grabber.
vortila_screenshot_packages=(xvfb xauth xdotool imagemagick)
# The terminal front end: ncurses for the screen, chafa (whose headers need glib's) and
# libpng for the pictures, and tmux, in which its tests play it.
vortila_term_packages=(pkg-config libncurses-dev libchafa-dev libglib2.0-dev libpng-dev tmux)
# Installing the game: its icon is rendered from its drawing at every size a desktop asks for.
vortila_install_packages=(librsvg2-bin)
# The tests of the installed game and of its Debian package: the validators of the menu entry
# and of the metadata, the manual pages' reader, and what cpack needs to find the package's
# dependencies.
vortila_package_test_packages=(desktop-file-utils appstream man-db dpkg-dev file)
# The spelling test: hunspell and its Italian dictionary.
vortila_spelling_packages=(hunspell hunspell-it)
# The browser edition: Emscripten, GoogleTest's sources to build its tests for WebAssembly,
# Node.js to run them, Chromium in which the page is tested, and Python, whose web server
# serves the site. npm comes with some builds of Node.js; see vortila_prepare_web_tests.
vortila_web_packages=(emscripten googletest nodejs chromium python3)
# The benchmarks of whole processes: instruction counts, peak memory and repeated wall times.
vortila_measure_packages=(valgrind time hyperfine jq python3)

# Configures (once) and builds a preset quietly, all of it or the targets named after it;
# the build's own output shows on failure.
vortila_build() {
  local preset=$1
  shift
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  local log
  log=$(mktemp)
  if ! { cmake --preset "$preset" -S "$vortila_root" &&
         cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "La compilazione ($preset) non è riuscita." >&2
    return 1
  fi
  rm -f "$log"
}

# Installs the web page's test tools from their lockfile, when they are missing or the
# lockfile has changed since they were installed.
vortila_prepare_web_tests() {
  local tools="$vortila_root/tests/web"
  cmp -s "$tools/package-lock.json" "$tools/node_modules/.installed-lock.json" && return 0
  # Debian's own Node.js leaves npm to a package of its own.
  command -v npm >/dev/null || vortila_require_packages npm
  if ! npm ci --prefix "$tools" --no-audit --no-fund --loglevel=error >&2; then
    echo "Non riesco a installare gli strumenti di prova della pagina (npm ci)." >&2
    return 1
  fi
  cp "$tools/package-lock.json" "$tools/node_modules/.installed-lock.json"
}
