#!/usr/bin/env bash
# Installs the Debian 12 packages Tavrin needs to build and run, only those
# that are missing. Uses sudo when not run as root. --windows-check adds the
# cross compiler that tools/check-windows.sh uses, --package the tools that
# make and check the Debian package (.ci/package).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-multimedia-dev libgl-dev
    libxlsxwriter-dev libzip-dev libjpeg62-turbo-dev
    fonts-liberation2
    # German for Qt's own dialogs and the C library's messages; the German
    # locale itself is generated below
    qt6-translations-l10n libc-l10n locales
    # the formatting check
    clang-format
    # independent readers of the written .xlsx and .docx files, for the tests
    python3-openpyxl python3-docx
    # reads the text of printed PDF pages back, for the tests
    poppler-utils
)

case "${1:-}" in
# Optional: the MinGW cross compiler for tools/check-windows.sh (large, ~1.2 GB).
--windows-check) packages+=(g++-mingw-w64-x86-64-posix) ;;
# dpkg-shlibdeps computes the package's dependencies; the rest check the package.
--package) packages+=(dpkg-dev file lintian desktop-file-utils appstream) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Our users run German systems: the tests run under de_DE.UTF-8 as well.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the locale de_DE.UTF-8"
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
