# Sourced by the file benchmarks: a scratch machine for the run, and the
# timing of a tool against its reference, taken in turn in the same run.
# Expects $work, $kivtool and $runs; time_once and compare expect $outs.

# use_bench_machine NAME: a fresh machine, on a memory file system when there
# is one (KIV_BENCH_MACHINE names another place); exports KIV_MACHINE.
use_bench_machine() {
    export KIV_MACHINE=${KIV_BENCH_MACHINE:-$( [ -d /dev/shm ] && echo /dev/shm || echo "$work")/$1}
    rm -rf "$KIV_MACHINE"
    "$kivtool" machine init "$KIV_MACHINE" > /dev/null
}

# time_once FUNCTION TOOL ARGS...: runs "FUNCTION TOOL ARGS... $outs/TOOL"
# into a fresh $outs/TOOL and prints "wall-seconds processor-seconds" (user
# and system time of the processes).
time_once() {
    local run=$1 tool=$2 TIMEFORMAT='%R %U %S'
    shift 2
    rm -rf "${outs:?}/$tool"
    mkdir -p "$outs/$tool"
    { time "$run" "$tool" "$@" "$outs/$tool"; } 2>&1 | tail -n 1 | awk '{ print $1, $2 + $3 }'
}

# compare FUNCTION ARGS...: the tools "reference" and "ours" in turn, $runs
# times each; prints "ref-wall ref-cpu ours-wall ours-cpu", each the best of
# its runs (the processor time is the steadier figure on a busy machine).
compare() {
    local run=$1 r o
    shift
    for _ in $(seq "$runs"); do
        r=$(time_once "$run" reference "$@")
        o=$(time_once "$run" ours "$@")
        echo "$r $o"
    done | awk 'NR == 1 || $1 < a { a = $1 } NR == 1 || $2 < b { b = $2 }
                NR == 1 || $3 < c { c = $3 } NR == 1 || $4 < d { d = $4 }
                END { print a, b, c, d }'
}
