"""Runs Orca, drives the program with keys and checks what Orca said (what
reached the speech server), step by step: the field read whole, a program
that still answers after word moves in the field, and each press heard.
Usage: orca_check.py PROGRAM WORKDIR, as orca_test.sh runs it. Exit status
77: Orca did not start."""
import os
import subprocess
import sys
import time
from pathlib import Path

program, work = sys.argv[1], sys.argv[2]
SELECTED = "избрано" if os.environ.get("LANG", "").startswith("bg") else "selected"
failures = []


def said():
    spoken = Path(work, "spoken.txt")
    return spoken.read_text(encoding="utf-8").splitlines() if spoken.exists() else []


def check(what, ok):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    failures.extend([] if ok else [what])


def step(what, keys, wanted=None):
    """Presses `keys` ("ctrl+X": Control held around X); waits for `wanted`."""
    before = len(said())
    for key in keys:
        presses = [["keydown", "Control_L"], ["key", key[5:]], ["keyup", "Control_L"]] \
            if key.startswith("ctrl+") else [["key", key]]
        for press in presses:
            subprocess.run(["xdotool", *press], check=True)
            time.sleep(0.2)
    deadline = time.monotonic() + 8
    while wanted and time.monotonic() < deadline and not any(wanted in s for s in said()[before:]):
        time.sleep(0.2)
    time.sleep(0.8)
    print(f"  {what}: Orca said {said()[before:]}", flush=True)
    if wanted:
        check(f"{what}: Orca says {wanted!r}", any(wanted in s for s in said()[before:]))


def main():
    orca = subprocess.Popen(["orca", "-u", os.path.join(work, "prefs")], stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True)
    deadline = time.monotonic() + 30  # until it says that it runs
    while not said() and orca.poll() is None and time.monotonic() < deadline:
        time.sleep(0.2)
    if not said():
        orca.kill()
        print("SKIP: Orca did not start: " + (orca.communicate()[0].strip() or "silent for 30 s"))
        return 77
    app = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        window = subprocess.run(["timeout", "20", "xdotool", "search", "--sync", "--onlyvisible",
                                 "--pid", str(app.pid)], capture_output=True, text=True).stdout.split()
        check("the window is shown", bool(window))
        if window:
            subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True)
            time.sleep(2)  # Orca reads the window and the focused statement
            step("Tab to the field", ["Tab", "Tab", "Tab"], f"112 {SELECTED}")
            for keys in ("Home", "ctrl+Right", "ctrl+Left"):  # Orca asks for the word at the caret
                step(f"{keys} in the field", [keys])
            # Orca hears of the Tab only from a program that still answers.
            step("after the word moves, Tab to the increase button", ["Tab", "Tab"],
                 "Увеличава със сбор")
            step("Space on the increase button", ["space"], "Сума от цифри: 8")
            step("Return on the increase button", ["Return"], "Сума от цифри: 7")
    finally:
        for process in (app, orca):  # Orca may wait for an event before it ends on TERM
            process.kill()
            process.wait()
    print(f"{len(failures)} failed")
    return 1 if failures else 0


sys.exit(main())
