#!/usr/bin/env bash
# Installs the Debian 12 packages MERU builds, runs and tests with (only those missing).
set -euo pipefail
packages=(build-essential cmake pkg-config qt6-base-dev qt6-translations-l10n
          pxlib-dev libsqlite3-dev libjpeg62-turbo-dev googletest libgtest-dev libbenchmark-dev
          xvfb xauth poppler-utils x11-utils desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
