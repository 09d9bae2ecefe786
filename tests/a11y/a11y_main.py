"""The main window as a screen reader meets it: every reading of the panel is a button it
can name and press, the menus are named, and pressing a button through the accessibility
interface opens what the button says."""

import sys
import time

import pyatspi


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


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


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def wait_for(app, test, what, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        for node in every(app):
            try:
                if test(node):
                    return node
            except Exception:
                pass
        time.sleep(0.2)
    fail(what)


def button(app, name):
    return wait_for(app, lambda n: n.getRoleName() == "push button" and n.name == name and showing(n),
                    "no button \"%s\" can be read" % name)


app = program()
# The panel: every reading and the exit, each named and pressable.
for name in ["Cruz", "El juego de relacíon", "Das Keltische Kreuz", "Das Entscheidungsspiel", "¡Su carta para hoy!",
             "Sacar solo las cartas", "Estudiar tarot", "Salír"]:
    node = button(app, name)
    actions = node.queryAction()
    if not any(actions.getName(i) in ("Press", "press", "click") for i in range(actions.nActions)):
        fail("\"%s\" offers no press action" % name)
# The menu bar's entries are named.
menus = [n.name for n in every(app) if n.getRoleName() == "menu item"]
for name in ["Tiradas de tarot", "Sobre tarot", "Salir"]:
    if name not in menus:
        fail("the menu entry \"%s\" cannot be read (read: %s)" % (name, ", ".join(menus)))
# Pressed through the accessibility interface, "Estudiar tarot" opens the school.
school = button(app, "Estudiar tarot")
school.queryAction().doAction(0)
wait_for(app, lambda n: n.getRoleName() == "push button" and n.name.replace("&", "") == "Sigiente" and showing(n),
         "the school did not open, or its \"Sigiente\" cannot be read")
print("ok")
