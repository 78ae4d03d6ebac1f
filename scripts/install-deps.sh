#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need. Safe to run again.
# With --fuzz, also clang and its sanitizer and libFuzzer runtimes (fuzz/README.md); with --package,
# what scripts/package.sh needs to build and check the Debian package.
set -euo pipefail
packages=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-svg-dev libgl-dev cmake ninja-build g++
          xvfb xauth tidy desktop-file-utils fonts-dejavu-core clang-format python3
          pkg-config libgumbo-dev libqt6sql6-sqlite dbus appstream man-db qt6-translations-l10n
          chromium chromium-driver python3-selenium libcurl4-openssl-dev openssh-server python3-pyftpdlib
          qtkeychain-qt6-dev libglib2.0-dev
          libgmime-3.0-dev libssl-dev python3-aiosmtpd dovecot-imapd gnome-keyring openssl)
# The verification history opens its files through a VFS of its own in the system's SQLite.
packages+=(libsqlite3-dev)
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev file lintian)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
