# shellcheck shell=bash
# scripts/preview --gif: every page flown in and out, headless, into one GIF.
# Sourced by scripts/preview after the installation.

if [ ${#pages[@]} -eq 0 ]; then
    mapfile -t pages < <(folder_pages)
    [ ${#pages[@]} -gt 0 ] || { say "preview: $shown_as shows no page"; exit 1; }
fi

frames=$tmp/frames
mkdir -p "$frames"
f=$(win "$frames")
cd "$WINEPREFIX/drive_c"   # the installed launcher's current drive is C:
coproc TODAY { "$ORV_ROOT/scripts/wine-run" "$bin/todayhost.exe" --only Orvane --wallpaper "$(win "$wallpaper")" 2>&1; }
pids+=("$TODAY_PID")
answer=
today() {  # one emulator command; its answer in $answer, or the run ends
    echo "$1" >&"${TODAY[1]}"
    while IFS= read -r answer <&"${TODAY[0]}"; do
        answer=${answer%$'\r'}
        case $answer in
        ok*) return 0 ;;
        error*) break ;;
        esac
    done
    say "preview: the emulator answered '$answer' to '$1'"
    exit 1
}
frame_count() { sed -E 's/.* ([0-9]+) frames$/\1/' <<<"$answer"; }

# A motion longer than this is cut; at 50 ms a frame.
max_ms=10000
total=0
stem=${gif%.gif}
n=0
today "items"
[ "$answer" != "ok items 0" ] || { say "preview: the item did not load"; exit 1; }
for page in "${pages[@]}"; do
    n=$((n + 1))
    set_first_page "$page"
    today "reloadsetting"
    today "select Orvane"
    today "capture $f\\$(printf %03d $n)-in 50 $max_ms rest"
    in=$(frame_count)
    [ "$in" -lt $((max_ms / 50)) ] || say "preview: $page still moved after $((max_ms / 1000)) s"
    total=$((total + in))
    picture=$stem-$n-$(printf %s "$page" | tr -c 'A-Za-z0-9_-' _).png
    today "screenshot $f\\rest.png"
    mv "$frames/rest.png" "$picture"
    rest_frame=$((total - 1))
    today "deselect"
    today "capture $f\\$(printf %03d $n)-out 50 $max_ms rest"
    out=$(frame_count)
    total=$((total + out))
    say "preview: page $page: $in frames in, $out out; at rest in $(basename "$picture") (GIF frame $rest_frame)"
done
today "quit"
wait "$TODAY_PID" 2>/dev/null || true
cd "$ORV_ROOT"

frames_to_gif "$gif" "$frames"/*/frame_*.png
say "preview: $gif: $total frames, ${#pages[@]} page$([ ${#pages[@]} -eq 1 ] || echo s)"
