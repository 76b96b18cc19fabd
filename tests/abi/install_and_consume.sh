#!/usr/bin/env bash
# Installs the build into a temporary prefix, then builds and runs a user's program against it,
# with find_package(rkbasekit) in C and C++, and with pkg-config.
#   install_and_consume.sh <build dir> <source dir of the consumer>
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/prefix" > "$work/install.log"
cmake -S "$2" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" > "$work/configure.log"
cmake --build "$work/build" > "$work/build.log"
for program in consumer_c consumer_cpp; do "$work/build/$program" "$work/prefix/share/rkbasekit/messages.txt"; done

export PKG_CONFIG_PATH="$(dirname "$(find "$work/prefix" -name rkbasekit.pc)")"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Wpedantic -Werror -o "$work/pc_consumer" "$2/../abi_sequence.c" $(pkg-config --cflags --libs rkbasekit)
LD_LIBRARY_PATH="$(pkg-config --variable=libdir rkbasekit)" "$work/pc_consumer" "$(pkg-config --variable=messagefile rkbasekit)"
