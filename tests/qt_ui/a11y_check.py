"""Starts marovel-config, reads both windows through AT-SPI and compares every check box, text
box, button and status line with what a screen reader must hear."""
import subprocess
import sys
import time

import pyatspi

# role, name, description, read-only; in the order of the windows' accessible trees (labels,
# the notice among them, lie beneath the other controls)
MAIN_WINDOW = [
    ("status bar", "Agent-Einstellungen geladen.", "", False),
    ("check box", "Als Relay-Server einstellen", "", False),
    ("text", "Updateintervall", "", False),
    ("text", "Updateintervall nach Fehlversuchen", "", False),
    ("text", "Email-Adresse", "", False),
    ("push button", "Übernehmen", "", False),
    ("push button", "Konfiguration speichern", "", False),
    ("push button", "Diagnose", "", False),
    ("push button", "Beenden", "", False),
]
DIAGNOSTICS_WINDOW = [
    ("status bar", "Nur zur Ansicht, nichts änderbar.", "", False),
    ("text", "Update-URL", "Von dieser URL werden Virenupates geholt.", True),
    ("text", "Upload-URL", "Hierher werden Dateien für die Berichte geschickt.", True),
    ("text", "Pfad", "In diesen Ordner kommen Dateien, die sich in Quarantäne befinden.", True),
    ("text", "Upload-URL", "Über diese URL wwerden Informationen über Quarantäne-Dateien verschickt.", True),
    ("text", "Upload-Pfad", "Hierher werden Informationen über Quarantäne-Dateien geschickt." + " " * 51, True),
    ("push button", "Schließen", "", False),
]
CHECKED_ROLES = {"check box", "text", "push button", "status bar"}


def wait_for(what, find, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"a11y_check: no {what} within {seconds} s")


def window(program, name):
    def find():
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.get_process_id() != program.pid:
                continue
            for top in app:
                if top is not None and top.name == name and top.getState().contains(pyatspi.STATE_SHOWING):
                    return top
        return None
    return wait_for(f"window {name!r}", find)


def controls(top):
    found = []
    def walk(node):
        for child in node:
            if child is None:
                continue
            role = child.getRoleName()
            if role in CHECKED_ROLES:
                read_only = child.getState().contains(pyatspi.STATE_READ_ONLY)
                found.append((role, child.name, child.description, read_only))
            walk(child)
    walk(top)
    return found


def button(top, name):
    return next(c for c in pyatspi.findAllDescendants(top, lambda c: c.name == name and c.getRoleName() == "push button"))


def compare(title, expected, actual):
    if expected == actual:
        return True
    print(f"{title}: expected", *expected, "actual", *actual, sep="\n  ")
    return False


program = subprocess.Popen([sys.argv[1]])
ok = True
try:
    main = window(program, "Marovel Configuration Manager")
    ok &= compare("main window", MAIN_WINDOW, controls(main))
    ok &= not any(c.name == "Check1" for c in pyatspi.findAllDescendants(main, lambda c: True))
    button(main, "Diagnose").queryAction().doAction(0)
    diagnostics = window(program, "Form2")
    ok &= compare("diagnostics window", DIAGNOSTICS_WINDOW, controls(diagnostics))
    button(diagnostics, "Schließen").queryAction().doAction(0)
    wait_for("closed diagnostics window",
             lambda: True if not diagnostics.getState().contains(pyatspi.STATE_SHOWING) else None)
    button(main, "Beenden").queryAction().doAction(0)
    program.wait(timeout=60)
finally:
    if program.poll() is None:
        program.kill()
sys.exit(0 if ok and program.returncode == 0 else 1)
