"""Reading and driving the program through the accessibility bus, as a screen reader does:
find the program, walk its tree, wait for what it shows and says, press by action."""

import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


# A call the program does not answer at once (an action that opens a modal dialog) is
# given up after a few seconds; the program goes on with it all the same.
pyatspi.setTimeout(4000, 15000)


def pump(seconds=0.2):
    # The bus's events come through GLib's loop.
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def program(timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and (app.name or "").lower() == "orbelle":
                return app
        time.sleep(0.2)
    fail("the program never showed on the accessibility bus")


def every(node, depth=0):
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
        yield from every(child, depth + 1)


def has_state(node, state):
    try:
        return node.getState().contains(state)
    except Exception:
        return False


def showing(node):
    return has_state(node, pyatspi.STATE_SHOWING)


def role(node):
    try:
        return node.getRoleName()
    except Exception:
        return ""


def wait_for(app, test, what, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        for node in every(app):
            try:
                if test(node):
                    return node
            except Exception:
                pass
        pump(0.2)
    # What could be read instead, for the one who has to find out why.
    for node in every(app):
        if showing(node) and role(node) not in ("filler", "panel", "unknown") and node.name:
            print("  %s \"%s\"" % (role(node), node.name[:80]))
    fail(what)


def plain(name):
    return (name or "").replace("&", "")


def button(app, name, timeout=30):
    return wait_for(app, lambda n: role(n) == "push button" and plain(n.name) == name and showing(n),
                    "no button \"%s\" can be read" % name, timeout)


def actions(node):
    try:
        a = node.queryAction()
    except Exception:
        return []
    return [a.getName(i) for i in range(a.nActions)]


def act(node, name=None, what=""):
    a = node.queryAction()
    names = [a.getName(i) for i in range(a.nActions)]
    wanted = name if name is not None else next((n for n in names if n.lower() in ("press", "click")), None)
    if wanted not in names:
        fail("%s offers no action \"%s\" (offers: %s)" % (what or node.name, wanted, ", ".join(names)))
    try:
        a.doAction(names.index(wanted))
    except GLib.GError as error:
        # An action that opens a modal dialog answers only when the dialog closes: a
        # screen reader goes on, and so does this.
        if "reply" not in str(error):
            raise


def press(app, name):
    act(button(app, name), what="\"%s\"" % name)


class Heard:
    """What the program says: every notice shown, in order."""

    def __init__(self):
        self.said = []
        pyatspi.Registry.registerEventListener(self._event, "object:state-changed:showing")
        # As a screen reader does: names that change are heard, so the bus's copy of them
        # stays fresh.
        pyatspi.Registry.registerEventListener(lambda event: None, "object:property-change:accessible-name")

    def _event(self, event):
        try:
            if event.detail1 and role(event.source) in ("notification", "alert") and event.source.name:
                self.said.append(event.source.name)
        except Exception:
            pass

    def wait(self, test, what, timeout=30, since=0):
        """The first text said from index since on that passes test, and the index after it."""
        end = time.time() + timeout
        while time.time() < end:
            for i, text in enumerate(self.said[since:], since):
                if test(text):
                    return text, i + 1
            pump(0.2)
        fail("%s was never said (said since: %s; before: %s)" %
             (what, " | ".join(self.said[since:]), " | ".join(self.said[max(0, since - 4):since])))


def set_text(node, text):
    editable = node.queryEditableText()
    editable.setTextContents(text)


def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return ""
