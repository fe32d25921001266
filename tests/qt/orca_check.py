"""Runs Orca against the program, drives the program with keys and checks
what Orca said: the field's whole text, selected, when the field gets the
focus; the new top line after Space and after Return on the increase
button; and that the program still answers after word moves in the field.
Usage: orca_check.py PROGRAM WORKDIR (on a private bus and X server, as
orca_test.sh runs it). Exit status 77: Orca could not start."""
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

program, work = sys.argv[1], sys.argv[2]
log = os.path.join(work, "orca-debug.log")
# What Orca says after a selected text under each language.
SELECTED = {"bg": "избрано"}.get(os.environ.get("LANG", "")[:2], "selected")

# Orca, its debug log written line by line so that it can be read while
# Orca runs.
LAUNCH = """
import builtins, runpy, sys
log, prefs = sys.argv[1:]
plain_open = builtins.open
def open_by_lines(file, mode="r", buffering=-1, *args, **kwargs):
    if file == log and "w" in mode:
        buffering = 1
    return plain_open(file, mode, buffering, *args, **kwargs)
builtins.open = open_by_lines
sys.argv = ["orca", "-u", prefs, "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""

failures = []


def check(what, ok):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def said():
    try:
        with open(log, encoding="utf-8", errors="replace") as f:
            return re.findall(r"^.*SPEECH OUTPUT: '(.*)' ?(?:\{.*\})?$", f.read(), re.M)
    except FileNotFoundError:
        return []


def step(what, keys, wanted, timeout=8):
    """Presses `keys` (xdotool's names; "ctrl+X" holds Control down around
    X) and waits until Orca says something that holds `wanted`."""
    before = len(said())
    for key in keys:
        if key.startswith("ctrl+"):
            subprocess.run(["xdotool", "keydown", "Control_L"], check=True)
            time.sleep(0.2)
            subprocess.run(["xdotool", "key", key[5:]], check=True)
            time.sleep(0.2)
            subprocess.run(["xdotool", "keyup", "Control_L"], check=True)
        else:
            subprocess.run(["xdotool", "key", key], check=True)
        time.sleep(0.3)
    deadline = time.monotonic() + timeout
    while wanted and time.monotonic() < deadline and not any(wanted in s for s in said()[before:]):
        time.sleep(0.2)
    time.sleep(0.5)
    heard = said()[before:]
    print(f"  {what}: Orca said {heard}", flush=True)
    if wanted:
        check(f"{what}: Orca says {wanted!r}", any(wanted in s for s in heard))


def answers(pid):
    """Whether the program answers a screen reader's question in time."""
    Atspi.set_timeout(3000, 3000)
    try:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == pid:
                return app.get_child_count() > 0
    except gi.repository.GLib.Error as e:
        print(f"  no answer: {e.message}")
    return False


def start_orca():
    orca = subprocess.Popen([sys.executable, "-c", LAUNCH, log, os.path.join(work, "prefs")],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline and orca.poll() is None:
        if os.path.exists(log) and "ORCA: Starting registry" in open(log, errors="replace").read():
            time.sleep(1)
            return orca
        time.sleep(0.2)
    if orca.poll() is None:
        orca.kill()
    out = orca.communicate()[0].strip().replace("\n", " ")
    print(f"SKIP: Orca did not start: {out or 'no answer within 30 s'}")
    sys.exit(77)


def main():
    orca = start_orca()
    env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    app = subprocess.Popen([program], env=env)
    try:
        window = subprocess.run(["timeout", "20", "xdotool", "search", "--sync", "--onlyvisible",
                                 "--pid", str(app.pid)], capture_output=True, text=True).stdout.split()
        check("the window is shown", bool(window))
        if not window:
            return 1
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)
        time.sleep(2)  # Orca reads the window and the focused statement

        step("Tab to the field", ["Tab", "Tab", "Tab"], f"112 {SELECTED}")
        step("Home in the field", ["Home"], None)
        step("Ctrl+Right in the field", ["ctrl+Right"], None)
        step("Ctrl+Left in the field", ["ctrl+Left"], None)
        check("the program answers after the word moves", answers(app.pid))

        step("Tab to the increase button", ["Tab", "Tab"], "Увеличава със сбор")
        step("Space on the increase button", ["space"], "Сума от цифри: 8")
        step("Return on the increase button", ["Return"], "Сума от цифри: 7")
    finally:
        app.terminate()
        app.wait(10)
        orca.terminate()
        try:
            orca.wait(3)
        except subprocess.TimeoutExpired:  # its signal handler waits for an event
            orca.kill()
            orca.wait()
    print(f"{len(failures)} failed")
    return 1 if failures else 0


sys.exit(main())
