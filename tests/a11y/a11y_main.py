"""The main window as a screen reader meets it: every reading of the panel is a button it
can name and press, the menus are named, and pressing a button through the accessibility
interface opens what the button says."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi import button, every, fail, program, showing, wait_for  # noqa: E402

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
