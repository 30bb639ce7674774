#!/usr/bin/env bash
# soak.sh [--minutes N] [--interval S]: runs the widget and the floor program
# (a bare window with a 1 ms timer) side by side under one Xvfb +
# openbox for N minutes (default 10), and samples both every S seconds
# (default 5): CPU time on the processor, resident memory, open descriptors.
# The details dialog is open during the middle third. Prints, per phase, the
# CPU share of one core and the widget/floor ratio, the memory and descriptor
# figures, and whether memory and descriptors stayed flat. The raw samples
# go to $MEASURE_OUT (default <build>/measure-output)/soak-<stamp>.csv.
#
# soak.sh --report CSV prints the figures of the samples of an earlier run.
#
# Environment: TALORAN_BUILD_DIR (default <repo>/build), TALORAN_BIN,
# FLOOR_BIN, MEASURE_OUT, SOAK_SETTLE (seconds before the first sample,
# default 10), RSS_TOLERANCE_KB (growth allowed within a phase, default 256).
# Run by hand; this is not a CTest test.

MINUTES=10
INTERVAL=5
REPORT_ONLY=
while (($#)); do
    case $1 in
        --minutes) MINUTES=$2; shift 2 ;;
        --interval) INTERVAL=$2; shift 2 ;;
        --report) REPORT_ONLY=$2; shift 2 ;;
        -h | --help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "usage: $0 [--minutes N] [--interval S] | --report CSV" >&2; exit 2 ;;
    esac
done

# report CSV: the figures of a run. Per phase and process: CPU share from
# the first to the last sample; RSS first, last and least-squares slope;
# descriptor counts.
report() {
    awk -F, -v tol="${RSS_TOLERANCE_KB:-256}" -v csv="$1" -v hz="$(getconf CLK_TCK)" '
NR == 1 { next }
$6 <= 0 { bad++; next } # a sample that could not be read
{
    t = $1; p = $2; w = $3; k = p SUBSEP w
    if (!(p in seen)) { seen[p] = 1; order[++np] = p }
    if (!(k in t0)) { t0[k] = t; c0[k] = $4; k0[k] = $5; r0[k] = $6; f0[k] = $7; fmin[k] = $7; fmax[k] = $7 }
    t1[k] = t; c1[k] = $4; k1[k] = $5; r1[k] = $6; f1[k] = $7; th[k] = $8
    if ($7 < fmin[k]) fmin[k] = $7
    if ($7 > fmax[k]) fmax[k] = $7
    m = t / 60
    n[k]++; sx[k] += m; sy[k] += $6; sxx[k] += m * m; sxy[k] += m * $6
    # Whole run
    if (!(w in rt0)) { rt0[w] = t; rr0[w] = $6; rf0[w] = $7 }
    rt1[w] = t; rr1[w] = $6; rf1[w] = $7
    rn[w]++; rsx[w] += m; rsy[w] += $6; rsxx[w] += m * m; rsxy[w] += m * $6
}
function slope(n, sx, sy, sxx, sxy,   d) { d = n * sxx - sx * sx; return d > 0 ? (n * sxy - sx * sy) / d : 0 }
function share(k) { return t1[k] > t0[k] ? (c1[k] - c0[k]) / ((t1[k] - t0[k]) * 1e9) * 100 : 0 }
function ticks(k) { return t1[k] > t0[k] ? (k1[k] - k0[k]) / hz / (t1[k] - t0[k]) * 100 : 0 }
END {
    label["idle"] = "idle (dialog never opened)"
    label["dialog"] = "details dialog open"
    label["after"] = "idle after the dialog closed"
    memflat["widget"] = memflat["floor"] = 1; fdflat["widget"] = fdflat["floor"] = 1
    for (i = 1; i <= np; i++) {
        p = order[i]; kw = p SUBSEP "widget"; kf = p SUBSEP "floor"
        printf "\n== Phase %s: %s, %.0f s, %d samples each\n", p, label[p], t1[kw] - t0[kw], n[kw]
        sw = share(kw); sf = share(kf)
        printf "  CPU, share of one core:   widget %6.2f %%   floor %6.2f %%   ratio widget/floor %.2f\n", \
            sw, sf, (sf > 0 ? sw / sf : 0)
        printf "    (cross-check from utime+stime: widget %.2f %%, floor %.2f %%)\n", ticks(kw), ticks(kf)
        for (j = 1; j <= 2; j++) {
            w = j == 1 ? "widget" : "floor"; k = p SUBSEP w
            s = slope(n[k], sx[k], sy[k], sxx[k], sxy[k])
            fit = s * (t1[k] - t0[k]) / 60
            printf "  %-6s RSS %7d -> %7d kB (%+d kB, slope %+.1f kB/min)   fds %d -> %d (range %d..%d)   threads %d\n", \
                w, r0[k], r1[k], r1[k] - r0[k], s, f0[k], f1[k], fmin[k], fmax[k], th[k]
            if (fit > tol || r1[k] - r0[k] > tol) memflat[w] = 0
            if (f1[k] > f0[k]) fdflat[w] = 0
        }
    }
    printf "\n== Whole run, %.1f min\n", (rt1["widget"] - rt0["widget"]) / 60
    for (j = 1; j <= 2; j++) {
        w = j == 1 ? "widget" : "floor"
        s = slope(rn[w], rsx[w], rsy[w], rsxx[w], rsxy[w])
        printf "  %-6s RSS %7d -> %7d kB (%+d kB, slope %+.1f kB/min)   fds %d -> %d\n", \
            w, rr0[w], rr1[w], rr1[w] - rr0[w], s, rf0[w], rf1[w]
        if (rf1[w] > rf0[w]) fdflat[w] = 0
    }
    printf "\n== Verdict (memory flat: growth within every phase at most %d kB; descriptors\n", tol
    print  "   flat: no phase and not the whole run ends with more than it started with)"
    for (j = 1; j <= 2; j++) {
        w = j == 1 ? "widget" : "floor"
        printf "  %-6s memory %s, file descriptors %s\n", w, memflat[w] ? "flat" : "GROWS", fdflat[w] ? "flat" : "GROW"
    }
    print "  (a step between phases is the dialog being loaded or unloaded, not a leak; a drop"
    print "  and rise of threads and descriptors is the Qt thread pool, whose threads end"
    print "  after 30 s without work)"
    if (bad) printf "\n(%d unreadable samples left out)\n", bad
    printf "\nRaw samples: %s\n", csv
}' "$1"
}

