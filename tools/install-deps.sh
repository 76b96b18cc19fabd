#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running rkbasekit and rkdatum need, when
# any of them is missing; does nothing when all are there. The README's commands and CI call it.
set -euo pipefail

packages=(
  g++ clang cmake make ninja-build pkg-config python3   # the build
  libgtest-dev libbenchmark-dev                         # tests and benchmarks
  nlohmann-json3-dev                                    # rkdatum --json
  libplplot-dev plplot-driver-cairo fonts-dejavu-core   # rkdatum --plots: PLplot, its PNG driver, a font
  python3-jsonschema                                    # the test that checks --json against its schema
  libeigen3-dev                                         # the benchmarks' peers
  parallel                                              # the test that runs rkdatum's shards with GNU parallel
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
