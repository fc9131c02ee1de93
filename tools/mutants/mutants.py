#!/usr/bin/env python3
"""The mutation check: plants one small fault at a time in the plug-in's code
(every .cpp and .h below src/) and runs the debug suite against it; a fault
the debug suite misses is tried once more against the sanitizer build.

The working tree is only ever read. Its files are copied to build/mutants/tree,
which is built with the debug preset; each fault is written into that copy,
rebuilt (only what depends on the changed file recompiles) and tested, and the
file is put back. The copy's sanitizer build is made only when a fault first
gets past the debug suite, and then rebuilt only for such faults. An
interrupted run may leave a fault in the copy, never in the tree; the next run
copies the tree again before it builds anything.

Usage: mutants.py [--count N] [--seed S] [--timeout SECONDS] [--match TEXT] [--fault NAME] [--list]
"""
import argparse
import fcntl
import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WORK = ROOT / "build" / "mutants"
COPY = WORK / "tree"
MISSED = WORK / "missed.txt"
EQUIVALENTS = Path(__file__).resolve().parent / "equivalent-faults.txt"
SOURCE_SUFFIXES = {".cpp", ".h"}
# Tests of the code's form, not its behaviour: any edit trips them.
STYLE_TESTS = r"^(Style|Lint)\."

# The faults, found on code with comments and literals blanked out. Binary
# operators are matched with the blank on each side that .clang-format puts
# there, which keeps template brackets, pointers and references out.
OPERATORS = [
    ("comparison", re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )"),
     {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}),
    ("logic", re.compile(r"(?<= )(&&|\|\|)(?= )"), {"&&": "||", "||": "&&"}),
    ("return", re.compile(r"(?<=\breturn )([01])(?=;)"), {"0": "1", "1": "0"}),
    ("boolean", re.compile(r"\b(true|false)\b"), {"true": "false", "false": "true"}),
    ("off-by-one", re.compile(r"(?<=[\w)\]] )([+-])(?= 1(?![\w.]))"), {"+": "-", "-": "+"}),
    ("assignment", re.compile(r"(?<= )(\+=|-=)(?= )"), {"+=": "-=", "-=": "+="}),
    ("negation", re.compile(r"(?<![\w)\]!])(!)(?=[\w(])"), {"!": ""}),
]
# Lines that exist only at compile time: a fault there either breaks the build
# or changes nothing that runs.
COMPILE_TIME = re.compile(r"^\s*(#|static_assert\b)")
# Conditions on the platform: code only the Windows build compiles is not built
# by the debug preset the check runs, so a fault there could never be caught.
WINDOWS_ONLY = re.compile(r"^\s*#\s*(ifdef\s+_WIN32|if\s+defined\s*\(\s*_WIN32\s*\))\s*$")
NOT_WINDOWS = re.compile(r"^\s*#\s*(ifndef\s+_WIN32|if\s+!\s*defined\s*\(\s*_WIN32\s*\))\s*$")


@dataclass
class Fault:
    path: str  # relative to the root
    line: int  # 1-based
    start: int  # column span in the line
    end: int
    kind: str
    old: str
    new: str
    key: str = ""  # the fault's name: file name, line text with the change marked

    def where(self):
        return f"{self.path}:{self.line}"


