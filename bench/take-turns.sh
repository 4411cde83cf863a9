# Sourced by the benchmark scripts: times commands that take turns within each round, so that a
# slow spell of the machine falls on all of them alike and the ratios hold.
#
# take_turns RUNS: runs the commands of the arrays `commands` (texts for eval) RUNS times over,
# one after another in each round, and sets for each name of the array `names` a variable of that
# name to the command's median time in seconds. The clock is bash's own and the commands run
# without a shell of their own, so that a time holds the tool's process and nothing of the
# timing's.
take_turns() {
    local rounds=$1 round i name times
    times=$(
        set -e # a command that fails ends the run, as outside this substitution
        for ((round = 0; round < rounds; round++)); do
            for i in "${!commands[@]}"; do
                local start=$EPOCHREALTIME
                eval "${commands[$i]}" >/dev/null
                local end=$EPOCHREALTIME
                echo "${names[$i]} $(echo "$end - $start" | bc -l)"
            done
        done
    )
    for name in "${names[@]}"; do
        printf -v "$name" '%s' "$(awk -v name="$name" '$1 == name { print $2 }' <<<"$times" |
            median_seconds)"
    done
}

# The median of the times in seconds on standard input, one a line, to the millisecond.
median_seconds() {
    sort -g | awk '{ t[NR] = $1 } END { printf "%.3f\n", t[int((NR + 1) / 2)] }'
}
