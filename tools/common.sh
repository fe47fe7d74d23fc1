# Shared by the tools/ scripts: paths, the choice of the Windows flavour this
# host runs, the display and the Wine keeper.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Wine runs PE32 programs only where the kernel executes 32-bit code (on some
# hosts IA-32 emulation is switched off) and 32-bit Wine is installed. The
# 32-bit loader itself is asked: Debian's `wine` falls back to the 64-bit one.
host_runs_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Decides, once and after bootstrap has installed Wine, which flavours'
# Windows programs this host runs. Every host runs win64 (the sources as
# PE32+, under 64-bit Wine); one that runs 32-bit code runs win32 (the PE32
# program that ships) as well. Sets `flavours`, the flavours whose tests run
# here, each with a line of `flavours_reason`; and `flavour`, the one that
# runs what runs once (tools/run, the heap checks, the tour): win32 where it
# can. TABLET_FLAVOUR=win32|win64 narrows the run to that one flavour. Exports
# TABLET_FLAVOUR and TABLET_FLAVOURS so that the scripts this one starts agree.
choose_flavour() {
    "$root/tools/bootstrap" >&2 || return 1
    if [ -n "${TABLET_FLAVOURS:-}" ]; then
        flavours=$TABLET_FLAVOURS
        flavour=${TABLET_FLAVOUR:-${flavours%% *}}
        flavour_reason="as TABLET_FLAVOURS lists"
    elif [ -n "${TABLET_FLAVOUR:-}" ]; then
        flavour=$TABLET_FLAVOUR
        flavours=$flavour
        flavour_reason="chosen by TABLET_FLAVOUR"
    elif host_runs_32bit; then
        flavour=win32
        flavours="win32 win64"
        flavour_reason="this host runs 32-bit code, so the PE32 program itself is tested, and the same sources as PE32+"
    else
        flavour=win64
        flavours=win64
        flavour_reason="this host's kernel cannot execute 32-bit code, so the same sources run as PE32+ only"
    fi
    export TABLET_FLAVOUR=$flavour TABLET_FLAVOURS=$flavours
}

# The PE format of a flavour's programs, as the run's lines name it.
flavour_format() {  # flavour
    case $1 in win32) echo "PE32, i686" ;; *) echo "PE32+, x86_64" ;; esac
}

# Configures a preset. A build folder whose recorded toolchain file no longer
# exists (it was renamed or removed) cannot configure again: its record of the
# target system is dropped so that CMake inspects the system again with the
# current toolchain file, keeping what was built.
configure_preset() {  # preset [cmake options...]
    local preset=$1 system included
    shift
    for system in "$root/build/$preset"/CMakeFiles/*/CMakeSystem.cmake; do
        [ -f "$system" ] || continue
        included=$(sed -nE 's/^include\("(.*)"\)$/\1/p' "$system")
        if [ -n "$included" ] && [ ! -f "$included" ]; then
            echo "configure: $preset: $included is gone; inspecting the target system again" >&2
            rm -rf "$(dirname "$system")"
        fi
    done
    cmake --preset "$preset" "$@"
}

# One Xvfb for a run of Windows programs, of a given size (default
# 1024x768) at 96 DPI; tests compute what depends on the display from it.
start_xvfb() {  # [WIDTHxHEIGHT]
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n size=${1:-1024x768}
    for n in $(seq 90 140); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
    Xvfb ":$n" -screen 0 "${size}x24" -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2
    return 1
}

stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        unset DISPLAY
    fi
    xvfb_pid=
}

# Starts the sleeping keeper of a build's Wine prefix in a session of its own
# and waits until Wine answers, so that no test starts Wine's background
# processes with the test runner's pipes (they would hold it until time-out).
start_wine_keeper() {  # builddir
    local keeper=$1/bin/wine_keeper.exe
    setsid "$root/tools/wine-run" "$keeper" >/dev/null 2>&1 </dev/null &
    keeper_pid=$!
    for _ in $(seq 300); do pgrep -f wine_keeper.exe >/dev/null && break; sleep 0.1; done
    "$root/tools/wine-run" "$keeper" --ping >/dev/null 2>&1 </dev/null
}

stop_wine_keeper() {  # builddir
    WINEPREFIX=$1/wineprefix wineserver -k 2>/dev/null
    [ -n "${keeper_pid:-}" ] && kill -- "-$keeper_pid" 2>/dev/null
    keeper_pid=
}

# The test programs of a build's last ctest run that failed without having
# started: a GoogleTest program whose output lacks its "Running" banner. Wine,
# rarely and under load, fails to start a process; such a test is run once
# more. A test that started and then failed is never listed. One name a line.
unstarted_failures() {  # builddir
    local log=$1/Testing/Temporary/LastTest.log
    [ -f "$log" ] || return 0
    awk '
        /^[0-9]+\/[0-9]+ Test: / { name = $3; gtest = 0; started = 0; next }
        /^Command: / { gtest = ($0 ~ /_test\.exe"/) }
        /^\[==========\] Running / { started = 1 }
        /^Test (Failed|Passed)/ { if ($2 != "Passed." && gtest && !started) print name; name = "" }
    ' "$log"
}

# The passed and failed counts of the last summary line of a ctest log, as
# "P F"; nothing when the log has none.
ctest_counts() {  # log
    grep -aE '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1 |
        sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\1 \2/' | awk '{ print $2 - $1, $1 }'
}

# Runs the listed tests once more (see unstarted_failures), appending to a
# log; prints the rerun's counts as ctest_counts does.
rerun_unstarted() {  # preset log names...
    local preset=$1 log=$2 pattern
    shift 2
    pattern="^($(printf '%s|' "$@" | sed 's/|$//; s/\./\\./g'))\$"
    echo "tests whose program did not start under Wine, run once more: $*" >>"$log"
    ctest --preset "$preset" -V -j1 -R "$pattern" >>"$log" 2>&1
    ctest_counts "$log"
}

# The GoogleTest cases of a ctest -V log, as "P F": every case that ran and
# passed, and every case that failed; a test program that failed without a
# failed case of its own (it crashed, hung or did not start) counts as one
# failed case. A test run again later in the same log (see rerun_unstarted)
# counts with its last result.
gtest_counts() {  # log
    awk '
        /^[0-9]+: \[       OK \] / { split($1, n, ":"); ok[n[1]]++; next }
        /^[0-9]+: \[  FAILED  \] .*\([0-9]+ ms\)/ { split($1, n, ":"); bad[n[1]]++; next }
        / Test +#[0-9]+: / {
            match($0, /#[0-9]+:/); t = substr($0, RSTART + 1, RLENGTH - 2)
            status[t] = ($0 ~ / Passed /) ? "passed" : "failed"
        }
        END {
            for (t in ok) good += ok[t]
            for (t in bad) failed += bad[t]
            for (t in status) if (status[t] == "failed" && !bad[t]) failed++
            print good + 0, failed + 0
        }
    ' "$1"
}
