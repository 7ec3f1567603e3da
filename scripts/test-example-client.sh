#!/usr/bin/env bash
# Installs the built module into a staging folder, then builds and runs the example client
# against it twice: once through the CMake package, once through pkg-config.
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/stage" >/dev/null

cmake -S "$source_dir/examples/client" -B "$work/client" -DCMAKE_PREFIX_PATH="$work/stage" >/dev/null
cmake --build "$work/client" >/dev/null
"$work/client/kivo_example_client" "$work/a.db"
"$work/client/kivo_example_client" "$work/a.db" | grep -q "departments before: 1, contacts now: 2, save by mask: ok"

export PKG_CONFIG_PATH="$work/stage/lib/pkgconfig"
g++ -std=c++17 "$source_dir/examples/client/main.cpp" -o "$work/client-pc" \
    $(pkg-config --define-prefix --cflags --libs kivostore)
LD_LIBRARY_PATH="$work/stage/lib" "$work/client-pc" "$work/b.db"
echo "example client: both ways of linking work"
