"""Four readings done through the accessibility bus alone, as a blind user does them with a
screen reader: every prompt is said, every drawn card is said by name, the interpretation
takes the keyboard to its first meaning, read with its place and card, and the readings
end in a report saved to a file that names every card."""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi import (Heard, act, actions, button, every, fail, has_state, press, program, pump,  # noqa: E402
                   role, set_text, showing, text_of, wait_for)
import pyatspi  # noqa: E402

app = program()
heard = Heard()
heard.start = 0  # what the readings before have already heard
drawn = []  # every card name said, over all readings


def table(app):
    return wait_for(app, lambda n: role(n) == "canvas" and n.name == "Mesa de las cartas" and showing(n),
                    "no laying table can be read")


def lay(count, prompt=None):
    """Draws count cards by the table's press action; returns the names said."""
    names = []
    laying = table(app)
    since = heard.start
    for k in range(1, count + 1):
        expected = prompt(k) if prompt else None
        if expected:
            _, since = heard.wait(expected, "the prompt for card %d" % k, since=since)
        # The table takes a draw once it offers one.
        wait_for(app, lambda n: n is laying and "Press" in actions(n) or
                 n is laying and "press" in actions(n), "the table never offered card %d" % k)
        act(laying, what="the laying table")
        said, since = heard.wait(lambda t: t.startswith("Has sacado: "), "card %d" % k, since=since)
        names.append(said[len("Has sacado: "):])
    # The revealed slots carry the same names.
    slots = [laying.getChildAtIndex(i).name for i in range(count)]
    if slots != names:
        fail("the slots read %s, the draws said %s" % (slots, names))
    if laying.getChildAtIndex(count).name != "Carta boca abajo 1 de 78":
        fail("a back reads \"%s\"" % laying.getChildAtIndex(count).name)
    drawn.extend(names)
    heard.start = since
    return names


def frame_of(node):
    while node is not None and role(node) not in ("frame", "internal frame", "dialog", "window"):
        node = node.parent
    return node


def press_in(node, name):
    """Presses the button of that name in the window that holds node."""
    window = frame_of(node)
    found = next((n for n in every(window) if role(n) == "push button" and n.name.replace("&", "") == name and
                  showing(n)), None)
    if found is None:
        fail("the window \"%s\" has no button \"%s\"" % (window.name if window else "?", name))
    act(found, what="\"%s\"" % name)


def focused_meaning(starts):
    return wait_for(app, lambda n: role(n) == "text" and has_state(n, pyatspi.STATE_FOCUSED) and
                    (n.name or "").startswith(starts),
                    "the keyboard is not on a meaning read as \"%s…\"" % starts)


# --- The card of the day ---
press(app, "¡Su carta para hoy!")
names = lay(1, prompt=lambda k: lambda t: t == "¡Saque su carta para hoy, por favor!")
meaning = focused_meaning("Tu carta para hoy: " + names[0])
if not text_of(meaning).strip():
    fail("the day card's meaning is empty")
press_in(meaning, "Guardar")
press_in(meaning, "Atrás")


def answer(text, buttons=("OK", "Aceptar")):
    """Types an answer into the question box that has just opened, and takes it."""
    box = wait_for(app, lambda n: role(n) == "text" and showing(n) and
                   has_state(n, pyatspi.STATE_EDITABLE) and has_state(n, pyatspi.STATE_FOCUSED),
                   "no question box took the keyboard")
    set_text(box, text)
    dialog = box
    while dialog is not None and role(dialog) not in ("dialog", "frame", "window"):
        dialog = dialog.parent
    ok = next((n for n in every(dialog) if role(n) == "push button" and
               n.name.replace("&", "") in buttons and showing(n)), None)
    if ok is None:
        fail("the question box has no OK")
    act(ok, what="OK")


# --- The cross, with a question ---
press(app, "Cruz")
prompt = wait_for(app, lambda n: role(n) == "push button" and n.name.startswith("¡Si quiere una respuesta") and
                  showing(n), "the cross's question prompt cannot be read")
act(prompt, what="the question prompt")
cross = lay(4, prompt=lambda k: (lambda t: t == "¡Saque por favor cuatro cartas!") if k == 1 else None)
meaning = focused_meaning(cross[0])
press_in(meaning, "Guardar")
answer("¿Cambio de trabajo?")
press_in(meaning, "Atrás")

# --- The relationship reading ---
press(app, "El juego de relacíon")
for name in ("Ana", "Luis"):
    box = wait_for(app, lambda n: role(n) == "text" and has_state(n, pyatspi.STATE_EDITABLE) and showing(n) and
                   len(n.name or "") > 5, "the names box is not read with its question")
    set_text(box, name)
    ok = wait_for(app, lambda n: role(n) == "push button" and n.name == "OK" and showing(n) and
                  has_state(n, pyatspi.STATE_ENABLED), "no OK for the name")
    act(ok, what="OK")
    pump(0.5)
couple = lay(6)
first = focused_meaning("")
if not first.name or couple[0].split(": ")[-1] not in first.name:
    fail("the relationship's first meaning reads \"%s\", not its card %s" % (first.name, couple[0]))
press_in(first, "Guardar")
press_in(first, "Atrás")

# --- The Celtic cross ---
press(app, "Das Keltische Kreuz")
celtic = lay(10, prompt=lambda k: lambda t: t.startswith("Saque la carta %d de 10" % k))
spread = wait_for(app, lambda n: role(n) == "canvas" and (n.name or "").startswith("Cruz celta, 1. ") and
                  has_state(n, pyatspi.STATE_FOCUSED), "the Celtic spread does not take the keyboard at 1")
act(spread, "Posición 3", "the Celtic spread")
wait_for(app, lambda n: n.name == "Cruz celta, " + celtic[2], "position 3 is not read as \"%s\"" % celtic[2])
press_in(spread, "Guardar")
answer("")
pump(0.5)
press_in(spread, "Atrás")

# --- The report, saved ---
save = wait_for(app, lambda n: role(n) == "menu item" and n.name.startswith("Guardar") and showing(n),
                "the viewer's \"Guardar\" cannot be read")
act(save, what="the viewer's Guardar", name=actions(save)[0])
path = os.path.join(os.environ["HOME"], "tiradas.rtf")
answer(path, buttons=("Save", "Guardar"))
for _ in range(100):
    if os.path.exists(path) and os.path.getsize(path) > 0:
        break
    pump(0.2)
else:
    fail("the report was not saved")
pump(1)
# Line ends in an RTF file's source are no part of its text.
raw = open(path, "rb").read().decode("latin-1").replace("\r", "").replace("\n", "")
# A \uN is followed by its one-byte fallback (\'hh or ?), which a reader skips.
text = re.sub(r"\\u(-?\d+)(?:\\'[0-9a-f]{2}|\?)?", lambda m: chr(int(m.group(1)) % 65536), raw)
text = re.sub(r"\\'([0-9a-f]{2})", lambda m: bytes([int(m.group(1), 16)]).decode("cp1252"), text)
missing = [name for name in drawn if name.split(": ")[-1] not in text]
if missing:
    fail("the saved report does not name %s" % ", ".join(missing))
if "¿Cambio de trabajo?" not in text:
    fail("the saved report lacks the cross's question")
print("readings:", drawn)
print("ok")
