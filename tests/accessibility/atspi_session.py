"""What the accessibility tests share: starting Quillon so that it shows on the desktop's
accessibility bus, finding its windows and controls there as a screen reader does, bounded waits,
and running the actions that controls offer."""
import os
import subprocess
import time

import pyatspi

TREE_DEPTH = 12


class Failure(Exception):
    pass


def wait_for(what, find, seconds=15.0):
    """Polls find() until it returns something true, for at most `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise Failure(f"timed out waiting for {what}")


def children(node):
    return [child for child in node if child is not None]


def walk(node, depth=0):
    yield node, depth
    # A combo box's list and a scroll area's inner parts say nothing a user needs.
    if depth < TREE_DEPTH and node.getRoleName() not in ("list", "filler"):
        for child in children(node):
            yield from walk(child, depth + 1)


def find(node, role, name=None):
    for found, _ in walk(node):
        if found.getRoleName() == role and (name is None or found.name == name):
            return found
    return None


def related(node, relation):
    """The objects a node points to with one kind of relation (pyatspi.RELATION_LABELLED_BY ...)."""
    found = []
    for rel in node.getRelationSet():
        if rel.getRelationType() == relation:
            found += [rel.getTarget(i) for i in range(rel.getNTargets())]
    return found


def focusables(window):
    """Every object of a window that can take the focus, shown now or not (a closed list)."""
    return [node for node, _ in walk(window) if node.getState().contains(pyatspi.STATE_FOCUSABLE)]


def entries(node):
    return {(found.getRoleName(), found.name) for found, _ in walk(node)}


def print_tree(title, node):
    print(f"--- {title}")
    for found, depth in walk(node):
        if found.getRoleName() in ("list", "filler"):
            continue
        print("  " * depth + f'{found.getRoleName()} "{found.name}"')


def end_process(process, seconds=10):
    """Asks a child of ours to end, kills it when it does not within `seconds`, and reaps it."""
    if process.poll() is None:
        process.terminate()
    try:
        process.wait(seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Program:
    """The real program, started with arguments; ended (and reaped) by end(). Its standard error
    goes to `stderr` (a file), or nowhere."""

    def __init__(self, program, arguments=(), stderr=subprocess.DEVNULL):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([program, *arguments], env=env, stdout=subprocess.DEVNULL, stderr=stderr)
        self.app = wait_for("Quillon on the accessibility bus", self._app, 40)

    def _app(self):
        for app in children(pyatspi.Registry.getDesktop(0)):
            if app.name == "Quillon" and app.get_process_id() == self.process.pid:
                return app
        return None

    def window(self, name):
        return wait_for(f'window "{name}"', lambda: next(
            (w for w in children(self.app) if w.name == name and w.getState().contains(pyatspi.STATE_SHOWING)), None))

    def gone(self, name):
        wait_for(f'window "{name}" to close', lambda: not any(
            w.name == name and w.getState().contains(pyatspi.STATE_SHOWING) for w in children(self.app)))

    def end(self):
        end_process(self.process)


def act(node, action):
    """Runs the named action (press, toggle) of a node, as a screen reader's user does."""
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    if action not in names:
        raise Failure(f'{node.getRoleName()} "{node.name}" offers {names}, not {action}')
    actions.doAction(names.index(action))


def expect(node, title, wanted):
    missing = set(wanted) - entries(node)
    if missing:
        print_tree(title, node)
        raise Failure(f"{title} lacks {sorted(missing)}")


def run(*sessions):
    """Runs the sessions one after the other; the exit code: 0 when all passed, 1 at the first failure."""
    try:
        for session in sessions:
            session()
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    print("PASS")
    return 0
