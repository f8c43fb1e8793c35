# Sourced by the file benchmarks: a scratch machine for the run, and the
# timing of tools against one another, taken in turn in the same run.
# Expects $work, $kivtool and $runs; time_once and the compare functions
# expect $outs.
#
# Two traps of a shared machine are kept out of the figures: deleting the
# thousands of files of the last run right before a timed run (the host
# frees their pages while the next run writes), so the last output is moved
# aside and deleted between rounds, with the disk synced; and the order of
# the tools (the first of a round meets a colder cache and the writeback of
# the round before), so the rounds alternate the order.

# use_bench_machine NAME: a fresh machine, on a memory file system when there
# is one (KIV_BENCH_MACHINE names another place, such as a folder on disk);
# exports KIV_MACHINE.
use_bench_machine() {
    export KIV_MACHINE=${KIV_BENCH_MACHINE:-$( [ -d /dev/shm ] && echo /dev/shm || echo "$work")/$1}
    rm -rf "$KIV_MACHINE"
    "$kivtool" machine init "$KIV_MACHINE" > /dev/null
}

# time_once FUNCTION TOOL ARGS...: runs "FUNCTION TOOL ARGS... $outs/TOOL"
# into an empty $outs/TOOL and prints "wall-seconds processor-seconds" (user
# and system time of the processes). The last output of TOOL is moved aside.
time_once() {
    local run=$1 tool=$2 TIMEFORMAT='%R %U %S'
    shift 2
    [ -e "$outs/$tool" ] && mv "$outs/$tool" "$(mktemp -u "$outs/.old-XXXXXX")"
    mkdir -p "$outs/$tool"
    { time "$run" "$tool" "$@" "$outs/$tool"; } 2>&1 | tail -n 1 | awk '{ print $1, $2 + $3 }'
}

# Deletes the outputs moved aside and lets the disk write back, untimed.
between_rounds() {
    rm -rf "$outs"/.old-*
    sync
}

# compare_tools FUNCTION "TOOL..." ARGS...: $runs rounds, each running every
# tool once, in the order given in odd rounds and reversed in even ones.
# Prints one line per tool, in the order given: "TOOL best-wall best-cpu
# worst-wall" (the processor time is the steadier figure on a busy machine;
# best and worst wall time give the spread).
compare_tools() {
    local run=$1 tools=$2 round tool order
    shift 2
    for round in $(seq "$runs"); do
        order=$tools
        [ $((round % 2)) = 0 ] && order=$(echo "$tools" | tr ' ' '\n' | tac | tr '\n' ' ')
        for tool in $order; do
            echo "$tool $(time_once "$run" "$tool" "$@")"
        done
        between_rounds
    done | awk -v tools="$tools" '
        !($1 in best) || $2 < best[$1] { best[$1] = $2 }
        !($1 in cpu) || $3 < cpu[$1] { cpu[$1] = $3 }
        !($1 in worst) || $2 > worst[$1] { worst[$1] = $2 }
        END { n = split(tools, t, " "); for (i = 1; i <= n; i++) print t[i], best[t[i]], cpu[t[i]], worst[t[i]] }'
}

# compare FUNCTION ARGS...: the tools "reference" and "ours"; prints
# "ref-wall ref-cpu ours-wall ours-cpu", each the best of its runs.
compare() {
    local run=$1
    shift
    compare_tools "$run" "reference ours" "$@" | awk '{ printf "%s %s ", $2, $3 } END { print "" }'
}
