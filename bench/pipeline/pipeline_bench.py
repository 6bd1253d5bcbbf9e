#!/usr/bin/env python3
"""Drives the side-by-side run; run.sh checks the tools and says how to start it."""
import os
import random
import re
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

CHANGES = 25            # per trigger, for each notifier
POPUPS_BEFORE_IDLE = 100
STARTS = 5
TRACKS = 3
IDLE_SECONDS = 5
# mpv-mpris sends its property changes from a 100 ms timer: triggers at a steady pace would lock
# onto its phase, so each waits a random part of that period, the same sequence for every notifier.
PLAYER_TICK = 0.1
SETTLE = 0.2
SERVICE = "org.mpris.MediaPlayer2.mpv"
PLUGIN = "/usr/lib/mpv-mpris/mpris.so"
TRIGGERS = {
    "playerctl next": ["playerctl", "-p", "mpv", "next"],
    "D-Bus Next": ["dbus-send", "--session", "--print-reply", "--dest=" + SERVICE, "/org/mpris/MediaPlayer2",
                   "org.mpris.MediaPlayer2.Player.Next"],
}
# mpv-mpris first announces the file name as the title; only the tags name a tone.
TAGGED = re.compile(r"^Tone \d+$")
# Bolvin's own windows that are not pop-ups.
BOLVIN_FORMS = {"Bolvin", "Bolvin menu"}
ICON_MAX = 64


class Watch:
    """pipeline_watch's events, read as they come; all times are its monotonic nanoseconds."""

    def __init__(self, program):
        self.proc = subprocess.Popen([program, SERVICE], stdout=subprocess.PIPE, text=True, start_new_session=True)
        self.events = []
        self.mapped = {}
        self.cond = threading.Condition()
        self.ready = threading.Event()
        threading.Thread(target=self._read, daemon=True).start()
        if not self.ready.wait(10):
            raise SystemExit("pipeline_watch did not start")

    def _read(self):
        for line in self.proc.stdout:
            fields = line.rstrip("\n").split("\t")
            if fields[0] == "ready":
                self.ready.set()
                continue
            event = {"kind": fields[0], "at": int(fields[1])}
            if event["kind"] == "map":
                event.update(window=fields[2], w=int(fields[3]), h=int(fields[4]), instance=fields[5],
                             name=fields[7])
            elif event["kind"] == "unmap":
                event["window"] = fields[2]
            else:
                event["title"] = fields[2]
            with self.cond:
                if event["kind"] == "map":
                    self.mapped[event["window"]] = event
                elif event["kind"] == "unmap":
                    self.mapped.pop(event["window"], None)
                self.events.append(event)
                self.cond.notify_all()

    def first(self, test, since, timeout):
        """The first event at or after `since` that passes `test`, or None after `timeout` seconds."""
        deadline = time.monotonic() + timeout
        with self.cond:
            while True:
                found = next((e for e in self.events if e["at"] >= since and test(e)), None)
                left = deadline - time.monotonic()
                if found or left <= 0:
                    return found
                self.cond.wait(left)

    def count(self, test, since):
        with self.cond:
            return sum(1 for e in self.events if e["at"] >= since and test(e))

    def until_none_mapped(self, test, timeout):
        deadline = time.monotonic() + timeout
        with self.cond:
            while any(test(e) for e in self.mapped.values()):
                left = deadline - time.monotonic()
                if left <= 0:
                    return False
                self.cond.wait(left)
        return True


class Rig:
    """Every process the run starts, each in its own group, so cleanup ends their children too."""

    def __init__(self):
        self.procs = []

    def start(self, command, **options):
        proc = subprocess.Popen(command, start_new_session=True, stderr=subprocess.DEVNULL, **options)
        self.procs.append(proc)
        return proc

    def stop(self, proc, timeout=5):
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGTERM)
            try:
                proc.wait(timeout)
            except subprocess.TimeoutExpired:
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait(timeout)

    def cleanup(self):
        for proc in reversed(self.procs):
            try:
                self.stop(proc)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass


def run(command, timeout=10):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=timeout).stdout


