#!/usr/bin/env bash
# Installs what Quillon needs to build, run and test on Debian 12. Safe to run again:
# it asks apt only for packages that are missing. Arguments name further packages a script
# needs besides (the sanitizer build's compiler, for one).
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  libgtest-dev libbenchmark-dev
  avrdude avr-libc qt6-translations-l10n
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool x11-utils openbox
  dpkg-dev file lintian appstream desktop-file-utils procps
  dbus at-spi2-core python3-pyatspi orca python3-gi gir1.2-gtk-3.0 gir1.2-wnck-3.0
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
