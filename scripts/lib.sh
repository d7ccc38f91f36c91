# Shared by the scripts: where things are, and the Wine environment.
# shellcheck shell=bash
ORV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$ORV_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"

say() { printf '%s\n' "$*" >&2; }

# Starts the project's wineserver in persistent mode (one for a whole run).
wine_server_start() {
    # A fresh server for the run: an old one (persistent, or still shutting
    # down) would stall the next start.
    wine_server_stop
    wineserver -p >/dev/null 2>&1 || true
    wine cmd /c exit >/dev/null 2>&1 || true   # warm-up: later starts are fast
}

wine_server_stop() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}

# Makes drive letter $1 stand for host folder $2 in the prefix.
wine_map_drive() {
    mkdir -p "$2"
    ln -sfn "$(cd "$2" && pwd)" "$WINEPREFIX/dosdevices/$1:"
}

# True when $DISPLAY names an X server that answers.
have_display() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# The words that run a program on a Wine desktop of its own, drawn on
# $DISPLAY by the x11 driver while the prefix's default desktop keeps the
# null driver: the choice holds for that run alone and needs no restart of
# the server. The desktop is a square of side $2, so that the emulated
# screen fits in both orientations. Then the program's Windows path.
on_x11_desktop() {  # NAME SIDE
    printf '%s\n' explorer "/desktop=$1,$2x$2,x11"
}

# Writes one animated GIF ($1) of the PNG frames that follow, 50 ms each.
# Debian's ImageMagick policy caps the pixel cache at 256 MiB of memory and
# 1 GiB of disk, too little for a few hundred frames of a screen: these
# runs may take more. Extra convert options go in GIF_OPTIONS.
frames_to_gif() {  # OUT.gif FRAME...
    local out=$1 policy
    shift
    policy=$(mktemp -d)
    cat >"$policy/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="memory" value="2GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
  <policy domain="resource" name="disk" value="4GiB"/>
</policymap>
POLICY
    # shellcheck disable=SC2086  # the options are words
    if ! MAGICK_CONFIGURE_PATH="$policy" /usr/bin/convert -delay 5 -loop 0 "$@" ${GIF_OPTIONS:-} -layers Optimize \
        "$out"; then
        rm -rf "$policy"
        return 1
    fi
    rm -rf "$policy"
}
