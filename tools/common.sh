# Shared by the tools/ scripts: paths and the choice of the Windows flavour
# whose programs this host's Wine can run.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Wine runs PE32 programs only where the kernel executes 32-bit code; on hosts
# without it the same sources are run as PE32+ under 64-bit Wine.
host_runs_32bit() {
    wine --version >/dev/null 2>&1
}

runnable_flavour() {
    if [ -n "${TABLET_FLAVOUR:-}" ]; then echo "$TABLET_FLAVOUR"
    elif host_runs_32bit; then echo win32
    else echo win64
    fi
}

# One Xvfb for a whole run, with a fixed size so that tests know the display.
start_xvfb() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n
    for n in $(seq 90 140); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
    Xvfb ":$n" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2
    return 1
}

stop_xvfb() {
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
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
