#!/usr/bin/env bash
# Builds the .deb from a build tree, checks its control fields and contents,
# and runs the program unpacked from it.
#   package-test.sh BUILD_DIR DICT_DIR SOURCE_MAN NAMES_MAN
set -u
build=$1
shift
here=$(dirname "$0")
command -v dpkg-deb >/dev/null || {
    echo "dpkg-deb not found"
    exit 77
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/log" 2>&1; then
    cat "$tmp/log"
    exit 1
fi
debs=("$tmp"/out/*.deb)
if [ ${#debs[@]} != 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "--- expected one .deb, found: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}

failed=0
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = unjam ] || { echo "--- Package: $(field Package)"; failed=1; }
[ "$(field Section)" = utils ] || { echo "--- Section: $(field Section)"; failed=1; }
[ -n "$(field Maintainer)" ] || { echo "--- no Maintainer"; failed=1; }
depends=$(field Depends)
for lib in libc6 libstdc++6; do
    [[ ", $depends" == *", $lib "* ]] || { echo "--- Depends lacks $lib: $depends"; failed=1; }
done
listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for path in ./usr/bin/unjam ./usr/share/man/man1/unjam.1.gz ./usr/share/unjam/words \
    ./usr/share/doc/unjam/COPYING.scowl ./usr/bin/unjam-names \
    ./usr/share/man/man1/unjam-names.1.gz; do
    grep -qx -- "$path" <<<"$listing" || { echo "--- $path not in the package"; failed=1; }
done
[ $failed = 0 ] || exit 1

dpkg-deb -x "$deb" "$tmp/root" && bash "$here/check-tree.sh" "$tmp/root/usr" "$@"
