#!/usr/bin/env bash
# Compiles the Windows-only sources (src/**/Win32*.cpp) with the MinGW cross
# compiler: syntax and warnings only, against the Linux Qt headers, since there
# is no Qt for Windows here. Installs the compiler when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --windows-check
qt=/usr/include/x86_64-linux-gnu/qt6
mapfile -t sources < <(find src -name 'Win32*.cpp' | sort)
for source in "${sources[@]}"; do
    echo "$source"
    x86_64-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic \
        -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DQT_NO_FOREACH \
        -I src -I "$qt" -I "$qt/QtCore" -I "$qt/QtGui" -I "$qt/QtWidgets" "$source"
done
