#!/bin/sh
# Installs what a fresh Debian machine lacks for building and testing Varkel;
# does nothing for what is already there.
set -e
need=""
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
# The build: cmake, make, the MinGW-w64 compilers and binutils (dlltool; the
# PE check's objdump), llvm-windres-14 (llvm-14), which preprocesses the
# resource script with the clang beside it (clang-14), and GoogleTest's
# sources. The release package: zip. The check scripts and tools/run:
# python3. Tests and the tour: 64-bit Wine, Xvfb with the fvwm window
# manager, the IPA Gothic fonts, Wine's Marlett (fonts-wine: title-bar
# buttons) and a Japanese locale.
for pkg in cmake make zip g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
           binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 llvm-14 clang-14 googletest python3 \
           wine64 xvfb fvwm fonts-ipafont-gothic fonts-wine locales; do
    have_pkg "$pkg" || need="$need $pkg"
done
if [ -n "$need" ]; then
    echo "setup: installing$need"
    sudo_cmd=""
    [ "$(id -u)" = 0 ] || sudo_cmd=sudo
    $sudo_cmd apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends $need
fi
# Wine takes its ANSI code page (932) from a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    sudo_cmd=""
    [ "$(id -u)" = 0 ] || sudo_cmd=sudo
    $sudo_cmd sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
    $sudo_cmd locale-gen >/dev/null
fi
