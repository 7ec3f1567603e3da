#!/usr/bin/env bash
# Installs the Debian packages the build, tests and benchmarks need.
# Idempotent: prints nothing and touches nothing when everything is present.
set -euo pipefail

packages=(libsqlite3-dev sqlite3 libboost-dev nlohmann-json3-dev libgtest-dev libgmock-dev
          libbenchmark-dev cmake g++ make pkgconf python3 valgrind)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
