#!/usr/bin/env python3
"""Mutation testing for the core: do the tests notice a wrong change?

For each chosen source file, one small change at a time is made in a copy of the tree
(a number or hex constant changed by one, a byte mask's bits moved up by one, a comparison's
boundary moved or an equality negated, a statement dropped); the test programs that link the
file are rebuilt incrementally and run, fastest first, until one fails. Changes that no test
catches are printed with totals per file.

The source tree is never written: the copy lives in the work folder (default build-mutants/)
with its own build folder, and is brought up to date from the tree at every start, so an
interrupted run leaves nothing behind. Survivors known not to alter behaviour can be listed in
scripts/mutants-equivalent.txt with the reason; they are printed apart.

    scripts/mutants.sh src/core/editors src/core/link/CloneProtocol.cpp
    scripts/mutants.py --list src/core/report          # only show the changes it would make
"""

import argparse
import filecmp
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The non-GUI test programs that link each folder's code, fastest and closest first.
TESTS = {
    "src/core/image/": ["test_image", "test_channels", "test_editors", "test_report", "test_link"],
    "src/core/settings/": ["test_settings", "test_channels", "test_editors"],
    "src/core/channels/": ["test_channels", "test_cli"],
    "src/core/editors/": ["test_editors", "test_report", "test_cli"],
    "src/core/report/": ["test_report", "test_cli"],
    "src/core/link/": ["test_link", "test_e2e"],
    "src/core/util/": ["test_image", "test_settings", "test_channels"],
}

SKIP_DIRS = {".git", "__pycache__"}

TOKEN = re.compile(
    r"""
    (?P<comment>//[^\n]*|/\*.*?\*/)
   |(?P<string>(?:u8|[uUL])?R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"|(?:u8|[uUL])?"(?:\\.|[^"\\\n])*")
   |(?P<char>(?:u8|[uUL])?'(?:\\.|[^'\\\n])+')
   |(?P<number>0[xX][0-9a-fA-F']+[uUlL]*
      |(?:\d[\d']*\.\d*|\.\d+)(?:[eE][+-]?\d+)?[fFlL]?
      |\d[\d']*[eE][+-]?\d+[fFlL]?
      |\d[\d']*[uUlL]*)
   |(?P<ident>[A-Za-z_]\w*)
   |(?P<op><=>|<<=|>>=|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||::|[-+*/%&|^!~<>=?:;,.(){}\[\]#])
   |(?P<space>\s+)
   |(?P<other>.)
    """,
    re.S | re.X,
)

FLIP = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">"}

NOT_STATEMENT = re.compile(
    r"^(?:#|}|{|//|/\*|\*|case\b|default\b|return\b(?!;)|if\b|else\b|for\b|while\b|switch\b|do\b"
    r"|namespace\b|public:|private:|protected:|template\b|using\b|static_assert\b|struct\b"
    r"|class\b|enum\b|const\b|constexpr\b|static\b|auto\b|inline\b|typedef\b|\[\[)"
)
DECLARATION = re.compile(r"^[\w:]+(?:<[^;]*>)?(?:[\s&*]+[\w:]+(?:<[^;]*>)?)*[\s&*]+\w+\s*(?:[=;({\[]|$)")
CHAR_BUFFER = re.compile(r"\bchar\s+\w+\[\s*$")


class Mutant:
    def __init__(self, start, end, text, line, what):
        self.start, self.end, self.text, self.line, self.what = start, end, text, line, what
        self.nth = 1

    def apply(self, source):
        return source[: self.start] + self.text + source[self.end :]


def bump_number(text):
    """The literal changed by one (floats: by one in the last digit), or None."""
    body = text.replace("'", "")
    hexadecimal = body.lower().startswith("0x")
    suffix = re.search(r"[uUlL]*$" if hexadecimal else r"[uUlLfF]*$", body).group(0)
    core = body[: len(body) - len(suffix)] if suffix else body
    if hexadecimal:
        digits = core[2:]
        value = int(digits, 16) + 1
        out = format(value, "X" if digits.upper() == digits else "x").rjust(len(digits), "0")
        return core[:2] + out + suffix
    if "." in core or "e" in core.lower():
        if "e" in core.lower():
            return None
        whole, frac = core.split(".")
        places = len(frac)
        if places == 0:
            return str(int(whole or "0") + 1) + "." + suffix
        scaled = int((whole or "0") + frac) + 1
        s = str(scaled).rjust(places + 1, "0")
        return s[:-places] + "." + s[-places:] + suffix
    return str(int(core) + 1) + suffix


