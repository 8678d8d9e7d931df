#!/usr/bin/env python3
"""Measures what the test suite catches: plants one fault at a time in a scratch copy of the
repository, rebuilds, runs the fast suite and puts the file back. The score that counts is
taken on mutants drawn at random from each library's source (operators: tools/mutants.py).

  tools/mutate.py [--seed N]            10 mutants per library; "N of M killed" is the last line
  tools/mutate.py --list [--seed N]     only print the mutants that run would draw
  tools/mutate.py --per-library N --library LIB...    another number; some libraries only
  tools/mutate.py --rev REV             the tree of a commit rather than the working copy
  tools/mutate.py --check               every entry of tools/mutants_equivalent.json matches
                                        a mutant

The seed, printed first, draws the same mutants again from the same source. A mutant that does
not compile is "broken": reported, not scored, and the seed's next mutant of that library is
drawn in its place. A mutant after which every program, the game included, builds the same,
and a survivor that tools/mutants_equivalent.json lists with its reason, are "equivalent" and
not scored either. Each mutant runs the fast suite's tests whose programs changed (every CTest
test but the end-to-end and package tests), then the end-to-end test if the game changed and
they all passed; a test run that outlasts ten times the unfaulted suite (two minutes at least)
counts as a hang, which kills the mutant. Not part of CI: on two processors 60 drawn mutants
take about 20 minutes, build included.
"""
import argparse
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tarfile
import tempfile
import time
from collections import Counter
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import mutants  # noqa: E402  (beside this file)

ROOT = Path(__file__).resolve().parent.parent
SLOW_TESTS = ("tst_e2e", "deb_package")  # left out of the fast suite


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


def export_revision(rev, target):
    """The tree of commit `rev`, as `git archive` gives it, in the empty folder `target`."""
    shutil.rmtree(target, ignore_errors=True)
    target.mkdir(parents=True)
    archive = subprocess.Popen(["git", "-C", str(ROOT), "archive", "--format=tar", rev],
                               stdout=subprocess.PIPE)
    with tarfile.open(fileobj=archive.stdout, mode="r|") as tar:
        tar.extractall(target, filter="data")
    if archive.wait():
        sys.exit(f"git archive {rev} failed")


