#!/usr/bin/env python3
"""Measures what the test suite catches: plants each fault of tools/mutations.json, one at a
time, in a scratch copy of the repository, rebuilds, runs the fast suite and puts the file back.

  tools/mutate.py --check            every entry applies exactly once (exit 1 otherwise)
  tools/mutate.py                    the whole catalogue; "N of M caught" is the last line
  tools/mutate.py --only ID...       some entries;  --library LIB...: one library's entries

The fast suite is every CTest test but the end-to-end and package tests; an entry's "tests"
adds those that alone can show its fault. Test programs that come out of the build identical
to the unfaulted build's are not run: they cannot behave differently. Not part of CI: a whole
run takes about a quarter of an hour on two processors (852 s for 69 faults).
"""
import argparse
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from collections import Counter
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CATALOGUE = ROOT / "tools" / "mutations.json"
SLOW_TESTS = ("tst_e2e", "deb_package")  # left out of the fast suite
FIELDS = ("id", "library", "file", "find", "replace", "player")


def problems(entries, root):
    """What keeps entries from applying: each a line naming the entry."""
    found = []
    seen = set()
    for n, e in enumerate(entries):
        name = e.get("id", f"entry {n}")
        missing = [f for f in FIELDS if not isinstance(e.get(f), str)]
        if missing:
            found.append(f"{name}: missing {', '.join(missing)}")
            continue
        if name in seen:
            found.append(f"{name}: id used twice")
        seen.add(name)
        if Path(e["file"]).parts[:2] != ("src", e["library"]):
            found.append(f"{name}: {e['file']} is not in src/{e['library']}/")
        if e["find"] == e["replace"]:
            found.append(f"{name}: the replacement changes nothing")
        path = root / e["file"]
        count = path.read_text(encoding="utf-8").count(e["find"]) if path.is_file() else -1
        if count != 1:
            found.append(f"{name}: the text to find occurs {max(count, 0)} times in {e['file']}")
    return found


def copy_tree(source, target):
    """Copies the repository without build folders or Git; files already equal stay untouched,
    so that a reused scratch build stays incremental."""
    def skipped(folder, names):
        top = Path(folder) == source
        return [n for n in names
                if n == "__pycache__" or (top and (n.startswith("build") or n == ".git"))]

    for folder, dirs, files in os.walk(source):
        dirs[:] = [d for d in dirs if d not in skipped(folder, dirs)]
        out = target / Path(folder).relative_to(source)
        out.mkdir(parents=True, exist_ok=True)
        for name in files:
            src, dst = Path(folder) / name, out / name
            if not dst.is_file() or dst.read_bytes() != src.read_bytes():
                shutil.copy(src, dst)


