"""Reads the running program over AT-SPI as a screen reader does: the intro page's buttons by name, the
announcement of a focus change, the press action of "Orvalis", then the section's list of titles (and the
line that the Down key moves to, announced) and the topic's text with its links.

Run by atspi_reading_test.sh inside a virtual X server and a session bus of its own. Exits 0 when all is
seen as expected, 1 with a message otherwise."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM = sys.argv[1]
INTRO_BUTTONS = ["Orvalis", "Doe de Orvakwis!", "Ben ik te zwaar?", "Disclaimer"]
# Waits for the program to show what is asked; generous, since the start-up loads the whole database.
PATIENCE = 90


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def walk(node, depth=0):
    """Every object below node, depth first (at most 40 levels deep)."""
    if node is None or depth > 40:
        return
    yield node
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


# The exit code when the program ended before it showed, having found no display to open (the wrapper then
# tries again on another virtual X server).
NO_DISPLAY = 75


def find_program(program):
    if program.poll() is not None:
        print("the program ended before it showed (exit code %d)" % program.returncode)
        sys.exit(NO_DISPLAY)
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and (app.name or "").lower() == "orvalis":
            return app
    return None


def wait_for(what, probe):
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.5)
    fail("not seen within %d s: %s" % (PATIENCE, what))


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def buttons(app):
    return {n.name: n for n in walk(app) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and showing(n)}


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            action.doAction(i)
            return
    fail("%r has no press action" % node.name)


def focus_announced(name, trigger):
    """Runs trigger and waits until the bus announces that the object called name took the focus."""
    seen = []
    listener = lambda event: seen.append(event.source.name if event.detail1 and event.source else None)
    pyatspi.Registry.registerEventListener(listener, "object:state-changed:focused")
    try:
        trigger()
        context = GLib.MainContext.default()

        def heard():
            while context.pending():
                context.iteration(False)
            return name in seen

        wait_for("the focus of %r announced" % name, heard)
    finally:
        pyatspi.Registry.deregisterEventListener(listener, "object:state-changed:focused")


def set_focus(node):
    action = node.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if "setfocus" not in names:
        fail("%r cannot take the focus: actions %r" % (node.name, names))
    action.doAction(names.index("setfocus"))


def key(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def main():
    program = subprocess.Popen([PROGRAM])
    try:
        app = wait_for("the program on the accessibility bus", lambda: find_program(program))
        intro = wait_for("the intro buttons " + ", ".join(INTRO_BUTTONS),
                         lambda: buttons(app) if all(b in buttons(app) for b in INTRO_BUTTONS) else None)
        print("intro buttons:", ", ".join(sorted(intro)))
        focus_announced("Doe de Orvakwis!", lambda: set_focus(intro["Doe de Orvakwis!"]))
        if not intro["Doe de Orvakwis!"].getState().contains(pyatspi.STATE_FOCUSED):
            fail("the focused button does not say so")
        print("focus announced: Doe de Orvakwis!")
        press(intro["Orvalis"])

        def topic():
            texts = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_TEXT and showing(n)
                     and n.queryText().characterCount > 0]
            lists = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_LIST and showing(n) and n.childCount]
            return (texts[0], lists[0]) if texts and lists else None

        text, titles = wait_for("the topic text and the list of titles", topic)
        content = text.queryText().getText(0, -1)
        print("topic text: %d characters, beginning %r" % (len(content), content[:80]))
        if "<" in content and ">" in content[content.index("<"):]:
            fail("the topic text still holds markup tags")

        names = [titles.getChildAtIndex(i).name for i in range(titles.childCount)]
        print("titles: %d, the first %r" % (len(names), names[:3]))
        if not all(names) or any("|" in name for name in names):
            fail("list items must be named by their titles only: %r" % names[:5])
        selected = [titles.getChildAtIndex(i) for i in range(titles.childCount)
                    if titles.getChildAtIndex(i).getState().contains(pyatspi.STATE_SELECTED)]
        if len(selected) != 1:
            fail("one line of the list is selected, not %d" % len(selected))
        labels = [n.name for n in walk(app) if n.getRole() == pyatspi.ROLE_LABEL and showing(n)]
        if selected[0].name not in labels:
            fail("the selected title %r heads the text (labels: %r)" % (selected[0].name, labels))

        # The keyboard in the list: Down selects the next title, which the bus announces as focused.
        at = names.index(selected[0].name)
        set_focus(titles)
        focus_announced(names[at + 1], lambda: key(0xFF54))
        print("focus announced after Down:", names[at + 1])

        links = [text.getChildAtIndex(i) for i in range(text.childCount)]
        print("links:", [(link.name, link.getRoleName()) for link in links])
        if any(link.getRole() != pyatspi.ROLE_LINK or not link.name for link in links):
            fail("the text's children are named links")
        print("PASS")
    finally:
        subprocess.run([PROGRAM, "uninstall"], timeout=30, check=False)
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            program.kill()


if __name__ == "__main__":
    main()
