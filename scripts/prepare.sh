# Shared by scripts/run and scripts/test: installs the Debian packages the build needs when they
# are missing, then configures and builds. Sourced, not run.

ORBITEL_PAQUETS=(
  cmake ninja-build g++          # the tool chain
  qt6-base-dev                   # Qt 6 Widgets, Print Support (the window, the report's locale)
  qt6-svg-dev                    # Qt SVG: the graph and the drawing exported as SVG
  libgtest-dev libbenchmark-dev  # the test suite and the benchmarks
  fonts-liberation               # metric twin of Arial, the window's font
  fonts-comic-neue               # stand-in for Comic Sans MS in the About box
  poppler-utils                  # pdftoppm: the print test looks at the printed page
  tzdata                         # the zone database behind orbitel-rapport --fuseau local
  xvfb xauth                     # a virtual display for scripts/screenshot and headless runs
  qt6-translations-l10n          # Qt's own French: print dialog, message boxes, field menus
  tzdata                         # the local-time tool tips: each date's offset, summer time included
  dpkg-dev file                  # CPack's Debian package: dpkg-shlibdeps computes its Depends
  desktop-file-utils appstream   # desktop-file-validate, appstreamcli: the package's metadata
  groff-base man-db              # the manual pages checked by groff and shown by man -l
  clang-format                   # scripts/format and its check in scripts/test
  clang                          # scripts/fuzz: the harnesses are built with clang
  libclang-rt-14-dev             # ... and its libFuzzer and sanitizer run-times
  locales                        # the locales below: the window's tests run in French
)

# The locales the tests run under: French (the program's audience, a decimal comma), German (a comma
# too) and American English (a point).
ORBITEL_LOCALES=(fr_FR.UTF-8 de_DE.UTF-8 en_US.UTF-8)

orbitel_installe_paquets() {
  local manquants=()
  local p
  for p in "${ORBITEL_PAQUETS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
  done
  if ((${#manquants[@]})); then
    echo "Installing missing packages: ${manquants[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${manquants[@]}"
  fi
  orbitel_genere_locales
}

# Generates the locales of ORBITEL_LOCALES that `locale -a` does not list yet (it writes them in
# lower case without the hyphen: fr_FR.utf8).
orbitel_genere_locales() {
  local manquantes=()
  local l
  local presentes
  presentes=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | tr -d '-')
  for l in "${ORBITEL_LOCALES[@]}"; do
    grep -qxF "$(echo "$l" | tr '[:upper:]' '[:lower:]' | tr -d '-')" <<<"$presentes" || manquantes+=("$l")
  done
  ((${#manquantes[@]})) || return 0
  echo "Generating missing locales: ${manquantes[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  for l in "${manquantes[@]}"; do
    # Uncommented in /etc/locale.gen, or added when the line is not there at all.
    if grep -qE "^# *${l//./\\.} UTF-8\$" /etc/locale.gen; then
      "${sudo[@]}" sed -i -E "s/^# *(${l//./\\.} UTF-8)\$/\1/" /etc/locale.gen
    elif ! grep -qE "^${l//./\\.} UTF-8\$" /etc/locale.gen; then
      echo "$l UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  done
  "${sudo[@]}" locale-gen
}

# orbitel_construit <build dir> [cmake options...]
orbitel_construit() {
  local dossier=$1
  shift
  cmake -S . -B "$dossier" -G Ninja "$@"
  cmake --build "$dossier" --parallel
}
