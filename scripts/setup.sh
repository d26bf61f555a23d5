#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine; quick when all is there.
#   setup.sh demo   the native build
#   setup.sh test   everything every test tier needs
set -euo pipefail
profile=${1:-test}

packages=(cmake ninja-build g++ make file)
if [ "$profile" = test ]; then
    packages+=(libgtest-dev googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
               wine wine64 wine32:i386 xvfb xdotool x11-utils imagemagick inotify-tools
               libinih-dev clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if [ "$profile" = test ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
