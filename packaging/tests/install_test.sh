#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what went where, then
# builds the C and Fortran examples against the installed library with
# pkg-config and with CMake and runs them on a demo file.
# Also imports the installed Python package with the interpreter given.
# Arguments: the build folder, the source folder, the demo data generator,
# the Python interpreter (none: the package is not checked).
set -u
build=$1
source=$2
generator=$3
python=${4:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/zaninstallXXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0

expect() {  # description, condition result
    if [ "$2" -ne 0 ]; then
        echo "FAILED: $1"
        failures=$((failures + 1))
    fi
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1
expect "install into a fresh prefix" $?
cmake --install "$build" --prefix "$prefix" >"$work/again.log" 2>&1
expect "install a second time" $?
grep -q 'Up-to-date: .*/bin/zan-info$' "$work/again.log"; expect "the second install finds the files up to date" $?

# A prefix the installing user may not write to: CMake's own message, and a
# failed exit status. Checked where root can act as an ordinary user.
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && command -v runuser >/dev/null &&
   runuser -u nobody -- test -r "$build/cmake_install.cmake"; then
    mkdir -m 755 "$work/locked"
    chmod 711 "$work"
    runuser -u nobody -- cmake --install "$build" --prefix "$work/locked/prefix" >"$work/locked.log" 2>&1
    [ $? -ne 0 ] && grep -q 'Maybe need administrative privileges' "$work/locked.log"
    expect "installing without write permission fails with CMake's message" $?
    [ ! -e "$work/locked/prefix" ]; expect "nothing is installed without write permission" $?
fi

for f in bin/zan bin/zan-info lib/libzan.so lib/libzan.so.0 lib/libzan.so.0.1 include/zan.h \
         lib/pkgconfig/zan.pc lib/cmake/Zan/ZanConfig.cmake lib/cmake/Zan/ZanConfigVersion.cmake \
         lib/cmake/Zan/ZanTargets.cmake share/applications/zan.desktop \
         share/icons/hicolor/scalable/apps/zan.svg share/man/man1/zan.1 share/man/man1/zan-info.1; do
    [ -e "$prefix/$f" ]; expect "$f is installed" $?
done
[ "$(readlink "$prefix/lib/libzan.so")" = libzan.so.0 ]; expect "libzan.so links to libzan.so.0" $?
readelf -d "$prefix/lib/libzan.so.0.1" | grep -q 'SONAME.*\[libzan.so.0\]'; expect "SONAME libzan.so.0" $?
! readelf -d "$prefix/bin/zan" "$prefix/bin/zan-info" "$prefix/lib/libzan.so.0.1" | grep -qF "$build"
expect "no installed file points into the build folder" $?
for program in zan zan-info; do
    found=$(ldd "$prefix/bin/$program" | sed -n 's/^\s*libzan\.so\.0 => \(\S*\) .*/\1/p')
    [ -n "$found" ] && [ "$(readlink -f "$found")" = "$(readlink -f "$prefix/lib/libzan.so.0.1")" ]
    expect "$program finds the installed library" $?
done
desktop-file-validate "$prefix/share/applications/zan.desktop"; expect "the menu entry is valid" $?
for page in zan zan-info; do
    [ -z "$(groff -man -ww -z -Tutf8 "$prefix/share/man/man1/$page.1" 2>&1)" ]
    expect "manual page $page formats without warnings" $?
done

"$generator" "$work/data" >/dev/null; expect "demo data" $?
data=$work/data/flight.bin
"$prefix/bin/zan-info" "$data" >/dev/null; expect "installed zan-info reads the demo file" $?
"$prefix/bin/zan" --help | grep -q '^Usage: zan'; expect "installed zan starts" $?

# The examples print the title, the counts and one line per variable.
check_output() {  # description, output file
    grep -qx 'title: Sounding rocket flight, demo run' "$2"; expect "$1: title" $?
    grep -qx 'variables: 21' "$2"; expect "$1: variable count" $?
    grep -qx 'time 0.000 450.000' "$2"; expect "$1: range of time" $?
    [ "$(wc -l <"$2")" -eq 24 ]; expect "$1: one line per variable" $?
}

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
[ "$(pkg-config --modversion zan)" = 0.1 ]; expect "pkg-config knows the version" $?
[ "$(pkg-config --variable=prefix zan)" = "$prefix" ]; expect "pkg-config names the install prefix" $?
libdir=$(pkg-config --variable=libdir zan)
examples=$source/examples/library
cc -std=c99 -Wall -Wextra -Werror "$examples/print_ranges.c" $(pkg-config --cflags --libs zan) \
   -Wl,-rpath,"$libdir" -o "$work/c_pc"
expect "C example builds with pkg-config" $?
gfortran -Wall -Werror "$examples/print_ranges.f90" $(pkg-config --libs zan) -Wl,-rpath,"$libdir" -o "$work/f_pc"
expect "Fortran example builds with pkg-config" $?
"$work/c_pc" "$data" >"$work/c_pc.out"; expect "C example (pkg-config) runs" $?
"$work/f_pc" "$data" >"$work/f_pc.out"; expect "Fortran example (pkg-config) runs" $?
check_output "C example (pkg-config)" "$work/c_pc.out"
cmp -s "$work/c_pc.out" "$work/f_pc.out"; expect "C and Fortran examples print the same" $?
"$work/c_pc" "$work/data/missing.csv" >/dev/null 2>&1; [ $? -eq 1 ]; expect "C example reports a missing file" $?

cmake -S "$examples" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >"$work/cmake.log" 2>&1 &&
    cmake --build "$work/cmake" >>"$work/cmake.log" 2>&1
built=$?
expect "examples build with find_package(Zan)" $built
[ $built -eq 0 ] || cat "$work/cmake.log"
"$work/cmake/print_ranges" "$data" >"$work/c_cm.out"; expect "C example (CMake) runs" $?
"$work/cmake/print_ranges_f" "$data" >"$work/f_cm.out"; expect "Fortran example (CMake) runs" $?
cmp -s "$work/c_pc.out" "$work/c_cm.out" && cmp -s "$work/c_pc.out" "$work/f_cm.out"
expect "CMake-built examples print the same" $?

# The Python package: in the prefix's site-packages, where the interpreter
# finds it once the prefix is on its path, or by itself in the user's ~/.local.
if [ -n "$python" ]; then
    version=$("$python" -c 'import sys; print("%d.%d" % sys.version_info[:2])')
    site=$prefix/lib/python$version/site-packages
    [ -e "$site/zan/__init__.py" ]; expect "the Python package is installed in $site" $?
    ! grep -rqF "$build" "$site/zan"; expect "the Python package does not point into the build folder" $?
    read_run='import sys, zan
with zan.open(sys.argv[1]) as f:
    print(len(f.names), f.rows, f.range("time").upper, len(f.columns()))
    print(zan.__file__)'
    PYTHONPATH=$site "$python" -c "$read_run" "$data" >"$work/py.out" 2>&1
    expect "the installed package reads the demo file" $?
    [ "$(sed -n 1p "$work/py.out")" = "21 18001 450.0 21" ]; expect "the installed package gives the demo's figures" $?
    home=$work/home
    cmake --install "$build" --prefix "$home/.local" >"$work/user.log" 2>&1
    expect "install into ~/.local" $?
    (cd "$work" && env -u PYTHONPATH HOME="$home" "$python" -c "$read_run" "$data") >"$work/user.out" 2>&1
    expect "python3 finds the package in ~/.local by itself" $?
    grep -qx "$home/.local/lib/python$version/site-packages/zan/__init__.py" "$work/user.out"
    expect "the package found is the one in ~/.local" $?
fi

[ $failures -eq 0 ] && echo "all install checks passed"
exit $failures