def run(command, log=None, timeout=None):
    """Runs `command` niced; its return code (124 on timeout), output appended to `log`."""
    with open(log or os.devnull, "a") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        try:
            return subprocess.run(["nice", "-n", "10", *command], stdout=out,
                                  stderr=subprocess.STDOUT, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            out.write(f"timed out after {timeout} s\n")
            return 124


def test_programs(build):
    """Each CTest test with the file of the program it runs, or None for a script."""
    listing = json.loads(subprocess.run(
        ["ctest", "--test-dir", str(build), "--show-only=json-v1"],
        capture_output=True, text=True, check=True).stdout)
    tests = {}
    for test in listing["tests"]:
        program = Path(test["command"][0]) if test.get("command") else None
        inside = program and build in program.parents and program.is_file()
        tests[test["name"]] = program if inside else None
    return tests


def digest(path):
    return hashlib.sha256(path.read_bytes()).hexdigest() if path.is_file() else None


def ctest(build, names, jobs, log):
    """Runs the named tests up to the first failure; the names of those that failed."""
    pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    start = log.stat().st_size if log.exists() else 0
    code = run(["ctest", "--test-dir", str(build), "-R", pattern, "--stop-on-failure",
                "--output-on-failure", "-j", str(jobs)], log, timeout=1800)
    if code == 0:
        return []
    with open(log) as text:
        text.seek(start)
        # CTest's closing list names every failure, crashes and timeouts included.
        failed = re.findall(r"^\s*\d+ - (\S+) \(", text.read(), re.M)
    return failed or [f"ctest exit {code}"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="only check that every entry applies")
    parser.add_argument("--only", nargs="+", metavar="ID", help="these entries only")
    parser.add_argument("--library", nargs="+", metavar="LIB", help="these libraries' entries only")
    parser.add_argument("-j", type=int, default=2, help="tests run at once (default 2)")
    parser.add_argument("--build-jobs", type=int, default=2, help="compile jobs (default 2)")
    parser.add_argument("--scratch", type=Path,
                        help="scratch folder, kept and reused (default: a fresh one, removed)")
    args = parser.parse_args()

    entries = json.loads(CATALOGUE.read_text(encoding="utf-8"))
    found = problems(entries, ROOT)
    for line in found:
        print(line)
    if args.check or found:
        print(f"{len(entries)} entries, {len(found)} problems")
        return 1 if found else 0
    if args.only:
        unknown = set(args.only) - {e["id"] for e in entries}
        if unknown:
            sys.exit(f"no such entry: {' '.join(sorted(unknown))}")
        entries = [e for e in entries if e["id"] in args.only]
    if args.library:
        entries = [e for e in entries if e["library"] in args.library]

    scratch = (args.scratch or Path(tempfile.mkdtemp(prefix="vexoro-mutate-"))).resolve()
    copy, build, logs = scratch / "repo", scratch / "repo" / "build", scratch / "logs"
    logs.mkdir(parents=True, exist_ok=True)
    started = time.monotonic()
    try:
        copy_tree(ROOT, copy)
        setup = logs / "setup.log"
        print(f"scratch copy in {copy}; logs in {logs}", flush=True)
        building = ["cmake", "--build", str(build), "-j", str(args.build_jobs)]
        if run(["cmake", "-S", str(copy), "-B", str(build), "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=Debug", "-DBUILD_TESTING=ON"], setup) or run(building, setup):
            sys.exit(f"the unfaulted copy does not build: see {setup}")
        programs = test_programs(build)
        fast = [n for n in programs if n not in SLOW_TESTS]
        if ctest(build, fast, args.j, setup):
            sys.exit(f"the fast suite fails without any fault: see {setup}")
        clean = {n: digest(p) for n, p in programs.items() if p}
        print(f"unfaulted build and fast suite: {time.monotonic() - started:.0f} s", flush=True)

        results = []
        for e in entries:
            t0 = time.monotonic()
            path = copy / e["file"]
            original = path.read_bytes()
            log = logs / f"{e['id']}.log"
            log.unlink(missing_ok=True)
            try:
                path.write_text(original.decode("utf-8").replace(e["find"], e["replace"]),
                                encoding="utf-8")
                if run(building, log):
                    status, detail = "broken", f"does not build, see {log}"
                else:
                    changed = [n for n in fast if not programs[n] or digest(programs[n]) != clean[n]]
                    failed = ctest(build, changed, args.j, log) if changed else []
                    if not failed and e.get("tests"):
                        failed = ctest(build, e["tests"], 1, log)
                    status = "caught" if failed else "missed"
                    detail = ("by " + ", ".join(failed) if failed else
                              "no test program changed" if not changed else e["player"])
            finally:
                path.write_bytes(original)  # newer than the faulty objects: rebuilt next time
            results.append((e, status))
            print(f"{status:<7} {e['library']:<12} {e['id']:<34} {time.monotonic() - t0:4.0f} s  "
                  f"{detail}", flush=True)
        run(building, logs / "setup.log")  # the scratch build matches its sources again
    finally:
        if not args.scratch:
            shutil.rmtree(scratch, ignore_errors=True)

    counted = [(e, s) for e, s in results if s != "broken"]
    total = Counter(e["library"] for e, _ in counted)
    caught = Counter(e["library"] for e, s in counted if s == "caught")
    print(f"\n{'library':<12} caught  of   ({time.monotonic() - started:.0f} s in all)")
    for library in sorted(total):
        print(f"{library:<12} {caught[library]:>6} {total[library]:>3}")
    print(f"{sum(caught.values())} of {len(counted)} caught")
    return 1 if len(counted) < len(results) else 0


if __name__ == "__main__":
    sys.exit(main())
