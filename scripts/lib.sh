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
