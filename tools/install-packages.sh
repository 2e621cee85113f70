#!/usr/bin/env bash
# Installs the Debian packages listed in tools/packages.txt and tools/packages-gui.txt that
# are missing (the GUI's only with --gui). Does nothing, and asks no server, when all of them
# are there already.
set -euo pipefail
cd "$(dirname "$0")/.."

lists=(tools/packages.txt)
[[ "${1:-}" == "--gui" ]] && lists+=(tools/packages-gui.txt)

missing=()
while read -r package; do
  [[ -z "$package" || "$package" == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done < <(cat "${lists[@]}")
# The example's checks compile the generated Python; any python3 on the PATH will do.
if ! command -v python3 >/dev/null 2>&1; then
  missing+=(python3)
fi
# ccache only speeds rebuilds up; take it when the package can be had.
if ! command -v ccache >/dev/null 2>&1; then
  missing+=(ccache)
fi

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