def blank_comments_and_literals(text):
    """Returns text with every character of comments, string and character
    literals replaced by a NUL, newlines kept, so columns still match."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            delimiter = text[i + 2:text.index("(", i)]
            end = text.index(")" + delimiter + '"', i) + len(delimiter) + 2
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):  # 1'000 is a digit separator
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            end += 1
        else:
            i += 1
            continue
        for j in range(i, min(end, n)):
            if out[j] != "\n":
                out[j] = "\0"
        i = end
    return "".join(out)


def source_files():
    return sorted(p for p in (ROOT / "src").rglob("*") if p.suffix in SOURCE_SUFFIXES and p.is_file())


def lines_built_on_linux(code_lines):
    """Whether each line is compiled on Linux, from the #if blocks that test
    _WIN32; any other condition is taken as compiled either way."""
    built, blocks = [], []  # blocks: True, False (the branch is or is not built) or None (unknown)
    for code in code_lines:
        directive = code.strip().replace(" ", "")
        if WINDOWS_ONLY.match(code) or NOT_WINDOWS.match(code):
            blocks.append(bool(NOT_WINDOWS.match(code)))
        elif directive.startswith("#if"):
            blocks.append(None)
        elif directive.startswith("#elif") and blocks:
            blocks[-1] = None
        elif directive.startswith("#else") and blocks and blocks[-1] is not None:
            blocks[-1] = not blocks[-1]
        elif directive.startswith("#endif") and blocks:
            blocks.pop()
        built.append(False not in blocks)
    return built


def faults_in(path):
    """The faults the check can plant in a file, and how many lie in code only
    the Windows build compiles (left out)."""
    text = path.read_bytes().decode()
    lines, code_lines = text.split("\n"), blank_comments_and_literals(text).split("\n")
    relative = str(path.relative_to(ROOT))
    found, seen, continued, windows_only = [], {}, False, 0
    for number, (line, code, built) in enumerate(zip(lines, code_lines, lines_built_on_linux(code_lines)), 1):
        skip = continued or COMPILE_TIME.match(code)
        continued = skip and code.endswith("\\")
        if skip:
            continue
        if not built:
            windows_only += sum(len(pattern.findall(code)) for _, pattern, _ in OPERATORS)
            continue
        for kind, pattern, changes in OPERATORS:
            for match in pattern.finditer(code):
                old = match.group(1)
                fault = Fault(relative, number, match.start(1), match.end(1), kind, old, changes[old])
                marked = f"{line[:fault.start]}[[{old} => {fault.new}]]{line[fault.end:]}"
                key = f"{path.name}: {' '.join(marked.split())}"
                seen[key] = seen.get(key, 0) + 1
                fault.key = key if seen[key] == 1 else f"{key} (#{seen[key]})"
                found.append(fault)
    return found, windows_only


def read_equivalents():
    """The faults listed as equivalent: a line naming the fault as the check
    prints it ("FILE: line [[old => new]] rest"; FILE may carry folders),
    followed by indented lines giving the reason."""
    entries, current = [], None
    for number, line in enumerate(EQUIVALENTS.read_text().splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if line[0].isspace():
            if current is None:
                sys.exit(f"{EQUIVALENTS}:{number}: a reason with no fault above it")
            current["reason"] += line.strip() + " "
        else:
            name, _, rest = line.partition(": ")
            current = {"file": name.strip(), "text": rest.strip(), "reason": "", "line": number, "used": False}
            entries.append(current)
    for entry in entries:
        if not entry["reason"]:
            sys.exit(f"{EQUIVALENTS}:{entry['line']}: give the reason the fault changes nothing, indented below it")
    return entries


def is_named(fault, file, text):
    """Whether FILE (which may carry folders) and the marked line name the fault."""
    return text == fault.key.partition(": ")[2] and ("/" + fault.path).endswith("/" + file)


def is_equivalent(fault, entries):
    for entry in entries:
        if is_named(fault, entry["file"], entry["text"]):
            entry["used"] = True
            return True
    return False


def named_faults(every, names):
    """The faults given by name, as the check prints them and missed.txt lists
    them; listed as equivalent or not, so an entry can be tried again."""
    chosen = []
    for name in names:
        file, _, text = name.partition(": ")
        found = [fault for fault in every if is_named(fault, file.strip(), " ".join(text.split()))]
        if not found:
            sys.exit(f"no fault in src/ is named {name!r}: give it as --list or missed.txt prints it")
        chosen += [fault for fault in found if fault not in chosen]
    return sorted(chosen, key=lambda f: (f.path, f.line, f.start))


def sample(faults, count, seed):
    """The count faults whose hash with the seed is smallest: the same seed
    draws the same faults, and a change elsewhere in the code does not redraw
    the whole sample."""
    order = sorted(faults, key=lambda f: hashlib.sha256(f"{seed}\n{f.key}".encode()).hexdigest())
    return sorted(order[:count], key=lambda f: (f.path, f.line, f.start))


def sync_copy():
    """Makes the copy's files those of the working tree (tracked, and untracked
    but not ignored), rewriting only what differs so the copy's build stays
    incremental. A rewritten file gets a new time, so make rebuilds from it."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and (ROOT / name).is_file()}
    copied = 0
    for name in wanted:
        source, target = ROOT / name, COPY / name
        if not target.is_file() or target.read_bytes() != source.read_bytes():
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, target)
            shutil.copymode(source, target)
            copied += 1
    for target in COPY.rglob("*"):
        relative = target.relative_to(COPY)
        if relative.parts[0] != "build" and target.is_file() and str(relative) not in wanted:
            target.unlink()
    return copied


