#!/usr/bin/env bash
# Installs the built tree into one prefix and moves it to another, then builds and runs
# clients there as a client developer would: the example through the CMake package and
# through pkg-config, and a client that calls every declaration of the installed headers.
# Nothing points the loader at the prefix: the clients find the module by their rpath.
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset LD_LIBRARY_PATH

cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
prefix=$work/moved
pcdir=$(dirname "$(find "$prefix" -name kivostore.pc)")
export PKG_CONFIG_PATH=$pcdir

version=$(pkg-config --modversion kivostore)
[ "$("$prefix/bin/kivostore" --version)" = "kivostore $version" ]

cmake -S "$source_dir/examples/client" -B "$work/client" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/client" >/dev/null
"$work/client/kivo_example_client" "$work/a.db"
"$work/client/kivo_example_client" "$work/a.db" | grep -q "departments before: 1, contacts now: 2, save by mask: ok"

g++ -std=c++17 "$source_dir/examples/client/main.cpp" -o "$work/client-pc" $(pkg-config --cflags --libs kivostore)
"$work/client-pc" "$work/b.db" | grep -q "save by mask: ok"

g++ -std=c++17 -Wall -Wextra -Werror "$source_dir/tests/client/EveryDeclaration.cpp" -o "$work/every" \
    $(pkg-config --cflags --libs kivostore)
"$work/every" "$work"
echo "installed clients: both ways of linking work from a moved prefix"
