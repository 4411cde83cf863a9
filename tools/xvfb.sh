# Sourced by the scripts that show the program on a virtual X server: starts one on the given
# display, exports DISPLAY, and stops it when the script ends.
start_xvfb() {
    Xvfb "$1" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
    export DISPLAY=$1
    sleep 1
}
