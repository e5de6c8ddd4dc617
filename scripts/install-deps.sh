#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing.
set -euo pipefail

packages=(
  qt6-base-dev cmake ninja-build g++ clang lld
  libgtest-dev libgmock-dev libbenchmark-dev libxxhash-dev
  python3 python3-xlrd poppler-utils unrtf ledger xvfb xauth fonts-dejavu-core fonts-liberation fonts-urw-base35 locales acl
  cups-daemon cups-client libcups2-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# A decimal-comma C locale lets the tests check that numbers in files never
# follow the process locale. Optional: the tests skip that check without it.
ensure_test_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  [ -w /etc/locale.gen ] || return 0
  command -v locale-gen >/dev/null 2>&1 || return 0
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  locale-gen >/dev/null 2>&1 || true
}

if [ ${#missing[@]} -eq 0 ]; then
  ensure_test_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
  apt_get=(sudo apt-get)
else
  echo "These packages are missing and this user cannot install them: ${missing[*]}" >&2
  echo "Run this script as root, or install them with your package manager." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt_get[@]}" update -qq
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
ensure_test_locale