def move_bits(text):
    """A byte mask written in hex (one run of ones, not 0xFF) moved up by one bit, or None."""
    body = text.replace("'", "")
    m = re.fullmatch(r"(0[xX])([0-9a-fA-F]+)([uUlL]*)", body)
    if not m:
        return None
    value = int(m.group(2), 16)
    run = value >> ((value & -value).bit_length() - 1) if value else 0
    if value == 0 or value >= 0xFF or run & (run + 1):
        return None
    upper = m.group(2).upper() == m.group(2)
    out = format(value << 1, "X" if upper else "x").rjust(len(m.group(2)), "0")
    return m.group(1) + out + m.group(3)


def find_mutants(source):
    """Every single change this tool makes in one source text."""
    mutants = []
    line_starts = [0] + [i + 1 for i, c in enumerate(source) if c == "\n"]

    def line_of(pos):
        lo, hi = 0, len(line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1

    def line_text(n):
        end = source.find("\n", line_starts[n - 1])
        return source[line_starts[n - 1] : end if end >= 0 else len(source)]

    tokens = [(m.lastgroup, m.start(), m.end(), m.group(0)) for m in TOKEN.finditer(source)]
    for i, (kind, start, end, text) in enumerate(tokens):
        line = line_of(start)
        current = line_text(line)
        if current.lstrip().startswith("#") or "static_assert" in current:
            continue
        if kind == "number":
            # A character buffer one byte larger cannot change what is written into it.
            if CHAR_BUFFER.search(source[line_starts[line - 1] : start]):
                continue
            # A byte mask has its bits moved; any other number is changed by one.
            moved = move_bits(text)
            changed = moved if moved is not None else bump_number(text)
            if changed is not None:
                note = " (bits moved)" if moved is not None else ""
                mutants.append(Mutant(start, end, changed, line, f"{text} -> {changed}{note}"))
        elif kind == "op" and text in FLIP:
            # Formatted code puts blanks around binary operators, never around template brackets.
            before = source[start - 1] if start > 0 else ""
            after = source[end] if end < len(source) else ""
            if before == " " and after == " ":
                mutants.append(Mutant(start, end, FLIP[text], line, f"{text} -> {FLIP[text]}"))
    mutants.extend(find_statements(source, line_starts, tokens))
    mutants.sort(key=lambda m: (m.start, m.what))
    # The same change twice on one line (two '==') is told apart by its order.
    seen = {}
    for m in mutants:
        seen[(m.line, m.what)] = seen.get((m.line, m.what), 0) + 1
        m.nth = seen[(m.line, m.what)]
    return mutants


def find_statements(source, line_starts, tokens):
    """Statements inside function bodies that can be dropped whole."""
    # Code tokens only, with the brace depth before each.
    code = [(s, e, t) for kind, s, e, t in tokens if kind not in ("space", "comment")]
    depth = 0
    prev = ";"
    out = []
    i = 0
    while i < len(code):
        start, end, text = code[i]
        line_start = source.rfind("\n", 0, start) + 1
        at_line_start = source[line_start:start].strip() == ""
        starts = re.match(r"[A-Za-z_]", text) or text in ("++", "--")
        if depth > 0 and at_line_start and starts and prev in (";", "{", "}", ":"):
            rest = source[start : source.find("\n", start)].strip()
            if not NOT_STATEMENT.match(rest) and not DECLARATION.match(rest):
                # Up to the ';' at bracket depth 0; a '{' first means a block or lambda.
                j, parens, ok = i, 0, False
                while j < len(code):
                    t = code[j][2]
                    if t in "([":
                        parens += 1
                    elif t in ")]":
                        parens -= 1
                    elif t == "{" and parens == 0:
                        break
                    elif t == ";" and parens == 0:
                        ok = True
                        break
                    j += 1
                if ok:
                    # Keep the line count and the ';': the statement becomes an empty one.
                    stop = code[j][1]
                    line = source.count("\n", 0, start) + 1
                    blank = "".join(c for c in source[start:stop] if c == "\n")
                    out.append(Mutant(start, stop, blank, line, "statement dropped"))
        if text == "{":
            depth += 1
        elif text == "}":
            depth -= 1
        prev = text
        i += 1
    return out


def sync_tree(src, dst):
    """Make dst a copy of src (build folders and .git left out), touching only what differs."""
    dst.mkdir(parents=True, exist_ok=True)
    for here, dirs, files in os.walk(src):
        rel = Path(here).relative_to(src)
        dirs[:] = [
            d
            for d in dirs
            if d not in SKIP_DIRS and not (rel == Path(".") and d.startswith("build"))
        ]
        (dst / rel).mkdir(parents=True, exist_ok=True)
        for name in files:
            a, b = Path(here) / name, dst / rel / name
            if not b.exists() or not filecmp.cmp(a, b, shallow=False):
                shutil.copyfile(a, b)
                shutil.copymode(a, b)
        for name in os.listdir(dst / rel):
            full = dst / rel / name
            if rel == Path(".") and name.startswith("build"):
                continue
            if not (Path(here) / name).exists() and name not in SKIP_DIRS:
                shutil.rmtree(full) if full.is_dir() else full.unlink()


def write(path, text):
    # A fresh modification time every time, so the build always sees the change.
    path.write_text(text, encoding="utf-8")
    now = time.time()
    os.utime(path, (now, now))


def run(cmd, cwd=None, timeout=None, env=None):
    try:
        p = subprocess.run(
            cmd, cwd=cwd, env=env, timeout=timeout, stdout=subprocess.PIPE, stderr=subprocess.STDOUT
        )
        return p.returncode, p.stdout.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        return None, "timed out"


def failed_test(output):
    if output == "timed out":
        return "time-out"
    names = re.findall(r"\[  FAILED  \] (\S+)", output)
    return names[0] if names else "exit status"


def survivors_file(work, rel):
    return work / ("survivors-" + rel.replace("/", "_") + ".txt")


def line_key(lines, n):
    """Line n's text, numbered when the same text stands on several lines (not a line number,
    so that the key survives edits elsewhere in the file)."""
    text = lines[n - 1].strip()
    same = [i for i, line in enumerate(lines, 1) if line.strip() == text]
    return f"{text} (#{same.index(n) + 1})" if len(same) > 1 else text


def change_key(mutant):
    return mutant.what + (f" @{mutant.nth}" if mutant.nth > 1 else "")


def key_of(mutant, lines):
    """A change named by what it does and the line it does it on, not by the line number."""
    return f"{change_key(mutant)} | {line_key(lines, mutant.line)}"


def load_equivalents(path):
    """Lines 'FILE | CHANGE | LINE TEXT | REASON' for survivors that cannot change behaviour."""
    known = {}
    if path.exists():
        for raw in path.read_text(encoding="utf-8").splitlines():
            if raw.strip() and not raw.lstrip().startswith("#"):
                parts = [p.strip() for p in raw.split(" | ")]
                if len(parts) == 4:
                    known[tuple(parts[:3])] = parts[3]
    return known


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("paths", nargs="+", help="source files or folders (relative to the project)")
    ap.add_argument("--work", default=str(ROOT / "build-mutants"), help="copy of the tree and its build")
    ap.add_argument("--tests", help="comma-separated test programs instead of the folder's list")
    ap.add_argument("--timeout", type=float, default=0, help="seconds per test run (default: from the baseline)")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--only", help="only changes whose 'LINE: CHANGE' matches this regex")
    ap.add_argument("--list", action="store_true", help="list the changes and stop")
    ap.add_argument("--again", action="store_true",
                    help="only the changes that survived the last full run of each file")
    args = ap.parse_args()

    files = []
    for p in args.paths:
        full = (ROOT / p).resolve()
        if full.is_dir():
            files += sorted(f for f in full.rglob("*.cpp"))
        elif full.is_file():
            files.append(full)
        else:
            sys.exit(f"mutants: no such file or folder: {p}")
    rels = [f.relative_to(ROOT).as_posix() for f in files]

    plan = {}
    for rel in rels:
        source = (ROOT / rel).read_text(encoding="utf-8")
        mutants = find_mutants(source)
        if args.only:
            mutants = [m for m in mutants if re.search(args.only, f"{m.line}: {m.what}")]
        if args.again:
            lines = source.splitlines()
            last = survivors_file(Path(args.work).resolve(), rel)
            keep = set(last.read_text(encoding="utf-8").splitlines()) if last.exists() else set()
            mutants = [m for m in mutants if key_of(m, lines) in keep]
        plan[rel] = (source, mutants)
    if args.list:
        for rel, (source, mutants) in plan.items():
            lines = source.splitlines()
            for m in mutants:
                print(f"{rel}:{m.line}: {change_key(m)} | {line_key(lines, m.line)}")
            print(f"{rel}: {len(mutants)} changes")
        return 0

    work = Path(args.work).resolve()
    tree = work / "tree"
    build = tree / "build"
    sync_tree(ROOT, tree)
    # A cache of its own: every change is compiled once, and again only when a later run makes
    # it again, without crowding out anybody's ordinary builds.
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CCACHE_DIR=str(work / "ccache"),
               CCACHE_BASEDIR=str(tree), CCACHE_MAXSIZE="2G")
    if not (build / "build.ninja").exists():
        # Unoptimised compiles take half the time; a warning must not stop a change from running.
        cmd = ["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
               "-DCMAKE_CXX_FLAGS=-O0", "-DLH740_WERROR=OFF"]
        if shutil.which("ccache"):
            cmd.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        code, out = run(cmd, env=env)
        if code != 0:
            sys.exit(out + "\nmutants: configuring the copy failed")

    def tests_for(rel):
        if args.tests:
            return args.tests.split(",")
        for prefix, tests in TESTS.items():
            if rel.startswith(prefix):
                return tests
        sys.exit(f"mutants: no test programs known for {rel}; name them with --tests")

    def build_target(target):
        return run(["cmake", "--build", str(build), "-j", str(args.jobs), "--target", target], env=env)

    def run_tests(target, timeout):
        exe = build / "bin" / target
        return run([str(exe), "--gtest_brief=1", "--gtest_fail_fast"], cwd=build, timeout=timeout, env=env)

    # The unchanged code must pass, and its run times give the time-outs. A program that fails
    # once and then passes (timing under load) counts a change as caught only when its tests
    # fail twice.
    budget, flaky = {}, set()
    for target in dict.fromkeys(t for rel in rels for t in tests_for(rel)):
        code, out = build_target(target)
        if code != 0:
            sys.exit(out + f"\nmutants: {target} does not build unchanged")
        for attempt in range(3):
            began = time.monotonic()
            code, out = run_tests(target, None)
            if code == 0:
                break
            flaky.add(target)
            print(f"mutants: {target} failed unchanged ({failed_test(out)}); it must fail three "
                  "times in a row to catch a change", file=sys.stderr, flush=True)
        if code != 0:
            sys.exit(out + f"\nmutants: {target} fails unchanged")
        budget[target] = args.timeout or max(20.0, 5 * (time.monotonic() - began))

    known = load_equivalents(ROOT / "scripts" / "mutants-equivalent.txt")
    totals = []
    current = None

    def restore(*_):
        if current is not None:
            write(tree / current, plan[current][0])

    def on_signal(signum, _frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, on_signal)
    try:
        for rel in rels:
            source, mutants = plan[rel]
            lines = source.splitlines()
            current = rel
            caught, survived, unbuilt, equivalent, kept_alive = 0, [], 0, [], []
            for n, m in enumerate(mutants, 1):
                write(tree / rel, m.apply(source))
                verdict = "survived"
                for target in tests_for(rel):
                    code, out = build_target(target)
                    if code != 0:
                        verdict = "does not build"
                        break
                    code, out = run_tests(target, budget[target])
                    for _ in range(2 if target in flaky else 0):
                        if code != 0:
                            code, out = run_tests(target, budget[target])
                    if code != 0:
                        verdict = f"caught by {target} ({failed_test(out)})"
                        break
                text = line_key(lines, m.line)
                print(f"[{n}/{len(mutants)}] {verdict}: {rel}:{m.line}: {m.what}", file=sys.stderr, flush=True)
                if verdict == "does not build":
                    unbuilt += 1
                elif verdict == "survived":
                    kept_alive.append(m)
                    reason = known.get((rel, change_key(m), text))
                    entry = f"{rel}:{m.line}: {change_key(m)} | {text}"
                    (equivalent.append(f"{entry}\n    ({reason})") if reason else survived.append(entry))
                else:
                    caught += 1
            restore()
            current = None
            totals.append((rel, caught, survived, equivalent, unbuilt))
            if not args.again and not args.only:
                survivors_file(work, rel).write_text(
                    "".join(key_of(m, lines) + "\n" for m in kept_alive), encoding="utf-8")
    except KeyboardInterrupt:
        restore()
        print("mutants: interrupted; the copy is restored, the source tree was not touched", file=sys.stderr)
        return 130

    print()
    all_tried = all_caught = 0
    for rel, caught, survived, equivalent, unbuilt in totals:
        tried = caught + len(survived) + len(equivalent)
        all_tried += tried
        all_caught += caught
        print(f"{rel}: {tried} tried, {caught} caught, {len(survived) + len(equivalent)} survived"
              f" ({len(equivalent)} known equivalent), {unbuilt} did not build")
        for entry in survived:
            print(f"  SURVIVED {entry}")
        for entry in equivalent:
            print(f"  equivalent {entry}")
    if all_tried:
        print(f"total: {all_tried} tried, {all_caught} caught ({100.0 * all_caught / all_tried:.1f} %)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
