#!/usr/bin/python3
"""A clerk's report run with the keyboard alone, watched from outside through AT-SPI.

The desktop host runs on its own display and session bus (run_keyboard_only.sh makes them);
this script finds it in the accessibility tree, types as a person would (the keys go in
through the accessibility registry, as an on-screen keyboard or a switch device sends them),
and after every step checks what the tree says: which widget has the focus and its name,
which radio button is checked, the picker's count, the preview's window. At the end the PDF
exported by its key must hold the report's pages.

usage: keyboard_only.py WORK_FOLDER
"""
import os
import subprocess
import sys
import time

import pyatspi

TIMEOUT = 20.0
CONTROL, SHIFT, ALT = 4, 1, 8  # X modifier masks

work = sys.argv[1]
steps = []


def fail(message):
    print("\n".join(steps), file=sys.stderr)
    print("FALHOU: " + message, file=sys.stderr)
    try:  # what is on screen, for whoever reads the failure
        app = application()
        for i in range(app.childCount if app is not None else 0):
            window = app.getChildAtIndex(i)
            texts = [n.name for n in walk(window) if n.name and n.getRole() in
                     (pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON)][:12]
            print("janela: %s %r %r" % (window.getRoleName(), window.name, texts),
                  file=sys.stderr)
    except Exception:
        pass
    sys.exit(1)


