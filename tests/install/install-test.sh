#!/usr/bin/env bash
# Installs a build tree into a scratch prefix and checks what landed there.
#   install-test.sh BUILD_DIR DICT_DIR SOURCE_MAN NAMES_MAN
set -u
build=$1
shift
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/log" 2>&1; then
    cat "$tmp/log"
    exit 1
fi
bash "$here/check-tree.sh" "$tmp/prefix" "$@"
