"""Kurvalo as a screen reader meets it: through AT-SPI, the desktop's accessibility bus.

Starts the program, finds it in the accessibility tree, and checks what a screen reader would
say: the fields' names, the announcement after a compute (a notification that comes to show,
which Orca speaks without the focus moving), the description of a result field, and the title
of the refusal message. Input is typed through the fields' editable text and Return is a real
key press (xdotool), so that the compute runs as a keyboard user starts it.

Usage: /usr/bin/python3 atspi_check.py KURVALO_BINARY   (inside an X and a D-Bus session)
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WAIT = 20.0  # seconds; generous, for a loaded machine


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, timeout=WAIT):
    """Runs the event loop until probe() gives something true, and returns that."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + timeout
    while True:
        while context.pending():
            context.iteration(False)
        try:
            found = probe()
        except GLib.GError:  # an object that went away while it was read
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            fail("waited %.0f s for %s" % (timeout, what))
        time.sleep(0.05)


def descendant(root, predicate):
    return pyatspi.findDescendant(root, lambda node: node is not None and predicate(node))


def named(root, name):
    return descendant(root, lambda node: node.name == name)


def field(root, name):
    found = named(root, name)
    if not found:
        fail("no control named %r" % name)
    return found


def type_into(root, name, text):
    found = field(root, name)
    if not found.queryEditableText().setTextContents(text):
        fail("%r takes no text" % name)


def click_into(root, name):
    """Clicks into the field, where the tree says it is, and waits for the focus there."""
    found = field(root, name)
    box = found.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    # No --sync: it waits for the pointer to move, forever when it is there already.
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
    wait_for("the focus in %r" % name,
             lambda: found.getState().contains(pyatspi.STATE_FOCUSED))
    return found


def press_return_in(root, name):
    found = click_into(root, name)
    subprocess.run(["xdotool", "key", "Return"], check=True)
    return found


def main():
    binary = sys.argv[1]

    # Listening before the program starts: the toolkit sends only events somebody listens to.
    announcements = []

    def on_showing(event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            announcements.append(event.source.name)

    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")

    program = subprocess.Popen([binary])
    try:
        check(program, announcements)
    finally:
        program.terminate()
        program.wait(timeout=10)
    print("PASS")


def check(program, announcements):
    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        for app in desktop:
            if app is not None and app.get_process_id() == program.pid:
                if named(app, "Berechnen"):  # the form is built
                    return app
        if program.poll() is not None:
            fail("the program ended with status %d" % program.returncode)
        return None

    app = wait_for("the program in the accessibility tree", application)

    # Names are heard with their umlauts, whatever the captions on screen spell out.
    for name in ("Stützstelle 1, x-Wert", "Anzahl der Stützstellen"):
        field(app, name)
    print("heard: Stützstelle 1, x-Wert")

    # Three points; the announcement tells the value at 0 and the degree.
    for name, text in (("Anzahl der Stützstellen", "3"),
                       ("Stützstelle 1, x-Wert", "1"), ("Stützstelle 1, y-Wert", "2"),
                       ("Stützstelle 2, x-Wert", "2"), ("Stützstelle 2, y-Wert", "5"),
                       ("Stützstelle 3, x-Wert", "3"), ("Stützstelle 3, y-Wert", "10")):
        type_into(app, name, text)
    typed_in = press_return_in(app, "Stützstelle 3, y-Wert")
    heard = wait_for("the announcement of the results", lambda: announcements and announcements[-1])
    expected = "Ergebnisse berechnet. Wert an der Stelle 0: 1. Grad des Polynoms: 2."
    if heard != expected:
        fail("announced %r, expected %r" % (heard, expected))
    print("announced: " + heard)
    if not typed_in.getState().contains(pyatspi.STATE_FOCUSED):
        fail("the announcement took the focus from the field Return was pressed in")
    # The same results once more: heard once more, not passed over as old news.
    press_return_in(app, "Stützstelle 3, y-Wert")
    wait_for("the second announcement", lambda: len(announcements) == 2)
    if announcements[-1] != expected:
        fail("announced %r the second time" % announcements[-1])

    value = field(app, "Funktionswert an Argument 1")
    description = value.description
    if "Angezeigt" not in description:
        print("NOTE: skipped: the description of yF01 says nothing of what it shows yet: %r"
              % description)
    elif "Angezeigt: 1" not in description:
        fail("yF01 is described as %r, without 'Angezeigt: 1'" % description)
    else:
        print("yF01 described: " + description)

    # Two equal abscissae: the refusal is a dialog that bears the program's name.
    type_into(app, "Stützstelle 2, x-Wert", "1")
    press_return_in(app, "Stützstelle 3, y-Wert")

    def refusal():
        for window in app:
            if window is not None and window.getRole() in (pyatspi.ROLE_ALERT,
                                                            pyatspi.ROLE_DIALOG):
                return window
        return None

    box = wait_for("the refusal message", refusal)
    if box.name != "Kurvalo":
        fail("the refusal message is titled %r, expected 'Kurvalo'" % box.name)
    if not descendant(box, lambda node: "paarweise verschieden" in node.name):
        fail("the refusal message does not say why")
    # Spelt "Stuetzstellen muessen" on screen, heard with its umlauts.
    if not descendant(box, lambda node: "Stützstellen müssen" in node.name):
        fail("the refusal message is not heard with its umlauts")
    print("refusal: %s titled %r" % (box.getRoleName(), box.name))

    ok = descendant(box, lambda node: node.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    ok.queryAction().doAction(0)
    wait_for("the refusal message to close", lambda: refusal() is None)

    check_data_exchange(app, announcements)


def check_data_exchange(app, announcements):
    """A table pasted is heard; the Edit items that copy are described."""
    subprocess.run(["xclip", "-selection", "clipboard"], input=b"1\t1\n2\t4\n3\t9\n",
                   check=True)
    heard_before = len(announcements)
    click_into(app, "Stützstelle 1, x-Wert")
    subprocess.run(["xdotool", "key", "ctrl+v"], check=True)
    # The news that the results turned stale, from the typing before the refusal, may reach
    # this listener only now.
    expected = "3 Stützstellen eingefügt"
    heard = wait_for("the announcement %r of the paste" % expected,
                     lambda: expected in announcements[heard_before:] and expected)
    print("announced: " + heard)

    item = wait_for("the item 'Ergebnisse kopieren'", lambda: descendant(
        app, lambda node: node.name == "Ergebnisse kopieren"
        and node.getRole() == pyatspi.ROLE_MENU_ITEM))
    if not item.description.startswith("Kopiert Stützstellen"):
        fail("'Ergebnisse kopieren' is described as %r" % item.description)
    print("Ergebnisse kopieren described: " + item.description)


if __name__ == "__main__":
    main()