if [[ -n $REPORT_ONLY ]]; then
    report "$REPORT_ONLY"
    exit
fi

HERE=$(cd "$(dirname "$0")" && pwd)
export TALORAN_BUILD_DIR=${TALORAN_BUILD_DIR:-$HERE/../../build}
export TALORAN_BIN=${TALORAN_BIN:-$TALORAN_BUILD_DIR/app/taloran}
FLOOR_BIN=${FLOOR_BIN:-$TALORAN_BUILD_DIR/tests/measure/taloran_floor}
MEASURE_OUT=${MEASURE_OUT:-$TALORAN_BUILD_DIR/measure-output}
SETTLE=${SOAK_SETTLE:-10}
RSS_TOLERANCE_KB=${RSS_TOLERANCE_KB:-256}
for bin in "$TALORAN_BIN" "$FLOOR_BIN"; do
    [[ -x $bin ]] || { echo "soak: $bin is not built (set TALORAN_BUILD_DIR)" >&2; exit 2; }
done

source "$HERE/../e2e/lib.sh"
mkdir -p "$MEASURE_OUT"
CSV=$MEASURE_OUT/soak-$(date +%Y%m%d-%H%M%S).csv

# Phase lengths in whole seconds: idle, dialog open, idle again.
TOTAL=$(awk -v m="$MINUTES" 'BEGIN { printf "%d", m * 60 }')
((TOTAL >= 30)) || fail "--minutes must give at least 30 seconds"
PHASE1=$((TOTAL / 3))
PHASE2=$((TOTAL / 3))
PHASE3=$((TOTAL - PHASE1 - PHASE2))

