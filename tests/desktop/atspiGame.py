#!/usr/bin/python3
# A whole game through AT-SPI alone, as a screen reader user plays it: the program is started on
# the private D-Bus session and X server this runs in; controls are found by role and name,
# pressed through their Action, and the status line is heard through its text events. Prints the
# board's tree and what one computer turn announces.
import subprocess
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("SKIP: python3-pyatspi is missing")
    sys.exit(77)

heard = []  # (kind, role, name, detail, source) in the order the events came


def listen(event):
    source = event.source
    try:
        role, name = source.getRoleName(), source.name
    except Exception:
        return
    if event.type.startswith("object:text-changed:insert"):
        heard.append(("text", role, name, event.any_data, source))
    elif event.type.startswith("object:state-changed:"):
        state = event.type.split(":")[2]
        if state in ("focused", "showing"):
            heard.append((state, role, name, "on" if event.detail1 else "off", source))
    elif event.type.startswith("object:property-change:accessible-name"):
        heard.append(("name", role, name, "", source))
    elif event.type == "window:activate":
        heard.append(("window", role, name, "", source))


def pump(seconds, done=lambda: False):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end and not done():
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)
    return done()


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node))
    for child in node:
        walk(child, depth + 1, out)
    return out


def find(root, role, name=None, prefix=None):
    for _, node in walk(root):
        if node.getRoleName() == role and (name is None or node.name == name) and (
                prefix is None or node.name.startswith(prefix)):
            return node
    return None


def press(node):
    assert node.queryAction().doAction(0), node.name


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quillmere":
            return app
    return None


def board_dialog():
    app = application()
    return app and find(app, "dialog", "Quillmere")


program = subprocess.Popen([sys.argv[1]])
try:
    assert pump(20, lambda: board_dialog() is not None), "the board is not on the bus"
    board = board_dialog()
    for depth, node in walk(application()):
        states = " ".join(pyatspi.stateToString(s) for s in node.getState().getStates())
        print("  " * depth + "%s %r [%s]" % (node.getRoleName(), node.name, states))
    for kind in ("object:text-changed:insert", "object:state-changed",
                 "object:property-change:accessible-name", "window:activate"):
        pyatspi.Registry.registerEventListener(listen, kind)
    statusLine = find(board, "label", "\u00bfQu\u00eden comienza?")
    assert statusLine, "no status line"
    text = lambda: statusLine.queryText().getText(0, -1)
    sticks = [n for _, n in walk(board) if n.getRoleName() == "push button" and
              n.name.startswith("Fila ")]
    assert len(sticks) == 16 and all(s.name.endswith(": est\u00e1") for s in sticks)

    lever = find(board, "push button", "IQ Ordanel: bajo")
    press(lever)
    assert pump(5, lambda: lever.name == "IQ Ordanel: m\u00e1s alto"), lever.name

    # The computer opens: one computer turn, as it is heard.
    pump(1)
    heard.clear()
    press(find(board, "push button", "Ordanel Software"))
    said = lambda: [d for k, r, n, d, source in heard if k == "text" and source == statusLine]
    prompt = "TE TOCA A TI: Selecciona palitos (en una linea)"
    assert pump(15, lambda: said()[-1:] == [prompt]), said()
    pump(1)
    turn = list(heard)
    print("one computer turn:")
    for kind, role, name, detail, _ in turn:
        print("  %s %s %r %s" % (kind, role, name, detail))
    assert said()[0] == "ORDANEL SOFTWARE: ............", said()
    assert any(k == "name" and n.endswith(": removido") for k, r, n, d, _ in turn)

    # A refusal is heard too: two rows at once.
    rows = {}
    for stick in sticks:
        if stick.name.endswith(": est\u00e1"):
            rows.setdefault(stick.name.split(",")[0], []).append(stick)
    first, second = list(rows.values())[:2]
    press(first[0])
    press(second[0])
    assert pump(5, lambda: text().startswith("\u00a1Solo de UNA linea")), text()
    press(first[0])  # deselects it
    assert pump(5, lambda: first[0].name.endswith(": est\u00e1")), first[0].name

    # Then the player takes one stick a turn, the focus going where the screen reader moves it,
    # until the game ends with its message.
    app = application()
    message = lambda: find(app, "dialog", "Fin del juego")
    for turn in range(20):
        if message():
            break
        stick = next(s for s in sticks if s.name.endswith(": est\u00e1"))
        stick.queryComponent().grabFocus()
        assert pump(5, lambda: stick.getState().contains(pyatspi.STATE_FOCUSED)), stick.name
        press(stick)
        assert pump(5, lambda: stick.name.endswith(": seleccionado")), stick.name
        heard.clear()
        press(find(board, "push button", "S\u00ed, remueveme estos"))
        pump(30, lambda: message() or said()[-1:] == [prompt])
    assert message(), "the game did not end"
    assert message().getState().contains(pyatspi.STATE_MODAL)
    # It tells who won: the player, when the computer moved last.
    computerMoved = "ORDANEL SOFTWARE: ............" in said()
    assert message().description == ("Bueno. Hm. Ganas. Esta vez." if computerMoved else
                                     "ORDANEL SOFTWARE GANO!!!"), message().description
    press(find(message(), "push button", "OK"))
    assert pump(10, lambda: text() == "\u00bfQu\u00eden comienza?"), text()
    print("a whole game: the message came, the board asks again who starts")
    press(find(board, "push button", "Salir"))
    assert program.wait(10) == 0, "the program did not end well"
finally:
    if program.poll() is None:
        program.terminate()
        program.wait(10)