class Runner:
    """Runs the copy's build and suite, each child in a process group of its
    own so that an interrupted run stops everything it started."""

    def __init__(self, timeout):
        self.timeout = timeout
        self.suite_seconds = {}  # each preset's suite without a fault
        self.child = None

    def run(self, command, timeout):
        self.child = subprocess.Popen(command, cwd=COPY, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                      start_new_session=True, text=True, errors="replace")
        try:
            output, _ = self.child.communicate(timeout=timeout)
            return self.child.returncode, output
        except subprocess.TimeoutExpired:
            self.stop()
            return None, self.child.communicate()[0]
        except KeyboardInterrupt:
            self.stop()
            raise
        finally:
            self.child = None

    def stop(self):
        """Stops the child's group: ctest stops the tests it started (each in a
        group of its own) on SIGTERM, so SIGKILL comes only if that fails."""
        if self.child is None or self.child.poll() is not None:
            return
        os.killpg(self.child.pid, signal.SIGTERM)
        try:
            self.child.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(self.child.pid, signal.SIGKILL)

    def build(self, preset, configure=False):
        code, output = self.run(["cmake", "--preset", preset], None) if configure else (0, "")
        if code == 0:
            code, output = self.run(["cmake", "--build", "--preset", preset], None)
        return code == 0, output

    def test(self, preset):
        """Returns None when the suite passes, otherwise what failed first."""
        limit = 3 * max(self.timeout, self.suite_seconds.get(preset, 0))
        code, output = self.run(["ctest", "--preset", preset, "-E", STYLE_TESTS, "--stop-on-failure",
                                 "--timeout", str(self.timeout)], limit)
        if code is None:
            return "the suite timed out"
        if code == 0:
            return None
        failed = re.search(r"^\s*\d+ - (\S+) \((.*)\)", output.split("tests FAILED:")[-1], re.M)
        return f"{failed.group(1)} ({failed.group(2)})" if failed else f"ctest exit status {code}"


class Planter:
    """Writes one fault at a time into the copy and puts each file back; a
    file stays open for the faults that follow in it, so it recompiles once
    per fault and once more when it is put back."""

    def __init__(self):
        self.file, self.text = None, None

    def plant(self, fault):
        target = COPY / fault.path
        if target != self.file:
            self.restore()
            self.file, self.text = target, target.read_bytes().decode()
        lines = self.text.split("\n")
        line = lines[fault.line - 1]
        lines[fault.line - 1] = line[:fault.start] + fault.new + line[fault.end:]
        target.write_bytes("\n".join(lines).encode())

    def restore(self):
        if self.file is not None:
            self.file.write_bytes(self.text.encode())
            self.file = None


def first_error(output):
    error = next((line.strip() for line in output.splitlines() if "error:" in line), "")
    return error.replace(f"{COPY}/", "")


class Suites:
    """Builds and runs the copy's suites against the planted fault: the debug
    suite, then, for a fault it missed, the sanitizer build's, which stops a
    read or write out of bounds that the debug build lets pass. The sanitizer
    build is made, and its suite checked without a fault, only when the first
    fault gets past the debug suite."""

    def __init__(self, runner, planter):
        self.runner, self.planter = runner, planter
        self.sanitizer_ready = False
        self.building = self.testing = 0.0  # seconds, of the fault tried last

    def try_in(self, preset):
        """Builds the planted fault with a preset and runs that suite: None when
        it passes, otherwise what failed first or stopped the build."""
        started = time.monotonic()
        built, output = self.runner.build(preset)
        self.building += time.monotonic() - started
        if not built:
            return first_error(output), False
        started = time.monotonic()
        failure = self.runner.test(preset)
        self.testing += time.monotonic() - started
        return failure, True

    def try_fault(self, fault):
        """Plants and tries one fault: its outcome, the suite that caught it and
        what failed, or why it did not build."""
        self.building = self.testing = 0.0
        self.planter.plant(fault)
        failure, built = self.try_in("debug")
        if not built:
            return "did not build", "", failure
        if failure:
            return "caught", "debug", failure
        if not self.sanitizer_ready:
            self.planter.restore()
            check_unfaulted(self.runner, "sanitize")
            self.sanitizer_ready = True
            self.planter.plant(fault)
        failure, built = self.try_in("sanitize")
        if not built:
            return "missed", "", f"the sanitizer build refused it: {failure}"
        return ("caught", "sanitize", failure) if failure else ("missed", "", None)


def write_missed(missed, options):
    which = "named with --fault" if options.fault else f"SEED={options.seed}, MUTANTS={options.count}"
    lines = [f"# Faults neither the debug suite nor the sanitizer build's caught ({which}). Each is a gap",
             "# in the tests or, with the reason it changes nothing, an entry for tools/mutants/equivalent-faults.txt.",
             ""]
    for fault in missed:
        lines += [f"# {fault.where()} ({fault.kind})", fault.key, ""]
    MISSED.write_text("\n".join(lines))


