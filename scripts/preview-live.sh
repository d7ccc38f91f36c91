# shellcheck shell=bash
# scripts/preview without --gif: the emulator in a window on $DISPLAY,
# following every save in the folder. Sourced by scripts/preview after the
# installation.

first_page() {  # the --page override, kept over every copy of the setting file
    [ ${#pages[@]} -eq 0 ] || set_first_page "${pages[0]}"
}

# The save being applied: when its first event came (ns), for the report.
saved_at=$tmp/saved-at

# The emulator's answers; the one to a reload tells how long it took.
report() {
    set +e   # a line it cannot read is passed over, never the end of the report
    local line t0 now
    while IFS= read -r line; do
        line=${line%$'\r'}
        case $line in
        "ok quit") : >"$tmp/ended" ;;
        "ok reloadsetting"*)
            t0=$(cat "$saved_at" 2>/dev/null || echo 0)
            now=$(date +%s%N)
            [ "$t0" -gt 0 ] && line="preview: reloaded $(((now - t0) / 1000000)) ms after the save"
            rm -f "$saved_at"   # a reload typed in is no save's
            ;;
        esac
        printf '%s\n' "$line"
    done
}

# Lints the folder; prints the complaints about the files named on stdin
# and any that are new since the last lint. Remembers this lint.
complain() {
    local changed line file count=0
    changed=$(cat)
    lint >"$tmp/lint.now"
    while IFS= read -r line; do
        file=${line%%:*}
        if grep -qxF -- "${file,,}" <<<"${changed,,}" || ! grep -qxF -- "$line" "$tmp/lint.last" 2>/dev/null; then
            printf '%s/%s\n' "$shown_as" "$line"
            count=$((count + 1))
        fi
    done <"$tmp/lint.now"
    mv "$tmp/lint.now" "$tmp/lint.last"
    say "preview: $(tr '\n' ' ' <<<"$changed")- $count problem$([ $count -eq 1 ] || echo s)"
}

# Editors' own files are not part of the theme.
ignored() {
    case ${1##*/} in
    *~ | .*.swp | .*.swx | .#* | 4913) return 0 ;;
    esac
    return 1
}

# Mirrors one event of inotifywait ("EVENTS PATH") into the installation;
# prints the file's path relative to the folder when it changed.
mirror() {
    local events=$1 path=$2 rel
    rel=${path#"$folder"/}
    ignored "$rel" && return 0
    case $events in
    *DELETE* | *MOVED_FROM*)
        [ -e "$installed/$rel" ] || return 0   # an editor's file renamed away
        rm -rf "${installed:?}/$rel"
        ;;
    *)
        mkdir -p "$(dirname "$installed/$rel")"
        cp -R "$path" "$installed/$rel" 2>/dev/null || return 0   # gone again already
        ;;
    esac
    printf '%s\n' "$rel"
}

# Each save: the files copied, the item reloaded and selected again, the
# loaders' complaints printed. Events that follow within 50 ms belong to
# the same save (an editor's rename and write).
follow() {
    set +e   # a save that cannot be applied must not end the watch
    local events path changed
    while IFS=' ' read -r events path; do
        date +%s%N >"$saved_at"
        changed=$(mirror "$events" "$path")
        while IFS=' ' read -r -t 0.05 events path; do
            changed+=$'\n'$(mirror "$events" "$path")
        done
        changed=$(grep -v '^$' <<<"$changed" | sort -u) || continue
        grep -qix 'orvane.ini' <<<"$changed" && first_page
        printf 'reloadsetting\ndeselect\nselect Orvane\n' >&3
        complain <<<"$changed"
    done
}

first_page
lint >"$tmp/lint.last"
if [ -s "$tmp/lint.last" ]; then
    sed "s|^|$shown_as/|" "$tmp/lint.last"
    say "preview: $shown_as - $(wc -l <"$tmp/lint.last") problems"
fi

mkfifo "$tmp/in" "$tmp/events"
side=640   # the emulated 480 x 640 screen, turned or not
mapfile -t desktop < <(on_x11_desktop OrvanePreview $side)
(cd "$WINEPREFIX/drive_c" && exec "$ORV_ROOT/scripts/wine-run" "${desktop[@]}" "$(win "$bin/todayhost.exe")" \
    --only Orvane --show --wallpaper "$(win "$wallpaper")") <"$tmp/in" > >(report) 2>&1 &
host=$!
pids+=("$host")
exec 3>"$tmp/in"
echo "select Orvane" >&3

inotifywait -m -r -e close_write -e moved_to -e delete -e moved_from --format '%e %w%f' "$folder" \
    >"$tmp/events" 2>"$tmp/watch.log" &
pids+=($!)
follow <"$tmp/events" &
pids+=($!)
until grep -q 'Watches established' "$tmp/watch.log" 2>/dev/null; do
    kill -0 "${pids[-2]}" 2>/dev/null || { cat "$tmp/watch.log" >&2; exit 1; }
    sleep 0.05
done
say "preview: watching $shown_as; R in the window turns the screen; type emulator commands here, Ctrl-D ends"

# The terminal's lines go to the emulator until the input ends or the
# emulator does (its window closed, or "quit").
pending=
while kill -0 "$host" 2>/dev/null && [ ! -e "$tmp/ended" ]; do
    if IFS= read -r -t 0.5 line; then
        printf '%s\n' "$pending$line" >&3
        pending=
    elif [ $? -gt 128 ]; then
        pending+=$line   # a line not yet complete
    else
        echo quit >&3
        break
    fi
done
# Its desktop lasts while a program started from the item keeps a window
# on it: those end with this run's own server, else they are the user's.
for _ in $(seq 20); do
    kill -0 "$host" 2>/dev/null || break
    sleep 0.25
done
