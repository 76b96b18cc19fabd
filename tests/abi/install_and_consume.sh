#!/usr/bin/env bash
# Installs the build into a temporary prefix, then builds and runs a user's project against it,
# once with find_package(rkbasekit) and once with pkg-config.
#   install_and_consume.sh <build dir> <source dir of the consumer>
set -euo pipefail
build_dir=$1
consumer_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" > "$work/install.log"

echo "== find_package"
cmake -S "$consumer_dir" -B "$work/cmake-build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" > "$work/configure.log"
cmake --build "$work/cmake-build" > "$work/build.log"
message_file="$work/prefix/share/rkbasekit/messages.txt"
"$work/cmake-build/consumer_c" "$message_file"
"$work/cmake-build/consumer_cpp"

echo "== pkg-config"
export PKG_CONFIG_PATH="$(dirname "$(find "$work/prefix" -name rkbasekit.pc)")"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Wpedantic -Werror -o "$work/pc_consumer" "$consumer_dir/../abi_sequence.c" \
   $(pkg-config --cflags --libs rkbasekit)
LD_LIBRARY_PATH="$(pkg-config --variable=libdir rkbasekit)" "$work/pc_consumer" \
   "$(pkg-config --variable=messagefile rkbasekit)"
