#!/bin/sh
# tavrik --play without a display: the first known emulator on the PATH, here a stand-in that records its
# arguments, starts on the ROM and tavrik ends with 0. $1 is tavrik, $2 the demo image builder.
set -e
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$2" "$dir" >/dev/null
cat > "$dir/mgba" <<EOF
#!/bin/sh
printf '%s\n' "\$@" > "$dir/args.part" && mv "$dir/args.part" "$dir/args"
EOF
chmod +x "$dir/mgba"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$dir" XDG_CONFIG_HOME="$dir/config" \
    PATH="$dir:/usr/bin:/bin" "$1" --play "$dir/demo-red.gb"
for attempt in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    [ -e "$dir/args" ] && break
    sleep 0.25
done
echo "The emulator started with: $(cat "$dir/args")"
[ "$(cat "$dir/args")" = "$dir/demo-red.gb" ]