def check_unfaulted(runner, preset):
    print(f"Building the copy in build/mutants/tree with the {preset} preset and running its suite without a fault ...",
          flush=True)
    built, output = runner.build(preset, configure=True)
    if not built:
        print(output[-4000:])
        sys.exit(f"the copy does not build with the {preset} preset without a fault")
    started = time.monotonic()
    failure = runner.test(preset)
    if failure:
        sys.exit(f"the {preset} suite fails without a fault: {failure}")
    runner.suite_seconds[preset] = time.monotonic() - started
    print(f"The {preset} suite passes in {runner.suite_seconds[preset]:.0f} s.", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--count", type=int, default=200, help="how many faults to plant (200)")
    parser.add_argument("--seed", default="1", help="which faults: the same seed draws the same ones (1)")
    parser.add_argument("--timeout", type=int, default=60,
                        help="seconds a test may run (60); a suite 3 times that, or 3 times its time without a fault")
    parser.add_argument("--match", action="append", default=[],
                        help="draw only among faults whose name contains TEXT (repeat for any of several)")
    parser.add_argument("--fault", action="append", default=[], metavar="NAME",
                        help="plant exactly this fault, named as --list or missed.txt gives it (repeat for several); "
                             "one listed as equivalent too")
    parser.add_argument("--list", action="store_true", help="list every fault the check can plant and stop")
    options = parser.parse_args()

    entries = read_equivalents()
    every, windows_only = [], 0
    for path in source_files():
        found, left_out = faults_in(path)
        every += found
        windows_only += left_out
    candidates = [fault for fault in every if not is_equivalent(fault, entries)
                  and (not options.match or any(text in fault.key for text in options.match))]
    if options.list:
        for fault in every:
            print(f"{fault.where():32} {fault.kind:10} {fault.key}")
        return 0
    for entry in entries:
        if not entry["used"]:
            print(f"{EQUIVALENTS.name}:{entry['line']}: names no fault in src/: {entry['file']}: {entry['text']}")
    chosen = named_faults(every, options.fault) if options.fault else sample(candidates, options.count, options.seed)
    print(f"{len(every)} faults in src/ ({windows_only} more in code only the Windows build compiles, left out), "
          f"{sum(e['used'] for e in entries)} listed as equivalent; " +
          (f"{len(chosen)} named" if options.fault else
           f"{len(chosen)} drawn with SEED={options.seed}" + (" among the ones asked for" if options.match else "")))

    WORK.mkdir(parents=True, exist_ok=True)
    lock = open(WORK / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit("another mutation check is running in this tree")
    # A kill is handled as Ctrl-C is: the children are stopped, the copy's file put back.
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, signal.default_int_handler)

    runner, planter = Runner(options.timeout), Planter()
    suites = Suites(runner, planter)
    results = {"caught": [], "missed": [], "did not build": []}
    caught_by = {"debug": 0, "sanitize": 0}
    interrupted = False
    try:
        copied = sync_copy()
        if copied:
            print(f"Copied {copied} file(s) of the tree that the copy did not hold as they are.")
        check_unfaulted(runner, "debug")
        write_missed([], options)
        for index, fault in enumerate(chosen, 1):
            outcome, suite, detail = suites.try_fault(fault)
            results[outcome].append(fault)
            if suite:
                caught_by[suite] += 1
            write_missed(results["missed"], options)
            print(f"[{index:3}/{len(chosen)}] {outcome:13} {suite or '-':8} {suites.building:3.0f} +"
                  f"{suites.testing:3.0f} s  {fault.where()}  {fault.key.partition(': ')[2]}" +
                  (f"  <- {detail}" if detail else ""), flush=True)
    except KeyboardInterrupt:
        interrupted = True
        print("\nInterrupted: the working tree was never written to; the copy is put back.")
    finally:
        planter.restore()

    caught, missed, unbuilt = (len(results[k]) for k in ("caught", "missed", "did not build"))
    share = f"{100 * caught / (caught + missed):.0f}% of built faults caught" if caught + missed else "no fault built"
    print(f"\n{caught} caught ({caught_by['debug']} by the debug suite, {caught_by['sanitize']} only by the "
          f"sanitizer build's), {missed} missed, {unbuilt} did not build (not counted): {share}.")
    if missed:
        print(f"The missed faults are in {MISSED.relative_to(ROOT)}.")
    return 130 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main())