start_x
store_setting General Target "8:0.0 2031/7/4"
start_app
W_PID=$APP_PID
W_WID=$WID
APP_BIN=$FLOOR_BIN start_app
F_PID=$APP_PID
F_WID=$WID
# The floor goes to the top-left corner, clear of the centred widget, so the
# click on the details button cannot land on it.
xdotool windowmove "$F_WID" 0 0
xdotool mousemove 1270 1010
log "widget pid $W_PID, floor pid $F_PID; settling ${SETTLE}s; ${MINUTES} min in three phases"
sleep "$SETTLE"

echo "t_s,phase,proc,cpu_ns,cpu_ticks,rss_kb,fds,threads" >"$CSV"
T0=$EPOCHREALTIME

# sample_proc PHASE NAME PID: one CSV row, read from /proc without forking.
# cpu_ns sums the live threads' schedstat; cpu_ticks (utime + stime of the
# process, which keeps the time of ended threads too) is the cross-check.
sample_proc() {
    local phase=$1 name=$2 pid=$3 f ns rest line key value rss=0 threads=0 cpu=0
    local -a fds stat
    for f in /proc/"$pid"/task/*/schedstat; do
        ns=
        for _ in 1 2 3; do read -r ns rest 2>/dev/null <"$f" && break; done
        [[ -n $ns ]] || continue # the thread has ended
        cpu=$((cpu + ns))
        threads=$((threads + 1))
    done
    # A read cut short by a signal to this shell is tried again.
    for _ in 1 2 3; do
        while read -r key value rest; do
            if [[ $key == VmRSS: ]]; then rss=$value; break; fi
        done <"/proc/$pid/status"
        ((rss > 0)) && break
    done
    fds=(/proc/"$pid"/fd/*)
    for _ in 1 2 3; do read -r line <"/proc/$pid/stat" && break; done
    read -ra stat <<<"${line##*) }"
    local now=$EPOCHREALTIME
    printf '%s,%s,%s,%s,%s,%s,%s,%s\n' \
        "$(awk -v a="$now" -v b="$T0" 'BEGIN { printf "%.3f", a - b }')" \
        "$phase" "$name" "$cpu" $((stat[11] + stat[12])) "$rss" "${#fds[@]}" "$threads" >>"$CSV"
}

sample() {
    kill -0 "$W_PID" 2>/dev/null || fail "the widget has ended"
    kill -0 "$F_PID" 2>/dev/null || fail "the floor program has ended"
    sample_proc "$1" widget "$W_PID"
    sample_proc "$1" floor "$F_PID"
}

# run_phase NAME SECONDS: samples at the start, every INTERVAL and at the end.
run_phase() {
    local name=$1 length=$2 start=$SECONDS next
    log "phase $name: ${length}s"
    sample "$name"
    for ((next = INTERVAL; next < length; next += INTERVAL)); do
        sleep $((start + next - SECONDS > 0 ? start + next - SECONDS : 0))
        sample "$name"
    done
    sleep $((start + length - SECONDS > 0 ? start + length - SECONDS : 0))
    sample "$name"
}

run_phase idle "$PHASE1"

# A click that the server loses under load is tried again.
for attempt in 1 2 3; do
    click_at "$W_WID" 716 97
    wait_for 10 dialog_window_of "$W_PID" && break
    log "the details dialog did not open (attempt $attempt)"
    screenshot "soak_no_dialog_$attempt"
done
dialog_window_of "$W_PID" >/dev/null || fail "the details dialog did not open"
DLG=$(dialog_window_of "$W_PID")
xdotool mousemove 1270 1010
sleep 2
run_phase dialog "$PHASE2"

dialog_closed() { ! xwininfo -id "$DLG" 2>/dev/null | grep -q IsViewable; }
# The key sent to the dialog's window can fail with BadWindow under openbox;
# that is not fatal: the activated window is tried next.
xdotool key --window "$DLG" Escape 2>/dev/null || true
if ! wait_for 3 dialog_closed; then
    xdotool windowactivate --sync "$DLG" key Escape
    wait_for 5 dialog_closed || fail "Escape did not close the details dialog"
fi
sleep 2
run_phase after "$PHASE3"

cp "$CSV" "$MEASURE_OUT/soak-latest.csv"
report "$CSV"