def wait_for(what, find, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows open and close
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail("não apareceu: " + (what() if callable(what) else what))


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "exp036-host":
            return app
    return None


def walk(node, depth=0):
    """The node and its showing descendants; a table gives only its first rows."""
    if node is None or depth > 30:
        return
    yield node
    limit = 40 if node.getRole() == pyatspi.ROLE_TABLE else node.childCount
    for i in range(min(node.childCount, limit)):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    return node.getState()


def focused():
    """The widget with the focus: the innermost of the focused chain (a sub-window holding
    the focused field says it is focused too)."""
    app = application()
    found = None
    for node in walk(app) if app is not None else ():
        if states(node).contains(pyatspi.STATE_FOCUSED):
            found = node
    return found


def find(role, name=None, root=None, showing=True):
    for node in walk(root or application()):
        if node.getRole() != role:
            continue
        if name is not None and node.name != name:
            continue
        if showing and not states(node).contains(pyatspi.STATE_SHOWING):
            continue
        return node
    return None


def key(name, modifiers=0):
    """One key, with modifiers held (locked around it, as assistive devices do)."""
    if modifiers:
        pyatspi.Registry.generateKeyboardEvent(modifiers, None, pyatspi.KEY_LOCKMODIFIERS)
    pyatspi.Registry.generateKeyboardEvent(KEYSYMS[name], None, pyatspi.KEY_SYM)
    if modifiers:
        pyatspi.Registry.generateKeyboardEvent(modifiers, None, pyatspi.KEY_UNLOCKMODIFIERS)
    time.sleep(0.15)


def type_text(text):
    for character in text:
        pyatspi.Registry.generateKeyboardEvent(ord(character), None, pyatspi.KEY_SYM)
        time.sleep(0.03)
    time.sleep(0.15)


KEYSYMS = {"Tab": 0xFF09, "Return": 0xFF0D, "Escape": 0xFF1B, "Down": 0xFF54, "space": 0x20,
           "F3": 0xFFC0, "F5": 0xFFC2, "r": 0x72, "p": 0x70, "a": 0x61}


def label_in(root, matches):
    return next((n for n in walk(root) if n.getRole() == pyatspi.ROLE_LABEL and matches(n.name)),
                None)


def describe(node):
    return "nada" if node is None else "%r (%s)" % (node.name, node.getRoleName())


def expect_focus(role, name, step):
    def holder():
        for node in walk(application()):
            if (node.getRole() == role and node.name == name
                    and states(node).contains(pyatspi.STATE_FOCUSED)):
                return node
        return None
    node = wait_for(lambda: "o foco em %s; está em %s" % (name, describe(focused())), holder)
    steps.append("%s: foco em %r (%s)" % (step, node.name, node.getRoleName()))
    return node


# The host on screen, its tree reachable.
wait_for("a aplicação exp036-host na árvore de acessibilidade", application, 60)
main = wait_for("a janela principal", lambda: find(pyatspi.ROLE_FRAME))
# The keys go to the active window: the window manager's choice, once the window is mapped.
wait_for("a janela principal ativa",
         lambda: states(main).contains(pyatspi.STATE_ACTIVE) or None)
steps.append("janela principal: %r" % main.name)

# Relatórios (Alt+R), then its first entry: the form embedded in the main window.
key("r", ALT)
key("Return")
branch = expect_focus(pyatspi.ROLE_TEXT, "Filial", "formulário aberto")

# The branch typed over (the field selects its text on entry), then the dates.
type_text("1")
key("Tab")
expect_focus(pyatspi.ROLE_TEXT, "Inicial", "filial digitada")
branch_text = branch.queryText().getText(0, -1)
if branch_text != "0001":
    fail("a filial ficou %r, não '0001'" % branch_text)
steps.append("filial: %r" % branch_text)
type_text("01/01/2026")
key("Tab")
expect_focus(pyatspi.ROLE_TEXT, "Final", "data inicial digitada")
type_text("31/12/2026")
key("Tab")

# The client group: Tab reaches "Todos", the arrow chooses "Lista", F3 opens the picker.
expect_focus(pyatspi.ROLE_RADIO_BUTTON, "Todos", "datas digitadas")
key("Down")
lista = expect_focus(pyatspi.ROLE_RADIO_BUTTON, "Lista", "seta para baixo")
if not states(lista).contains(pyatspi.STATE_CHECKED):
    fail("'Lista' recebeu o foco mas não ficou marcada")
steps.append("'Lista' marcada")
key("F3")
picker = wait_for("o seletor de clientes", lambda: find(pyatspi.ROLE_DIALOG, "Cliente"))
steps.append("seletor aberto: %r" % picker.name)
expect_focus(pyatspi.ROLE_TEXT, "Filtrar em qualquer coluna", "seletor")
key("Down")
table = expect_focus(pyatspi.ROLE_TABLE, "Cliente", "seta para a lista")
key("space")
key("Down")
key("space")
count = wait_for("a contagem de marcadas",
                 lambda: label_in(picker, lambda name: name.startswith("2 de ")))
steps.append("contagem: %r" % count.name)
cells = [table.getChildAtIndex(i).name for i in range(min(table.childCount, 8))]
if not any(cells):
    fail("as células da lista não dizem seu texto: %r" % cells)
steps.append("células: %r" % cells)
key("Return")
wait_for("o seletor fechado", lambda: find(pyatspi.ROLE_DIALOG, "Cliente") is None or None)
expect_focus(pyatspi.ROLE_RADIO_BUTTON, "Lista", "seletor confirmado")
chosen = wait_for("a contagem ao lado de Lista",
                  lambda: label_in(application(), lambda name: name == "2 escolhidos"))
steps.append("ao lado de Lista: %r" % chosen.name)

# F5 previews; Ctrl+Shift+P exports the PDF: the name typed, Enter.
key("F5")
preview = wait_for("a visualização",
                   lambda: next((n for n in walk(application()) if n.getRole() == pyatspi.ROLE_FRAME
                                 and n.name.startswith("Visualização")), None), 60)
steps.append("visualização: %r" % preview.name)
pdf = os.path.join(work, "relatorio-teclado.pdf")
key("p", CONTROL | SHIFT)
dialog = wait_for("o diálogo de exportação", lambda: find(pyatspi.ROLE_DIALOG, "Exportar PDF"))
steps.append("exportação: %r" % dialog.name)
# The file's name is typed over the one offered.
key("a", CONTROL)
type_text(pdf)
key("Return")
wait_for("o PDF gravado", lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, 60)
notice = wait_for("o aviso da exportação",
                  lambda: label_in(preview, lambda name: name.startswith("Exportado")))
steps.append("aviso: %r" % notice.name)
text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True,
                      check=True).stdout
if "Consulta Lançamentos" not in text or "Página 1 de" not in text:
    fail("o PDF não tem as páginas do relatório:\n" + text[:800])
steps.append("PDF: %d páginas de texto" % text.count("\f"))
key("Escape")
print("\n".join(steps))
print("1 passed, 0 failed")
