"""Reads the program's window through AT-SPI: names, roles, texts and
states of its controls; then presses the increase button through its
action and reads the field and the top line again."""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

CAPTION_END = "Информатика - сума, разлика между цифри и число"


def enable_accessibility():
    # What a screen reader does on start: tell applications to expose
    # themselves on the accessibility bus.
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    for prop in ("IsEnabled", "ScreenReaderEnabled"):
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", prop, GLib.Variant("b", True))),
                      None, Gio.DBusCallFlags.NONE, 5000, None)


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def text_of(node):
    if "Text" not in node.get_interfaces():
        return None
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def find_window(timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None or app.get_name() != "Velmora":
                continue
            for i in range(app.get_child_count()):
                node = app.get_child_at_index(i)
                if node is not None and node.get_name().endswith(CAPTION_END):
                    check("the window is a frame", node.get_role() == Atspi.Role.FRAME)
                    return node
        time.sleep(0.1)
    return None


def controls(window):
    found = []
    for node in walk(window):
        states = node.get_state_set()
        found.append({
            "role": node.get_role(), "name": node.get_name(), "text": text_of(node),
            "node": node,
            "showing": states.contains(Atspi.StateType.SHOWING),
            "editable": states.contains(Atspi.StateType.EDITABLE),
            "multi": states.contains(Atspi.StateType.MULTI_LINE),
        })
    return found


failures = []


def check(what, ok):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def one(found, **want):
    matches = [c for c in found if all(c[k] == v for k, v in want.items())]
    return matches[0] if len(matches) == 1 else None


def main():
    enable_accessibility()
    program = subprocess.Popen([sys.argv[1]])
    try:
        window = find_window(20)
        check("the window is on the accessibility bus", window is not None)
        if window is None:
            return 1
        found = controls(window)
        for c in found:
            print(f"  {c['role'].value_nick:14} {c['name']!r:50.50} showing={c['showing']}")

        field = one(found, role=Atspi.Role.TEXT, name="Число")
        check("the field is named by its caption", field is not None)
        check("the field shows 112", field is not None and field["text"] == "112")
        check("the field is editable", field is not None and field["editable"])
        increase = one(found, role=Atspi.Role.PUSH_BUTTON, name="Увеличава със сбор")
        check("increase button by its caption", increase is not None)
        check("decrease button by its caption",
              one(found, role=Atspi.Role.PUSH_BUTTON, name="Намалява със сбор") is not None)
        check("the top line is a label with its text",
              one(found, role=Atspi.Role.LABEL,
                  name="Естествено число - сума и разлика от цифри") is not None)
        check("the caption is a label named Число",
              one(found, role=Atspi.Role.LABEL, name="Число") is not None)
        statements = [c for c in found if c["multi"]]
        check("one multi-line text is exposed", len(statements) == 1)
        if statements:
            check("the statement is named Условие на задачата",
                  statements[0]["name"] == "Условие на задачата")
            check("the statement reads to its last line",
                  "Проверете дали е възможно" in (statements[0]["text"] or ""))
            check("the statement is read-only", not statements[0]["editable"])
        check("the saying is not exposed", not any("Неприятното" in (c["text"] or "") for c in found))
        own = [window.get_child_at_index(i) for i in range(window.get_child_count())]
        unnamed = [c.get_role().value_nick for c in own if c is not None and not c.get_name()]
        check(f"the window's {len(own)} controls have names (unnamed: {unnamed})",
              len(own) == 6 and not unnamed)

        if increase is not None:
            # What a screen reader hears of the press: the top line's new
            # name, and a notification that appears with it.
            renamed, shown = [], []
            announced = (Atspi.Role.NOTIFICATION, "Сума от цифри: 8")
            listener = Atspi.EventListener.new(
                lambda event: renamed.append((event.source.get_role(), event.source.get_name())))
            listener.register("object:property-change:accessible-name")
            showing = Atspi.EventListener.new(lambda event: event.detail1 and shown.append(
                (event.source.get_role(), event.source.get_name())))
            showing.register("object:state-changed:showing")
            Atspi.Action.do_action(increase["node"], 0)
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline:
                while GLib.MainContext.default().iteration(False):
                    pass
                found = controls(window)
                if (Atspi.Role.LABEL, "Сума от цифри: 8") in renamed and announced in shown:
                    break
                time.sleep(0.1)
            listener.deregister("object:property-change:accessible-name")
            showing.deregister("object:state-changed:showing")
            check("the press announces the top line's new name",
                  (Atspi.Role.LABEL, "Сума от цифри: 8") in renamed)
            check(f"a notification with the new top line appears (shown: {shown})",
                  announced in shown)
            check("after increase the top line reads Сума от цифри: 8",
                  one(found, role=Atspi.Role.LABEL, name="Сума от цифри: 8") is not None)
            field = one(found, role=Atspi.Role.TEXT, name="Число")
            check("after increase the field reads 116", field is not None and field["text"] == "116")
    finally:
        program.terminate()
        program.wait(10)
    print(f"{len(failures)} failed")
    return 1 if failures else 0


sys.exit(main())
