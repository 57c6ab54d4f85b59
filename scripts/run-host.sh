#!/usr/bin/env bash
# The main job: builds the module and the spooler stand-in qvhost, then lets
# qvhost load the module and drive it through its exports on a fresh host
# store in a temporary folder: the printers (each installed as the spooler
# installs one, so its driver gave it its default DEVMODE and printer data),
# a printer's papers, bins and resolutions, its default DEVMODE's fields, a
# changed copy validated by the driver, its document and device sheets with
# every tab visited (their pictures kept in build-release/pictures/), the
# document sheet again with copies and orientation changed on the Basics
# tab, with the paper size and sources changed on the Paper tab and with
# both sides turned on on the Finishing tab (the Finishing tab's pictures
# also with a booklet and with 4 pages per sheet), the PostScript printer's
# PostScript tab with bitmaps chosen for TrueType, and a two-page
# document's events.
# With arguments, runs qvhost with them instead
# (bash scripts/run-host.sh --store DIR printers; qvhost --help lists the commands).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The build's own output goes to a log, shown only when the build fails.
mkdir -p build-release
log=build-release/run-host-build.log
echo "Building qvhost and the module in build-release/ (log: $log) ..." >&2
if ! { cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_BUILD_TESTS=OFF &&
    cmake --build build-release -j "$(nproc)" --target qvhost qvui qvuires; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "run-host.sh: the build failed (whole log: $log)" >&2
    exit 1
fi
if [ $# -gt 0 ]; then
    exec ./build-release/qvhost "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
qvhost() { ./build-release/qvhost --store "$work/store" "$@"; }
printer="QV ColorLaser 4600"
step() { printf '\n== %s\n' "$1"; }

step "The printers of a fresh host store, set up by their driver (default DEVMODE, printer data)"
qvhost printers
for code in DC_PAPERNAMES DC_PAPERS DC_PAPERSIZE DC_BINNAMES DC_BINS DC_ENUMRESOLUTIONS; do
    step "$printer: $code"
    qvhost caps "$printer" "$code"
done
step "$printer: the default DEVMODE"
qvhost devmode "$printer" --out "$work/default.devmode"
step "$printer: a copy with 3 copies in landscape, validated by the driver"
qvhost props "$printer" --in "$work/default.devmode" --set dmCopies=3 --set dmOrientation=2 \
    --out "$work/changed.devmode"
# The sheets' pages are written as pictures that outlive the run.
pictures=build-release/pictures
rm -rf "$pictures"
step "$printer: its document sheet, every tab visited, closed with OK (pictures: $pictures/document)"
printf 'page %d\n' 0 1 2 3 4 5 > "$work/document.txt"
printf 'ok\n' >> "$work/document.txt"
qvhost sheet "$printer" --script "$work/document.txt" --out "$work/sheet.devmode" --png "$pictures/document"
step "$printer: its document sheet, 3 copies typed and landscape clicked on the Basics tab, closed with OK"
printf 'page 4\ntype 1021 "3"\nclick 1032\nok\n' > "$work/basics.txt"
qvhost sheet "$printer" --script "$work/basics.txt" --out "$work/basics.devmode" --png "$pictures/basics"
step "$printer: its document sheet, Legal from tray 2 and a first page from tray 1 on the Paper tab, closed with OK"
printf 'page 2\nselect 2015 "Legal"\nselect 2020 "Tray 2"\nclick 2022\nselect 2020 "Tray 1"\nok\n' >"$work/paper.txt"
qvhost sheet "$printer" --script "$work/paper.txt" --out "$work/paper.devmode" --png "$pictures/paper"
step "$printer: its document sheet, both sides turned on on the Finishing tab, closed with OK (dmDuplex 2)"
printf 'page 0\nclick 3011\nok\n' > "$work/finishing.txt"
qvhost sheet "$printer" --script "$work/finishing.txt" --out "$work/finishing.devmode" --png "$pictures/finishing"
step "$printer: the Finishing tab with a Letter booklet, and with 4 pages per sheet (pictures only)"
printf 'page 0\nclick 3011\nselect 3025 "Letter (Left Binding)"\nok\n' > "$work/booklet.txt"
qvhost sheet "$printer" --script "$work/booklet.txt" --out "$work/booklet.devmode" \
    --png "$pictures/finishing-booklet" >/dev/null
printf 'page 0\ntype 3015 "4"\nok\n' > "$work/four-up.txt"
qvhost sheet "$printer" --script "$work/four-up.txt" --out "$work/four-up.devmode" \
    --png "$pictures/finishing-4-up" >/dev/null
step "$printer: its device sheet, both tabs visited, closed with OK (pictures: $pictures/device)"
printf 'page 0\npage 1\nok\n' > "$work/device.txt"
qvhost sheet "$printer" --device --script "$work/device.txt" --out "$work/device.devmode" \
    --png "$pictures/device"
postscript="QV ColorLaser 4600 PS"
step "$postscript: its document sheet's PostScript tab, bitmaps chosen for TrueType, closed with OK (pictures: $pictures/postscript)"
printf 'page 4\nselect 6514 "Bitmaps (Type 3)"\nok\n' > "$work/postscript.txt"
qvhost sheet "$postscript" --script "$work/postscript.txt" --out "$work/postscript.devmode" \
    --png "$pictures/postscript"
step "$printer: a two-page document's events and the escapes they send"
qvhost job "$printer" --pages 2