def poll_until(check, timeout, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if check():
            return True
        time.sleep(step)
    return False


def on_bus(name):
    return "boolean true" in run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                  "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name])


def mpv_title():
    return run(["playerctl", "-p", "mpv", "metadata", "xesam:title"]).strip()


def tagged(e):
    return e["kind"] == "meta" and TAGGED.match(e["title"])


def ms(ns):
    return ns / 1e6


def memory(pid):
    """RSS and PSS in MB."""
    rollup = Path(f"/proc/{pid}/smaps_rollup").read_text()
    kb = {k: int(re.search(rf"^{k}:\s+(\d+) kB", rollup, re.M).group(1)) for k in ("Rss", "Pss")}
    return kb["Rss"] / 1024, kb["Pss"] / 1024


def switches(pid):
    total = 0
    for status in Path(f"/proc/{pid}/task").glob("*/status"):
        total += sum(int(n) for n in re.findall(r"^(?:non)?voluntary_ctxt_switches:\s+(\d+)", status.read_text(), re.M))
    return total


def wakeups_per_second(pids):
    before = sum(switches(p) for p in pids)
    time.sleep(IDLE_SECONDS)
    return (sum(switches(p) for p in pids) - before) / IDLE_SECONDS


def make_tones(folder):
    files = []
    for i in range(TRACKS):
        tags = folder / "tags.txt"
        tags.write_text(f"TITLE=Tone {i + 1}\nARTIST=Bench\nALBUM=Pipeline\n")
        out = folder / f"{i}.ogg"
        subprocess.run(["sox", "-n", "-r", "8000", "-c", "1", "--comment-file", str(tags), str(out), "synth", "300",
                        "sine", str(300 + 100 * i)], check=True, timeout=30)
        files.append(str(out))
    return files


def changes(watch, trigger, popup, close, misses):
    """CHANGES track changes by `trigger`; per change (next→tags, tags→pop-up, next→pop-up) in ms.
    `popup(title)` tests a map event for the pop-up naming that title; `close()` clears the screen."""
    rows = []
    offsets = random.Random(trigger)
    for _ in range(CHANGES):
        close()
        time.sleep(SETTLE + offsets.uniform(0, PLAYER_TICK))
        start = time.monotonic_ns()
        run(TRIGGERS[trigger])
        tags = watch.first(tagged, start, 5)
        shown = tags and popup and watch.first(popup(tags["title"]), start, 5)
        if not tags or (popup and not shown):
            misses.append(trigger)
            continue
        rows.append((ms(tags["at"] - start), ms(shown["at"] - tags["at"]) if popup else None,
                     ms(shown["at"] - start) if popup else None))
    return rows


def column(rows, index):
    return [r[index] for r in rows if r[index] is not None]


def p90(values):
    return statistics.quantiles(values, n=10)[-1] if len(values) > 1 else values[0]


def dunst_window(e):
    return e.get("instance") == "Dunst"


def icon(instance):
    return lambda e: e["kind"] == "map" and e["instance"] == instance and e["w"] <= ICON_MAX and e["h"] <= ICON_MAX


def run_pipeline(rig, watch, env, results, misses):
    """The classic pipeline. It notifies only once the tags are there, as Bolvin does, so both are
    timed to the same announcement."""
    dunst = rig.start(["dunst"], env=env)
    if not poll_until(lambda: on_bus("org.freedesktop.Notifications"), 10):
        raise SystemExit("dunst did not come on the bus")
    follow = rig.start(["playerctl", "-p", "mpv", "--follow", "metadata", "--format", "{{artist}}|{{title}}|{{album}}"],
                       stdout=subprocess.PIPE)
    notify = rig.start(["bash", "-c", 'while IFS="|" read -r artist title album; do '
                        '[ -n "$artist" ] && notify-send -- "$title" "$artist, $album"; done'], stdin=follow.stdout)
    follow.stdout.close()

    def close():
        run(["dunstctl", "close-all"])
        watch.until_none_mapped(dunst_window, 3)

    time.sleep(1)
    for trigger in TRIGGERS:
        results["pipeline", trigger] = changes(watch, trigger, lambda title: lambda e: e["kind"] == "map"
                                               and dunst_window(e), close, misses)
    run(["playerctl", "-p", "mpv", "pause"])
    time.sleep(1)
    close()
    time.sleep(1)
    results["dunst memory"] = memory(dunst.pid)
    results["pipeline wakeups"] = wakeups_per_second([dunst.pid, follow.pid, notify.pid])
    for proc in (notify, follow, dunst):
        rig.stop(proc)


def quit_bolvin(rig, bolvin, proc):
    run([bolvin, "--quit"], timeout=10)
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        rig.stop(proc)


def run_start_up(rig, watch, env, bolvin, tray, results, misses):
    """With mpv paused: Bolvin and the minimal tray program, started in turns."""
    results["start", "bolvin"], results["start", "tray"] = [], []
    for _ in range(STARTS):
        for key, command, instance in (("bolvin", bolvin, "bolvin"), ("tray", tray, "minimal_tray")):
            start = time.monotonic_ns()
            proc = rig.start(command, env=env, stdout=subprocess.DEVNULL)
            shown = watch.first(icon(instance), start, 15)
            if shown:
                results["start", key].append(ms(shown["at"] - start))
            else:
                misses.append("start " + key)
            if key == "bolvin":
                quit_bolvin(rig, bolvin[0], proc)
            else:
                rig.stop(proc)
            time.sleep(0.5)


def run_bolvin(rig, watch, env, bolvin, tray, results, misses):
    """Bolvin against the same mpv. Its pop-ups are left to go by themselves between changes."""
    started = time.monotonic_ns()
    proc = rig.start(bolvin, env=env, stdout=subprocess.DEVNULL)
    icon_event = watch.first(icon("bolvin"), started, 15)
    if not icon_event:
        raise SystemExit("Bolvin's tray icon did not show")

    def popup_window(e):
        return (e.get("instance") == "bolvin" and e["window"] != icon_event["window"]
                and e.get("name") not in BOLVIN_FORMS)

    def popup(title):
        return lambda e: e["kind"] == "map" and popup_window(e) and title in e["name"]

    def title_popup(e):
        return e["kind"] == "map" and popup_window(e) and "Tone" in e["name"]

    def popups_gone():
        if not watch.until_none_mapped(popup_window, 15):
            misses.append("Bolvin pop-up still up")

    run(["playerctl", "-p", "mpv", "play"])
    time.sleep(1)
    for trigger in TRIGGERS:
        results["bolvin", trigger] = changes(watch, trigger, popup, popups_gone, misses)
    for _ in range(2 * POPUPS_BEFORE_IDLE):
        if watch.count(title_popup, started) >= POPUPS_BEFORE_IDLE:
            break
        start = time.monotonic_ns()
        run(TRIGGERS["D-Bus Next"])
        watch.first(title_popup, start, 3)
        time.sleep(0.1)
    results["popups"] = watch.count(title_popup, started)
    run(["playerctl", "-p", "mpv", "pause"])
    time.sleep(0.5)
    popups_gone()
    # The yardstick runs beside Bolvin, so both share the same libraries when PSS is counted.
    start = time.monotonic_ns()
    yardstick = rig.start(tray, stdout=subprocess.DEVNULL)
    watch.first(icon("minimal_tray"), start, 15)
    time.sleep(2)
    results["bolvin memory"], results["tray memory"] = memory(proc.pid), memory(yardstick.pid)
    results["bolvin wakeups"] = wakeups_per_second([proc.pid])
    rig.stop(yardstick)
    quit_bolvin(rig, bolvin[0], proc)


def main():
    build = Path(sys.argv[1])
    work = Path(tempfile.mkdtemp(prefix="bolvin-pipeline."))
    rig = Rig()
    results = {}
    misses = []
    try:
        home = work / "home"
        (home / ".config/Bolvin").mkdir(parents=True)
        (home / ".config/Bolvin/Bolvin.conf").write_text("[StartUp]\nFirstRun=No\n")
        env = dict(os.environ, HOME=str(home))
        files = make_tones(work)
        rig.start(["mpv", "--no-config", "--script=" + PLUGIN, "--ao=null", "--no-video", "--idle=yes",
                   "--no-terminal", "--loop-playlist=inf"] + files, stdout=subprocess.DEVNULL)
        if not poll_until(lambda: TAGGED.match(mpv_title()), 20):
            raise SystemExit("mpv did not start playing its tones")
        watch = Watch(str(build / "bench/pipeline/pipeline_watch"))
        rig.procs.append(watch.proc)
        # mpv alone: nothing on the bus listens to it but the watcher's match rule.
        results["alone"] = []
        for trigger in TRIGGERS:
            results["alone"] += changes(watch, trigger, None, lambda: None, misses)
        run_pipeline(rig, watch, env, results, misses)
        bolvin = [str(build / "bolvin"), "--player", "mpris"]
        tray = [str(build / "bench/pipeline/minimal_tray")]
        run_start_up(rig, watch, env, bolvin, tray, results, misses)
        run_bolvin(rig, watch, env, bolvin, tray, results, misses)
        report(results, misses)
    finally:
        rig.cleanup()
        subprocess.run(["rm", "-rf", str(work)], check=False)


def report(r, misses):
    def line(label, pipeline, bolvin, unit="ms", digits=1):
        ratio = f"{bolvin / pipeline:.2f}x" if pipeline else "-"
        print(f"{label:<58}{pipeline:>10.{digits}f} {unit:<3}{bolvin:>10.{digits}f} {unit:<3}{ratio:>8}")

    def spread(pipeline, bolvin):
        print(f"{'  p90 / its own median':<58}{p90(pipeline) / statistics.median(pipeline):>13.2f}x"
              f"{p90(bolvin) / statistics.median(bolvin):>13.2f}x")

    print(f"{'':<58}{'pipeline':>14}{'Bolvin':>14}{'ratio':>8}")
    for trigger in TRIGGERS:
        pipe, ours = column(r["pipeline", trigger], 2), column(r["bolvin", trigger], 2)
        line(f'"next" -> pop-up mapped, {trigger}, median (n={len(pipe)}/{len(ours)})',
             statistics.median(pipe), statistics.median(ours))
        line(f'"next" -> pop-up mapped, {trigger}, p90', p90(pipe), p90(ours))
        spread(pipe, ours)
    pipe_all = r["pipeline", "playerctl next"] + r["pipeline", "D-Bus Next"]
    ours_all = r["bolvin", "playerctl next"] + r["bolvin", "D-Bus Next"]
    line("tagged track signal -> pop-up mapped, median", statistics.median(column(pipe_all, 1)),
         statistics.median(column(ours_all, 1)))
    line("tagged track signal -> pop-up mapped, p90", p90(column(pipe_all, 1)), p90(column(ours_all, 1)))
    alone = statistics.median(column(r["alone"], 0))
    pipe_tags, ours_tags = statistics.median(column(pipe_all, 0)), statistics.median(column(ours_all, 0))
    line('"next" -> mpv\'s tagged signal, notifier attached, median', pipe_tags, ours_tags)
    print(f"{'  the same with nothing attached (mpv alone), median':<58}{alone:>10.1f} ms")
    print(f"{'  notifier attached / mpv alone':<58}{pipe_tags / alone:>13.2f}x{ours_tags / alone:>13.2f}x")
    # The player's own spread, which every notifier inherits: mpv-mpris's timer alone spans 100 ms.
    print(f"{'  mpv alone, p90 / its own median':<58}{p90(column(r['alone'], 0)) / alone:>13.2f}x")
    line(f"start -> tray icon mapped, median of {STARTS} (minimal Qt tray)",
         statistics.median(r["start", "tray"]), statistics.median(r["start", "bolvin"]))
    tray, ours, dunst = r["tray memory"], r["bolvin memory"], r["dunst memory"]
    line(f"RSS idle, paused mpv, after {r['popups']} pop-ups (minimal Qt tray)", tray[0], ours[0], "MB")
    line("PSS idle, paused mpv (minimal Qt tray)", tray[1], ours[1], "MB")
    line("RSS idle, paused mpv (dunst)", dunst[0], ours[0], "MB")
    line("PSS idle, paused mpv (dunst)", dunst[1], ours[1], "MB")
    line(f"wakeups/s idle over {IDLE_SECONDS} s (dunst + playerctl loop)", r["pipeline wakeups"],
         r["bolvin wakeups"], "/s")
    if misses:
        print("missed:", ", ".join(f"{m} x{misses.count(m)}" for m in sorted(set(misses))))


if __name__ == "__main__":
    main()