def run(command, log=None, timeout=None):
    """Runs `command` niced; its return code (124 on timeout), output appended to `log`.
    It runs in a session of its own, so that a timeout also ends the test programs it started."""
    with open(log or os.devnull, "a") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        process = subprocess.Popen(["nice", "-n", "10", *command], stdout=out,
                                   stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            out.write(f"timed out after {timeout} s\n")
            return 124
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


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


def ctest(build, names, jobs, log, timeout=1800):
    """Runs the named tests up to the first failure; the names of those that failed."""
    pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    start = log.stat().st_size if log.exists() else 0
    code = run(["ctest", "--test-dir", str(build), "-R", pattern, "--stop-on-failure",
                "--output-on-failure", "-j", str(jobs)], log, timeout=timeout)
    if code == 0:
        return []
    if code == 124:
        return [f"a hang (stopped after {timeout} s)"]
    with open(log) as text:
        text.seek(start)
        # CTest's closing list names every failure, crashes and timeouts included.
        failed = re.findall(r"^\s*\d+ - (\S+) \(", text.read(), re.M)
    return failed or [f"ctest exit {code}"]


class Scratch:
    """The scratch copy and its unfaulted build: a fault is planted, built and tested there."""

    def __init__(self, folder, jobs, build_jobs):
        self.copy, self.logs = folder / "repo", folder / "logs"
        self.build = self.copy / "build"
        self.jobs = jobs
        self.building = ["cmake", "--build", str(self.build), "-j", str(build_jobs)]
        self.logs.mkdir(parents=True, exist_ok=True)

    def prepare(self, source):
        """Builds the unfaulted copy of `source` and runs the fast suite on it."""
        started = time.monotonic()
        copy_tree(source, self.copy)
        setup = self.logs / "setup.log"
        print(f"scratch copy in {self.copy}; logs in {self.logs}", flush=True)
        if run(["cmake", "-S", str(self.copy), "-B", str(self.build), "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=Debug", "-DBUILD_TESTING=ON"], setup) or \
                run(self.building, setup):
            sys.exit(f"the unfaulted copy does not build: see {setup}")
        self.programs = test_programs(self.build)
        self.fast = [n for n in self.programs if n not in SLOW_TESTS]
        suite_start = time.monotonic()
        if ctest(self.build, self.fast, self.jobs, setup):
            sys.exit(f"the fast suite fails without any fault: see {setup}")
        # A fault that makes a test loop forever is caught once the test has run this long.
        self.timeout = max(120, 10 * round(time.monotonic() - suite_start))
        self.clean = {n: digest(p) for n, p in self.programs.items() if p}
        self.game = self.build / "src" / "app" / "vexoro"
        self.clean_game = digest(self.game)
        print(f"unfaulted build and fast suite: {time.monotonic() - started:.0f} s; "
              f"a test run longer than {self.timeout} s counts as a hang", flush=True)

    def attempt(self, file, change, name):
        """Plants `change` (the file's old text to its new one) in `file`, builds and runs the
        tests whose programs changed: ("broken" | "failed" | "passed" | "same", detail); "same"
        when no program came out of the build any different."""
        path = self.copy / file
        original = path.read_bytes()
        log = self.logs / f"{name}.log"
        log.unlink(missing_ok=True)
        try:
            path.write_text(change(original.decode("utf-8")), encoding="utf-8")
            if run(self.building, log):
                return "broken", f"does not build, see {log}"
            changed = [n for n in self.fast
                       if not self.programs[n] or digest(self.programs[n]) != self.clean[n]]
            failed = ctest(self.build, changed, self.jobs, log, self.timeout) if changed else []
            # The real program on a display, only when the fast suite let a changed game by.
            game_changed = digest(self.game) != self.clean_game
            if not failed and game_changed:
                failed = ctest(self.build, ["tst_e2e"], 1, log, self.timeout)
            if failed:
                return "failed", "by " + ", ".join(failed)
            if not changed and not game_changed:
                return "same", "every program built the same"
            return "passed", ""
        finally:
            path.write_bytes(original)  # newer than the faulty objects: rebuilt next time

    def finish(self):
        run(self.building, self.logs / "setup.log")  # the scratch build matches its sources again


def run_drawn(args, source, scratch):
    libraries = args.library or list(mutants.LIBRARIES)
    every = mutants.candidates(source, libraries)
    equivalent = mutants.load_equivalent()
    for line in mutants.equivalent_problems(equivalent, [m for ms in every.values() for m in ms]):
        if "matches no mutant" not in line or not args.library:
            print(f"warning: {line}")
    order = {lib: mutants.shuffled(every[lib], args.seed, lib) for lib in libraries}
    if args.list:
        for lib in libraries:
            print(f"{lib}: {min(args.per_library, len(order[lib]))} of {len(order[lib])} mutants")
            for m in order[lib][:args.per_library]:
                print(f"  {m.where():<44} {m.operator:<13} {m.short_change()}")
        return 0

    started = time.monotonic()
    scratch.prepare(source)
    results = []  # (mutant, status, detail)
    for lib in libraries:
        scored = 0
        # Broken mutants are replaced by the next ones drawn, up to three draws per score.
        for m in order[lib][:3 * args.per_library]:
            if scored == args.per_library:
                break
            t0 = time.monotonic()
            outcome, detail = scratch.attempt(m.file, m.apply,
                                              f"{lib}-{len(results) + 1:03d}")
            listed = any(mutants.matches(e, m) for e in equivalent)
            status = {"broken": "broken", "failed": "killed", "same": "equivalent",
                      "passed": "equivalent" if listed else "survived"}[outcome]
            if listed and status == "killed":
                detail += "; listed as equivalent in tools/mutants_equivalent.json: it is not"
            scored += status != "broken"
            results.append((m, status, detail))
            print(f"{status:<10} {lib:<12} {m.where():<40} {m.short_change(60)}  "
                  f"{time.monotonic() - t0:4.0f} s  {detail}", flush=True)
    scratch.finish()
    report(results, libraries, time.monotonic() - started)
    return 0


def report(results, libraries, seconds):
    print(f"\n{'library':<12} {'drawn':>5} {'broken':>6} {'equivalent':>10} {'killed':>6} "
          f"{'survived':>8} {'score':>7}   ({seconds:.0f} s in all)")
    rows = [(lib, [s for m, s, _ in results if m.library == lib]) for lib in libraries]
    rows.append(("all", [s for _, s, _ in results]))
    for name, statuses in rows:
        n = Counter(statuses)
        scored = len(statuses) - n["broken"] - n["equivalent"]
        score = f"{100 * n['killed'] / scored:.0f} %" if scored else "-"
        print(f"{name:<12} {len(statuses):>5} {n['broken']:>6} {n['equivalent']:>10} "
              f"{n['killed']:>6} {n['survived']:>8} {score:>7}")
    hits = sum(s == "equivalent" for _, s, _ in results)
    print(f"tools/mutants_equivalent.json: {hits} of the drawn mutants listed as equivalent")
    survivors = [m for m, s, _ in results if s == "survived"]
    if survivors:
        print("\nsurvivors (an equivalent one goes into tools/mutants_equivalent.json with a "
              "reason):")
        for m in survivors:
            print(f"  {m.where():<44} {m.short_change()}")
            print(f"    {json.dumps(m.key(), ensure_ascii=False)}")
    killed = sum(s == "killed" for _, s, _ in results)
    print(f"{killed} of {sum(s in ('killed', 'survived') for _, s, _ in results)} killed")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true",
                        help="only check that every equivalent mutant's entry still matches")
    parser.add_argument("--library", nargs="+", metavar="LIB", choices=mutants.LIBRARIES,
                        help="these libraries only")
    parser.add_argument("--seed", type=int, help="draws the mutants (default: a new one)")
    parser.add_argument("--per-library", type=int, default=10, metavar="N",
                        help="mutants scored per library (default 10)")
    parser.add_argument("--list", action="store_true", help="only print the drawn mutants")
    parser.add_argument("--rev", metavar="REV",
                        help="the tree of this commit rather than the working copy")
    parser.add_argument("-j", type=int, default=2, help="tests run at once (default 2)")
    parser.add_argument("--build-jobs", type=int, default=2, help="compile jobs (default 2)")
    parser.add_argument("--scratch", type=Path,
                        help="scratch folder, kept and reused (default: a fresh one, removed)")
    args = parser.parse_args()

    folder = (args.scratch or Path(tempfile.mkdtemp(prefix="vexoro-mutate-"))).resolve()
    try:
        source = ROOT
        if args.rev:
            source = folder / "tree"
            export_revision(args.rev, source)
        if args.check:
            every = [m for ms in mutants.candidates(source).values() for m in ms]
            found = mutants.equivalent_problems(mutants.load_equivalent(), every)
            for line in found:
                print(line)
            print(f"{len(found)} problems")
            return 1 if found else 0
        scratch = Scratch(folder, args.j, args.build_jobs)
        if args.seed is None:
            args.seed = random.SystemRandom().randrange(1, 1_000_000)
        print(f"seed {args.seed} (the same mutants again: --seed {args.seed})", flush=True)
        return run_drawn(args, source, scratch)
    finally:
        if not args.scratch:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
