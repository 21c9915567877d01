#!/bin/sh
# Prints a range of the fuel log from the print window on a real default printer: a cups-pdf
# queue of a running CUPS scheduler. Starts the scheduler when none runs (and stops it again),
# makes the queue the default, lets the driver program print, waits for the job and checks the
# text of the job's spooled document against the lines the driver expects.
# Usage: cups_print_test.sh PATH_TO_cups_print_driver
# Exit codes: 0 passed, 1 failed, 77 skipped (CUPS or a program that reads the job is missing).
set -u

DRIVER="$1"
QUEUE=TankrPDF
SPOOL=/var/spool/cups
PATH="$PATH:/usr/sbin:/sbin"
export LANG=C.UTF-8

# A program missing here says nothing about Tankr: skip, naming it.
for tool in cupsd lpadmin lpinfo lpstat pdfinfo pdftotext python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed: scripts/install-packages.sh test installs it"
        exit 77
    fi
done

WORK=$(mktemp -d)
STARTED_PID=""
CREATED_QUEUE=""
PREVIOUS_DEFAULT=""
BEGIN=$(date +%s%N)

elapsed() { echo $((($(date +%s%N) - BEGIN) / 1000000)); }

fail() {
    echo "FAIL: $*"
    exit 1
}

cleanup() {
    if [ -n "$PREVIOUS_DEFAULT" ]; then
        lpadmin -d "$PREVIOUS_DEFAULT" >/dev/null 2>&1
    fi
    if [ -n "$CREATED_QUEUE" ]; then
        lpadmin -x "$QUEUE" >/dev/null 2>&1
    fi
    if [ -n "$STARTED_PID" ]; then
        kill "$STARTED_PID" 2>/dev/null
        wait "$STARTED_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
    echo "total time: $(elapsed) ms"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
    tries=$1
    shift
    while ! "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

if ! scheduler_running; then
    cupsd -f &
    STARTED_PID=$!
    wait_for 100 scheduler_running || fail "the CUPS scheduler did not start"
    echo "started cupsd (pid $STARTED_PID) after $(elapsed) ms"
fi

PPD=$(lpinfo -m 2>/dev/null | grep -i 'cups-pdf' | head -n 1 | cut -d ' ' -f 1)
[ -n "$PPD" ] || fail "no cups-pdf driver (lpinfo -m lists no PDF printer model)"

PREVIOUS_DEFAULT=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
[ "$PREVIOUS_DEFAULT" = "$QUEUE" ] && PREVIOUS_DEFAULT=""
if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
    CREATED_QUEUE=yes
fi
lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m "$PPD" || fail "lpadmin could not create the queue"
lpadmin -d "$QUEUE" || fail "lpadmin could not make the queue the default"
echo "queue $QUEUE ready after $(elapsed) ms"

ls "$SPOOL"/d* >"$WORK/before" 2>/dev/null
PRINT_BEGIN=$(date +%s%N)
QT_QPA_PLATFORM=offscreen "$DRIVER" "$WORK/expected.txt" || fail "the print window did not print"

new_document() {
    ls "$SPOOL"/d* 2>/dev/null | grep -vxF -f "$WORK/before" | head -n 1 >"$WORK/document"
    [ -s "$WORK/document" ]
}
wait_for 100 new_document || fail "no job reached the spool folder $SPOOL"
DOCUMENT=$(cat "$WORK/document")
JOB=$(basename "$DOCUMENT" | sed 's/^d0*\([0-9]*\)-.*/\1/')

job_done() { lpstat -W completed -o "$QUEUE" 2>/dev/null | grep -q "^$QUEUE-$JOB "; }
wait_for 300 job_done || {
    lpstat -l -o "$QUEUE"
    lpstat -p "$QUEUE"
    fail "job $JOB did not complete"
}
echo "job $JOB printed in $((($(date +%s%N) - PRINT_BEGIN) / 1000000)) ms (window to completed job)"

# cups-pdf writes its output into the home folder of the job's owner; that copy is not needed.
find "$HOME/PDF" -maxdepth 1 -name '*.pdf' -newer "$WORK/before" -delete 2>/dev/null

pdfinfo "$DOCUMENT" | grep -q "^Page size: *842 x 595 pts (A4)" || fail "the job is not A4 landscape"
pdftotext -layout "$DOCUMENT" "$WORK/job.txt" || fail "pdftotext could not read $DOCUMENT"

python3 - "$WORK/expected.txt" "$WORK/job.txt" <<'EOF' || exit 1
import re, sys, unicodedata

def comparable(text):
    # PDF text may come back in compatibility forms (⽉ for 月); ～ and 〜 read as one.
    text = unicodedata.normalize("NFKC", text)
    return text.replace("\u301c", "~").replace("\uff5e", "~")

expected = [line.rstrip("\n") for line in open(sys.argv[1], encoding="utf-8") if line.strip()]
job = comparable(open(sys.argv[2], encoding="utf-8").read())
missing = []
for line in expected:
    items = [re.escape(comparable(item)) for item in line.split("\t")]
    if not re.search(r"\s*".join(items), job):
        missing.append(line)
if len(expected) != 4 or missing:
    print("FAIL: the job's text lacks these lines:", *missing, "job text:", job, sep="\n")
    sys.exit(1)
print("job text holds the heading and records 2 to 4")
EOF
echo "PASS"
