#!/usr/bin/env bash
# Installs what building, running and testing VEQ Editor needs on Debian 12,
# and nothing when it is all there already. Extra package names may be given.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libacl1-dev libattr1-dev
  qt6-base-dev libgl-dev qt6-gtk-platformtheme libqt6svg6
  libgtest-dev
  fonts-liberation2
  xvfb xauth x11-utils x11-apps openbox libxtst6
  at-spi2-core python3-pyatspi dbus-x11
  desktop-file-utils appstream
  help2man dpkg-dev lintian man-db
  acl attr dosfstools fusefat
  nsis xdotool openbox
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
