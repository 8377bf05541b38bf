#!/usr/bin/env bash
# The whole road of a design from the keyboard alone, in a real X server: the
# secondary, the transformer bank, the primary taking its capacitance,
# frequency and diameter from them, Save, New, Open, Export PDF, a toroid on
# the secondary under a strike rail and a ceiling with the primary tuned to the
# loaded frequency and built as a cone, a synchronous gap and a capacitor
# bank of small units, Save As and Exit. The
# saved design must read back as the command-line companion calculates the
# same entries, and the PDF must carry the same summary.
#
#   keyboard-road.sh RESONEX RESONEX_CLI
set -euo pipefail

(($# == 2)) || {
    echo "usage: $0 RESONEX RESONEX_CLI" >&2
    exit 2
}
program="$(realpath "$1")"
cli=$2
source "$(dirname "$0")/xvfb-lib.sh"

command -v pdftotext >/dev/null || fail "pdftotext not found: install poppler-utils"

# Without a window manager the focus stays where it was put: each window gets
# it as it comes up, as a desktop would give it.
focus() { timeout 5 xdotool windowfocus --sync "$1" || fail "could not focus window $1"; }
keys() { xdotool key --clearmodifiers --delay 60 "$@"; }
# Types into the focused box, replacing its entry.
entry() {
    keys ctrl+a
    xdotool type --delay 30 "$1"
}
# dialog TITLE KEYS...: opens a dialog from the main window with the keys and
# gives it the focus.
dialog() {
    local title="$1"
    shift
    focus "$main"
    keys "$@"
    window="$(wait_window "$title")"
    focus "$window"
}
# The dialog has closed and the main window is alone again.
closed() {
    local i
    for ((i = 0; i < 50; i++)); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the window '$1' did not close"
}

start_xvfb
start_program "$program"
main="$(wait_window Untitled 20)"
wait_splash_gone
mkdir -p "$work/designs"
design="$work/designs/road.rzn"

step "secondary coil"
dialog "Secondary Coil Calculations" alt+c s
entry 200; keys Tab; entry 600; keys Tab; entry 0.72; keys Tab; entry 0; keys Return
keys Escape
closed "Secondary Coil Calculations"

step "transformer bank"
dialog "Primary Transformer / Capacitor Matching" alt+c c
entry 15; keys Tab; entry 60; keys Tab; entry 2; keys Return
keys Escape
closed "Primary Transformer / Capacitor Matching"

step "primary coil"
dialog "Primary Coil Calculations" alt+c p
# From the capacitance box six Tabs reach the first "Use Design Information" box.
keys Tab Tab Tab Tab Tab Tab space Tab space Tab space Return
keys Escape
closed "Primary Coil Calculations"

step "saving"
dialog "Save Design As" ctrl+s
entry "${design%.rzn}"
keys Return
closed "Save Design As"
main="$(wait_window road.rzn)"

step "a new design, then the saved one opened again"
focus "$main"
keys ctrl+n
main="$(wait_window Untitled)"
dialog "Open Design" ctrl+o
entry "$design"
keys Return
closed "Open Design"
main="$(wait_window road.rzn)"

# Export PDF... to the file named, waiting for it to be written.
export_pdf() {
    dialog "Export PDF" alt+f e
    entry "$1"
    keys Return
    closed "Export PDF"
    for ((i = 0; i < 50; i++)); do
        [ ! -s "$1" ] || return 0
        sleep 0.1
    done
    fail "no PDF was written to $1"
}

step "exporting the summary"
export_pdf "$work/road.pdf"

step "top load"
dialog "Top Load Calculations" alt+c t
# The focus is on the ticked shape; the toroid's key ticks it, and its tube
# box is in the keyboard order once the click has landed.
keys alt+t
sleep 0.3
keys Tab; entry 300; keys Tab; entry 75; keys Tab; entry 50; keys Tab; entry 500
# Past the target frequency to the surroundings: a rail of 1000 mm on a 25 mm
# conductor 700 mm up the winding, and a ceiling.
keys Tab Tab; entry 1000; keys Tab; entry 25; keys Tab; entry 700; keys Tab; entry 2500
keys Return
# Past the walls and Calculate to OK.
keys Tab Tab Tab space
closed "Top Load Calculations"

step "primary coil tuned to the loaded frequency, built as a cone"
dialog "Primary Coil Calculations" alt+c p
# The taken inputs' boxes are out of the keyboard order: from the conductor
# diameter six Tabs reach the fourth choice, which clears the quarter wave.
keys Tab Tab Tab Tab Tab Tab space Return
# The cone's key ticks it; its angle is then the next box.
keys alt+n
sleep 0.3
keys Tab; entry 30; keys Return
keys Escape
closed "Primary Coil Calculations"

step "power side: a synchronous gap and a bank of 0.15 uF / 2 kV units"
dialog "Power and Capacitor Bank" alt+c w
# The focus is on the driver; the synchronous gap's key ticks that gap and
# takes the focus. The breaks per second are an asynchronous gap's, out of the
# keyboard order, and the tank capacitor is left to follow the resonant value.
keys alt+y
sleep 0.3
keys Tab Tab; entry 0.15; keys Tab; entry 2; keys Return
keys Escape
closed "Power and Capacitor Bank"

step "exporting the summary with the top load"
export_pdf "$work/road-top.pdf"

step "saving the design with its top load"
dialog "Save Design As" alt+f a
entry "$work/designs/road-top"
keys Return
closed "Save Design As"
main="$(wait_window road-top.rzn)"

step "exit"
focus "$main"
keys ctrl+q
wait_exit 5

step "checking the design against resonex-cli"
# The same entries through the command-line companion.
"$cli" calc --dia 200 --height 600 --wire-dia 0.72 --spacing 0 --kv 15 --ma 60 --count 2 \
    --use-pri-c 1 --use-sec-fr 1 --use-sec-dia 1 >"$work/expected.txt" 2>"$work/cli.log" ||
    fail "resonex-cli calc failed: $(cat "$work/cli.log")"
"$cli" show "$design" >"$work/saved.txt" 2>"$work/cli.log" ||
    fail "resonex-cli show failed: $(cat "$work/cli.log")"
grep -q "tapped between turn" "$work/saved.txt" || fail "the saved design has no tap: $(cat "$work/saved.txt")"
diff <(tail -n +2 "$work/expected.txt") <(tail -n +2 "$work/saved.txt") ||
    fail "the saved design differs from the companion's calculation"
head -n 1 "$work/saved.txt" | grep -qx "Filename: road.rzn" || fail "saved as $(head -n 1 "$work/saved.txt")"
sed -n '/Primary Coil Design/,/^$/p' "$work/saved.txt"

step "checking the PDF"
pdftotext -layout "$work/road.pdf" - | tr -s ' ' >"$work/pdf.txt"
for line in "Filename: road.rzn" "Secondary turns : 833.00" "Number of transformers : 2" \
    "$(grep "tapped between turn" "$work/saved.txt")"; do
    grep -qF -- "$(tr -s ' ' <<<"$line")" "$work/pdf.txt" || fail "the PDF lacks: $line"
done
step "checking the primary tuned to the top load"
pdftotext -layout "$work/road-top.pdf" - | tr -s ' ' >"$work/pdf-top.txt"
loaded_tap="$(grep "tapped between turn" "$work/pdf-top.txt")" ||
    fail "the PDF with the top load has no tap: $(cat "$work/pdf-top.txt")"
quarter_tap="$(grep "tapped between turn" "$work/pdf.txt")"
[ "${loaded_tap##* at }" != "${quarter_tap##* at }" ] ||
    fail "the primary was not tuned to the loaded frequency: $loaded_tap"
echo "$loaded_tap"
[ -s "$work/designs/road-top.rzn" ] || fail "the design with its top load was not saved"
step "checking the conical primary"
"$cli" show "$work/designs/road-top.rzn" >"$work/saved-top.txt" 2>"$work/cli.log" ||
    fail "resonex-cli show failed: $(cat "$work/cli.log")"
grep -qx "Primary as built : Conical, 30.00deg" "$work/saved-top.txt" ||
    fail "the primary is not a 30 degree cone: $(sed -n '/^Coupling/,$p' "$work/saved-top.txt")"
grep "Coupling coefficient k at the tap" "$work/saved-top.txt" || fail "the cone has no k at its tap"
# section_has SECTION LINE...: the saved design's summary holds each line,
# else the section that lacks it is shown.
section_has() {
    local section="$1" line
    shift
    for line in "$@"; do
        grep -qxF -- "$line" "$work/saved-top.txt" ||
            fail "the saved design lacks: $line: $(sed -n "/^$section/,/^\$/p" "$work/saved-top.txt")"
    done
}
step "checking the surroundings"
section_has "Top Load" \
    "Strike rail : 1000.00mm across, 25.00mm conductor, 700.00mm above the winding's base" \
    "Ceiling : 2500.00mm above the floor"
step "checking the power side"
section_has "Power" "Spark gap : synchronous rotary" \
    "Capacitor bank offered (nearest the tank capacitor) : 22 in series x 4 strings = 88 units, 27.27nF"
echo "PASS"
