# Sourced by the scripts that show the program on a virtual X server: starts one on a display
# that no other X server uses, exports DISPLAY, and stops it when the script ends.
start_xvfb() {
    local number
    number=$(mktemp)
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [ -s "$number" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$number" ] || { rm -f "$number"; echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(tr -d '\n' <"$number")
    rm -f "$number"
}
