#!/usr/bin/env bash
# Makes the Debian package of the build with CPack and checks its control
# data and contents with dpkg-deb; the unpacked programs run from it.
# Arguments: the build folder, the demo data generator, the Python
# interpreter (none: the Python package is not checked).
set -u
build=$1
generator=$2
python=${3:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/zanpackageXXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # description, condition result
    if [ "$2" -ne 0 ]; then
        echo "FAILED: $1"
        failures=$((failures + 1))
    fi
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1
made=$?
expect "cpack makes the package" $made
[ $made -eq 0 ] || cat "$work/cpack.log"
deb=$(ls "$work"/zan_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ]; expect "the package is named zan_VERSION_ARCH.deb" $?
[ -n "$deb" ] || exit 1

info=$(dpkg-deb --info "$deb")
echo "$info"
grep -q '^ Package: zan$' <<<"$info"; expect "package name" $?
grep -q '^ Version: 0\.1$' <<<"$info"; expect "package version" $?
grep -q '^ Section: science$' <<<"$info"; expect "section" $?
grep -Eq '^ Depends: .*libqt6widgets6' <<<"$info"; expect "depends on the Qt widgets library" $?
grep -Eq '^ Depends: .*libstdc\+\+6' <<<"$info"; expect "depends on the C++ library" $?
dpkg-deb --info "$deb" shlibs | grep -q '^libzan 0 zan'; expect "the package declares libzan.so.0" $?

contents=$(dpkg-deb --contents "$deb")
echo "$contents"
for f in ./usr/bin/zan ./usr/bin/zan-info ./usr/lib/libzan.so.0.1 ./usr/lib/libzan.so.0 ./usr/lib/libzan.so \
         ./usr/include/zan.h ./usr/lib/pkgconfig/zan.pc ./usr/lib/cmake/Zan/ZanConfig.cmake \
         ./usr/lib/cmake/Zan/ZanTargets.cmake ./usr/share/applications/zan.desktop \
         ./usr/share/icons/hicolor/scalable/apps/zan.svg ./usr/share/man/man1/zan.1 ./usr/share/man/man1/zan-info.1; do
    grep -qE " ${f//./\\.}( ->|$)" <<<"$contents"; expect "$f is in the package" $?
done

dpkg-deb -x "$deb" "$work/root"
grep -qx 'prefix=/usr' "$work/root/usr/lib/pkgconfig/zan.pc"; expect "the packaged pkg-config file names /usr" $?
"$generator" "$work/data" >/dev/null
"$work/root/usr/bin/zan-info" "$work/data/flight.bin" >/dev/null; expect "the packaged zan-info runs" $?

if [ -n "$python" ]; then
    grep -qE ' \./usr/lib/python3/dist-packages/zan/__init__\.py$' <<<"$contents"
    expect "the Python package is in Debian's folder for Python 3" $?
    grep -Eq '^ Recommends: .*python3-numpy' <<<"$info"; expect "recommends numpy for the Python package" $?
    PYTHONPATH=$work/root/usr/lib/python3/dist-packages "$python" -c '
import sys, zan
with zan.open(sys.argv[1]) as f:
    assert len(f.names) == 21 and f.rows == 18001, f
' "$work/data/flight.bin"
    expect "the packaged Python package reads the demo file" $?
fi

[ $failures -eq 0 ] && echo "all package checks passed"
exit $failures
