#!/usr/bin/env bash
# End-to-end checks of korvane-batch: the table of lines in lines.table, then exit statuses,
# messages, answers through a FIFO, the round trip through a pipe, and the help and man page.
# Usage: check-batch.sh KORVANE_BATCH
set -uo pipefail
batch=$1
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
passes=0

pass() { passes=$((passes + 1)); }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# The table: each case is one run on a file holding its input.
while IFS= read -r case; do
    case "$case" in '' | '#'*) continue ;; esac
    arguments=${case%% | *}
    rest=${case#* | }
    input=${rest%% | *}
    expected=${rest#* | }
    printf '%b\n' "$input" >"$work/in"
    printf '%b\n' "$expected" >"$work/expected"
    eval "set -- $arguments"
    "$batch" "$@" "$work/in" >"$work/out" 2>"$work/err"
    status=$?
    wanted=0
    grep -qP '(^|\t|,)Error(\t|,)' "$work/expected" && wanted=1
    if ! cmp -s "$work/expected" "$work/out"; then
        fail "$arguments | $input"; diff "$work/expected" "$work/out" | head -n 6
    elif [ "$status" -ne "$wanted" ]; then
        fail "$arguments | $input: exit status $status, expected $wanted"
    elif [ "$wanted" -eq 1 ] && ! grep -q "^korvane-batch: $work/in line [0-9]*: " "$work/err"; then
        fail "$arguments | $input: no message naming the line"; cat "$work/err"
    else
        pass
    fi
done <"$here/lines.table"

check_status() { # name, expected exit status, command...
    local name=$1 status=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local actual=$?
    if [ "$actual" -eq "$status" ]; then pass; else
        fail "$name: exit status $actual, expected $status"; cat "$work/err"
    fi
}

expect_in() { # name, file, text that it must hold
    if grep -qF -- "$3" "$2"; then pass; else fail "$1: $(basename "$2") lacks '$3'"; cat "$2"; fi
}

printf '45,3\n' >"$work/a.csv"
printf -- '-33.86,151.21\n' >"$work/b.csv"

# An input that cannot be read is named, and the others are still converted: status 2.
check_status "an unreadable input among several" 2 \
    "$batch" to-utm "$work/a.csv" "$work/no-such-file" "$work" "$work/b.csv"
expect_in "missing file named" "$work/err" "cannot open $work/no-such-file: No such file"
expect_in "folder named" "$work/err" "cannot read $work: Is a directory"
[ "$(wc -l <"$work/out")" -eq 2 ] && pass || fail "the readable inputs were not all converted"

# "-" is standard input, in its place among the files.
"$batch" to-utm "$work/a.csv" - "$work/a.csv" <"$work/b.csv" >"$work/out"
[ "$(cut -f1 "$work/out" | tr '\n' ' ')" = "31 56 31 " ] && pass || fail "standard input as -"

# Output that cannot be written is a failure, never a success cut short: status 3.
"$batch" to-utm "$work/a.csv" >/dev/full 2>"$work/err"
status=$?
[ "$status" -eq 3 ] && pass || fail "/dev/full: exit status $status, expected 3"
expect_in "/dev/full named" "$work/err" "cannot write the output: No space left on device"
# When the output fails, the lines answered before it are named as one job names them.
{ echo 1,x; for i in $(seq 3000); do echo 10,20; echo 11,x; done; } >"$work/failing.csv"
"$batch" to-utm --jobs 1 "$work/failing.csv" >/dev/full 2>"$work/err-one"
for jobs in 2 3; do
    "$batch" to-utm --jobs "$jobs" "$work/failing.csv" >/dev/full 2>"$work/err-jobs"
    cmp -s "$work/err-one" "$work/err-jobs" && pass ||
        fail "/dev/full: the messages of --jobs $jobs differ from those of --jobs 1"
done
# A reader that goes away early: status 3 and the message, as for any failed write, not death by
# SIGPIPE (the shell's own handling of the signal is left as it is).
yes 45,3 | head -n 200000 >"$work/many.csv"
(
    "$batch" to-utm "$work/many.csv" 2>"$work/pipe.err"
    echo $? >"$work/pipe.status"
) | head -n 1 >/dev/null
[ "$(cat "$work/pipe.status")" -eq 3 ] && pass || fail "closed pipe: status $(cat "$work/pipe.status")"
expect_in "closed pipe named" "$work/pipe.err" "cannot write the output: Broken pipe"

# An input that is the output file would be read on into its own answers: refused as cat refuses
# it, the file untouched, the other inputs converted. A file size limit stops the run should the
# refusal fail.
cp "$work/a.csv" "$work/same.csv"
(
    ulimit -f 100
    "$batch" to-utm "$work/same.csv" "$work/b.csv" >>"$work/same.csv" 2>"$work/err"
    echo $? >"$work/same.status"
    "$batch" to-utm <"$work/same.csv" >>"$work/same.csv" 2>"$work/err-stdin"
    echo $? >"$work/same-stdin.status"
)
[ "$(cat "$work/same.status") $(cat "$work/same-stdin.status")" = "2 2" ] && pass ||
    fail "input file is output file: statuses $(cat "$work/same.status") $(cat "$work/same-stdin.status")"
expect_in "input file is output file" "$work/err" "korvane-batch: $work/same.csv: input file is output file"
expect_in "standard input is output file" "$work/err-stdin" "korvane-batch: standard input: input file is output file"
[ "$(cut -f1 "$work/same.csv" | tr '\n' ' ')" = "45,3 56 " ] && pass ||
    fail "input file is output file: the file holds $(cat "$work/same.csv")"

# Threads that cannot be started: the run converts with those that could, says so once, and gives
# the bytes of one job. A user's process limit (which root would not feel) and, where no
# sanitizer reserves address space, a small address space.
"$batch" to-utm --jobs 1 "$work/many.csv" >"$work/one-job.out" 2>/dev/null
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
    chmod 755 "$work"
    chmod 644 "$work/many.csv"
    runuser -u nobody -- bash -c 'ulimit -u 3; exec "$0" to-utm --jobs 8 "$1"' "$batch" \
        "$work/many.csv" >"$work/limited.out" 2>"$work/limited.err"
    status=$?
    [ "$status" -eq 0 ] && cmp -s "$work/one-job.out" "$work/limited.out" && pass ||
        fail "under a process limit: status $status"
    [ "$(grep -c 'jobs could be started' "$work/limited.err")" -eq 1 ] && pass ||
        fail "under a process limit, the message: $(cat "$work/limited.err")"
fi
# grep reads all of ldd's output: one that stopped at the first match could end ldd by
# SIGPIPE, which pipefail would take for "no sanitizer".
if ! ldd "$batch" 2>/dev/null | grep libasan >/dev/null; then
    (ulimit -v 100000; "$batch" to-utm --jobs 16 "$work/a.csv" >"$work/limited.out" 2>"$work/limited.err")
    status=$?
    [ "$status" -eq 0 ] && [ "$(cut -f1 "$work/limited.out")" = 31 ] && pass ||
        fail "in a small address space: status $status"
    expect_in "in a small address space" "$work/limited.err" "jobs could be started"
    # Where the threads' stacks leave too little memory to convert a large file, the run says so
    # and its status says the output is incomplete.
    (ulimit -v 100000; "$batch" to-utm --jobs 16 "$work/many.csv" >/dev/null 2>"$work/limited.err")
    status=$?
    [ "$status" -eq 0 ] || { [ "$status" -eq 3 ] &&
        grep -q "out of memory: the output is incomplete" "$work/limited.err"; } && pass ||
        fail "out of memory: status $status, $(tail -n 1 "$work/limited.err")"
fi

# Standard input handed over in non-blocking mode is waited for, line by line, not given up on.
/usr/bin/python3 - "$batch" >"$work/nonblocking.out" 2>&1 <<'PYTHON'
import fcntl, os, subprocess, sys, time
read_end, write_end = os.pipe()
fcntl.fcntl(read_end, fcntl.F_SETFL, fcntl.fcntl(read_end, fcntl.F_GETFL) | os.O_NONBLOCK)
run = subprocess.Popen([sys.argv[1], "to-utm", "--jobs", "1"], stdin=read_end,
                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
os.close(read_end)
for point in (b"45,3\n", b"-33.86,151.21\n"):
    time.sleep(0.3)
    os.write(write_end, point)
os.close(write_end)
output, _ = run.communicate(timeout=20)
sys.stdout.write(output.decode() + "status %d\n" % run.returncode)
PYTHON
[ "$(cut -f1 "$work/nonblocking.out" | tr '\n' ' ')" = "31 56 status 0 " ] && pass ||
    fail "non-blocking standard input: $(cat "$work/nonblocking.out")"

# A wrong command line: usage and status 2.
check_status "unknown datum" 2 "$batch" to-utm --datum "WGS 48" "$work/a.csv"
expect_in "datum names listed" "$work/err" "Everest 1830"
check_status "unknown direction" 2 "$batch" sideways
check_status "unknown option" 2 "$batch" to-utm --frobnicate "$work/a.csv"
expect_in "usage given" "$work/err" "Usage: korvane-batch to-utm [OPTION]... [FILE]..."
expect_in "usage pointed to" "$work/err" "Try 'korvane-batch --help'."
check_status "-- ends the options" 2 "$batch" to-utm -- --datum
expect_in "-- ends the options" "$work/err" "cannot open --datum"
check_status "version" 0 "$batch" --version
expect_in "version" "$work/out" "korvane-batch 1.0"

# --help and the man page name the same options and exit statuses.
check_status "help" 0 "$batch" --help
cp "$work/out" "$work/help"
help_options=$(grep -oE -- '--[a-z][a-z-]*' "$work/help" | sort -u)
man_options=$(sed 's/\\-/-/g' "$top/batch/korvane-batch.1" | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ "$help_options" = "$man_options" ] && pass ||
    fail "--help and the man page differ in options: $(diff <(echo "$help_options") <(echo "$man_options") | grep '^[<>]' | tr '\n' ' ')"
for status in 0 1 2 3; do
    grep -qE "^  $status  " "$work/help" && grep -qE "^\.B $status$" "$top/batch/korvane-batch.1" &&
        pass || fail "exit status $status not documented in both"
done

# A FIFO is answered line by line: each answer comes while the writer still holds it open,
# with one job and with several.
for jobs in 1 2; do
    rm -f "$work/fifo-in" "$work/fifo-out"
    mkfifo "$work/fifo-in" "$work/fifo-out"
    "$batch" to-utm --jobs "$jobs" "$work/fifo-in" >"$work/fifo-out" 2>/dev/null &
    pids+=($!)
    exec 4<"$work/fifo-out" 3>"$work/fifo-in"
    answers=""
    for point in 45,3 -33.86,151.21; do
        echo "$point" >&3
        IFS= read -r -t 20 answer <&4 || answer="(none within 20 seconds)"
        answers+="${answer%%$'\t'*} "
    done
    exec 3>&-
    wait "${pids[-1]}" && pass || fail "FIFO run with $jobs jobs failed"
    exec 4<&-
    [ "$answers" = "31 56 " ] && pass || fail "FIFO not answered line by line with $jobs jobs: $answers"
done

# The answers to one input go out before the next input is opened, which may wait (a FIFO).
rm -f "$work/fifo-in" "$work/fifo-out"
mkfifo "$work/fifo-in" "$work/fifo-out"
"$batch" to-utm "$work/a.csv" "$work/fifo-in" >"$work/fifo-out" 2>/dev/null &
pids+=($!)
exec 4<"$work/fifo-out"
IFS= read -r -t 20 answer <&4 || answer="(none within 20 seconds)"
exec 3>"$work/fifo-in"
exec 3>&-
wait "${pids[-1]}"
exec 4<&-
[ "${answer%%$'\t'*}" = "31" ] && pass || fail "the first input's answers waited for the next: $answer"

# Any number of jobs gives the same output, messages and exit status as one, from a file and
# from a pipe: points, Error lines, a header and comments, in blocks of every size.
awk 'BEGIN {
    print "lat,lon"; srand(7)
    for (i = 0; i < 30000; i++) {
        if (i % 997 == 0) print "# comment " i; else if (i % 499 == 0) print "not a point";
        else printf "%.7f,%.7f\n", rand() * 160 - 80, rand() * 360 - 180
    }
}' >"$work/many.csv"
"$batch" to-utm --jobs 1 "$work/many.csv" >"$work/one.out" 2>"$work/one.err"
one_status=$?
for jobs in 2 3 8; do
    "$batch" to-utm --jobs "$jobs" "$work/many.csv" >"$work/jobs.out" 2>"$work/jobs.err"
    status=$?
    cmp -s "$work/one.out" "$work/jobs.out" && cmp -s "$work/one.err" "$work/jobs.err" &&
        [ "$status" -eq "$one_status" ] && pass || fail "--jobs $jobs differs from --jobs 1"
    cat "$work/many.csv" | "$batch" to-utm -j "$jobs" >"$work/jobs.out" 2>/dev/null
    cmp -s "$work/one.out" "$work/jobs.out" && pass || fail "--jobs $jobs from a pipe differs"
done
[ "$one_status" -eq 1 ] && pass || fail "a run with Error lines exited $one_status"
check_status "--jobs 0" 2 "$batch" to-utm --jobs 0 "$work/many.csv"
expect_in "--jobs 0 named" "$work/err" "--jobs takes a number of threads from 1 to 256, not '0'"

# GNU parallel splits a file into pieces, runs korvane-batch on each (here locally; with -S on
# other hosts too) and puts the answers together in order: the same bytes as one run.
if command -v parallel >/dev/null; then
    tail -n +2 "$work/many.csv" >"$work/no-header.csv"
    "$batch" to-utm "$work/no-header.csv" >"$work/one.out" 2>/dev/null
    parallel --will-cite --pipe --keep-order --block 100k "$batch" to-utm --jobs 1 \
        <"$work/no-header.csv" >"$work/parallel.out" 2>/dev/null
    cmp -s "$work/one.out" "$work/parallel.out" && pass || fail "GNU parallel's output differs"
else
    fail "GNU parallel (Debian package parallel) is not installed"
fi

# The round trip: to-utm's output, header and all, is to-latlong's input.
printf 'lat,lon\n33.86S,151.21E\n15:52:31.11N,44:5:16.11E\n-0,0\n45,3\n' >"$work/points.csv"
"$batch" to-utm "$work/points.csv" | "$batch" to-latlong >"$work/back" 2>"$work/err"
statuses="${PIPESTATUS[*]}"
[ "$statuses" = "0 0" ] && pass || fail "round trip statuses: $statuses"
cut -f 10,11 "$work/back" >"$work/back-degrees"
printf '%b\n' 'latitude\tlongitude' '-33.860000002\t151.209999957' '15.875308338\t44.087808327' \
    '0.000000000\t0.000000959' '44.999999997\t3.000000000' >"$work/back-expected"
cmp -s "$work/back-degrees" "$work/back-expected" && pass ||
    { fail "round trip"; diff "$work/back-expected" "$work/back-degrees"; }

# What to-utm writes, to-latlong reads: a point a hair south of the equator by its grid
# reference, and a line whose own fields hold commas.
printf -- '-0.00000001,3\n' | "$batch" to-utm | cut -f6 | "$batch" to-latlong >"$work/back" 2>"$work/err"
statuses="${PIPESTATUS[*]}"
[ "$statuses" = "0 0 0 0" ] && pass || { fail "the equator's grid reference read back: $statuses"; cat "$work/err"; }
printf 'name,lat,lon\n"Paris, FR",48.8566,2.3522\n' | "$batch" to-utm --fields 2,3 |
    "$batch" to-latlong --fields 4-9 >"$work/back" 2>"$work/err"
statuses="${PIPESTATUS[*]}"
[ "$statuses" = "0 0 0" ] && [ "$(tail -n 1 "$work/back" | cut -f1,10-13)" = $'Paris, FR\t48\t51\t23.76\tN' ] &&
    pass || { fail "--fields output read back: $statuses"; cat "$work/back" "$work/err"; }

# The standard grid there and back: random points over the globe, the poles and the exception
# zones included, come back within a millimetre on the ground (the grid is written to the
# millimetre), whatever the number of jobs.
awk 'BEGIN { srand(11); for (i = 0; i < 20000; i++) printf "%.9f,%.9f\n", rand() * 180 - 90, rand() * 360 - 180 }' \
    >"$work/globe.csv"
for jobs in 1 3; do
    "$batch" to-utm --grid=standard --jobs "$jobs" "$work/globe.csv" |
        "$batch" to-latlong --grid=standard --output=degrees --jobs "$jobs" |
        paste -d, "$work/globe.csv" - | awk -F'[,\t]' '{
            dlat = $1 - $3; dlon = $2 - $4; if (dlon > 180) dlon -= 360; if (dlon < -180) dlon += 360
            metres = 111320 * sqrt(dlat * dlat + (dlon * cos($1 * 3.14159265358979 / 180)) ^ 2)
            if (metres > 0.001 || NF != 4) { bad++; if (bad < 4) print "  " $0 }
        } END { exit bad > 0 }' && pass || fail "the standard grid's round trip with $jobs jobs"
done

# Datum shifts, where the build has PROJ: each position shifted as cs2cs shifts it, then on the
# standard grid within a millimetre of PROJ's own transverse Mercator on that datum's ellipsoid;
# and back to where it came from within a centimetre (a shift drops the height that the datums'
# ellipsoids put between them, in either direction). The datum, with the axes its ellipsoid has
# in EPSG's dataset. A build with datum shifts has their plugin beside the program.
if [ -e "$(dirname "$batch")/korvane-datum-shift.so" ]; then
    while read -r code latitude longitude; do
        "$batch" to-utm --grid=standard --from EPSG:4326 --datum "EPSG:$code" --quiet \
            <<<"$latitude,$longitude" >"$work/shifted" 2>"$work/err"
        read -r zone hemisphere easting northing _ <"$work/shifted"
        ellipsoid=$(projinfo -o PROJ "EPSG:$code" | tail -n 1 | tr ' ' '\n' | grep -E '^\+(ellps|datum|a|b|rf)=')
        south=$([ "$hemisphere" = S ] && echo +south)
        read -r expected_easting expected_northing _ < <(
            echo "$latitude $longitude" | cs2cs -f %.12f EPSG:4326 "EPSG:$code" |
                awk '{ print $2, $1 }' | proj -f %.4f +proj=utm +zone="$zone" $south $ellipsoid)
        awk -v e="$easting" -v n="$northing" -v ee="$expected_easting" -v en="$expected_northing" \
            'BEGIN { d = (e - ee) ^ 2 + (n - en) ^ 2; exit !(d < 1e-6 && ee != "") }' && pass ||
            fail "EPSG:4326 to EPSG:$code at $latitude,$longitude: $easting $northing, cs2cs and proj give $expected_easting $expected_northing; $(cat "$work/err")"
        "$batch" to-latlong --grid=standard --datum "EPSG:$code" --to EPSG:4326 --output=degrees \
            --quiet "$work/shifted" | awk -v a="$latitude" -v o="$longitude" -F'\t' \
            '{ exit !((($1 - a) ^ 2 + (($2 - o) * cos(a / 57.29578)) ^ 2) * 111320 ^ 2 < 1e-4) }' &&
            pass || fail "EPSG:$code back to EPSG:4326 at $latitude,$longitude"
    done <<'PAIRS'
4230 48.8566 2.3522
4230 40.4168 -3.7038
4267 40.7128 -74.006
4267 39.7392 -104.9903
4277 51.5 -0.12
4277 55.9533 -3.1883
4284 55.7558 37.6173
4210 -1.2921 36.8219
4201 15.5007 32.5599
4240 13.7563 100.5018
4301 35.6762 139.6503
4202 -37.8136 144.9631
PAIRS
    # Outside the transformations' areas of use an Error, unless asked all the same.
    check_status "outside the area of use" 1 "$batch" to-utm --from "WGS 84" --datum ED50 "$work/b.csv"
    expect_in "outside the area of use" "$work/out" "is outside the area of use of every transformation"
    check_status "outside the area of use, all the same" 0 \
        "$batch" to-utm --from "WGS 84" --datum ED50 --outside-area "$work/b.csv"
    # The run names the datums and the ellipsoid with its exact axes (the windows' list rounds
    # Clarke 1880's), then the transformation used.
    printf -- '-1.2921,36.8219\n' >"$work/nairobi.csv"
    check_status "the datums named" 0 "$batch" to-utm --from WGS84 --datum "Arc 1960" "$work/nairobi.csv"
    expect_in "the datum's ellipsoid" "$work/err" "ellipsoid Clarke 1880 (RGS) (a = 6378249.1450 m"
    expect_in "the transformation used" "$work/err" "1 point shifted by"
    check_status "unknown datum" 2 "$batch" to-utm --from WGS84 --datum ED5O "$work/a.csv"
    expect_in "unknown datum" "$work/err" "projinfo --list-crs"
    check_status "--from without --datum" 2 "$batch" to-utm --from WGS84 "$work/a.csv"
    "$batch" to-utm --from WGS84 --datum WGS84 --quiet "$work/a.csv" >"$work/out" 2>"$work/err"
    [ ! -s "$work/err" ] && pass || fail "--quiet still said: $(cat "$work/err")"
    # A program without its plugin converts as ever, and says why it cannot shift.
    mkdir "$work/alone" && cp "$batch" "$work/alone/"
    check_status "no plugin, no shift asked" 0 "$work/alone/$(basename "$batch")" to-utm "$work/a.csv"
    check_status "no plugin" 2 "$work/alone/$(basename "$batch")" to-utm --from WGS84 --datum ED50 "$work/a.csv"
    expect_in "no plugin" "$work/err" "datum shifts need Korvane's datum shift plugin, which could not be loaded"
fi

echo "batch: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
