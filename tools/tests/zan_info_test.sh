#!/usr/bin/env bash
# Runs zan-info on the demo files and on bad input, checking its report and
# its exit status. Arguments: the zan-info program and the demo generator.
set -u
info=$1
generator=$2
folder=$(mktemp -d "${TMPDIR:-/tmp}/zaninfoXXXXXX")
trap 'rm -rf "$folder"' EXIT
failures=0

expect() {  # description, condition result
    if [ "$2" -ne 0 ]; then
        echo "FAILED: $1"
        failures=$((failures + 1))
    fi
}

"$generator" "$folder" >/dev/null || { echo "FAILED: demo generator"; exit 1; }

out=$("$info" "$folder/flight.bin" "$folder/flight_c.bin" "$folder/flight.dat" "$folder/flight.csv" \
      "$folder/flight2.csv")
expect "demo files load with exit status 0" $?
for k in 1 2 3 4 5; do
    grep -q "^File $k: " <<<"$out"; expect "report of file $k" $?
done
[ "$(grep -c '^  variables:    21$' <<<"$out")" -eq 4 ]; expect "21 variables in the first four files" $?
grep -q '^  variables:    22$' <<<"$out"; expect "22 variables in the second version" $?
grep -q '^  title:        Sounding rocket flight, demo run$' <<<"$out"; expect "title of the stream file" $?
grep -qi '^  title:        .*FLIGHT.DAT$' <<<"$out"; expect "title of the record file is its path" $?
grep -Eq '^ +22  heat_flux ' <<<"$out"; expect "the added variable is listed" $?
grep -Eq '^ +1  time +0 +450 +0 +1 +0 +450$' <<<"$out"; expect "range, shift and factor of time" $?

printf 'not,a\n' >"$folder/empty.csv"
: >"$folder/nothing.csv"
out=$("$info" "$folder/flight.csv" "$folder/missing.bin" "$folder/nothing.csv" 2>/dev/null)
[ $? -eq 1 ]; expect "a failed file gives exit status 1" $?
grep -q '^File 3: ' <<<"$out"; expect "files after a failed one are still reported" $?
grep -q 'No such file' <<<"$out"; expect "a missing file names the system's reason" $?

printf "a\n" > "$folder/noext"; "$info" "$folder/noext" | grep -q "no reader chosen"; expect "a path without a dot is explained" $?

"$info" >/dev/null 2>&1
[ $? -eq 2 ]; expect "no file is a usage error" $?
"$info" --help | grep -q '^usage: zan-info FILE'; expect "--help prints the usage" $?

[ $failures -eq 0 ] && echo "all zan-info checks passed"
exit $failures
