#!/usr/bin/env python3
"""Runs every benchmark and its peers in one run on the same files and prints one table:
each figure's median and each ratio against its target. With --write FILE the table and
the machine it ran on are written to FILE (BENCHMARKS.md)."""
import argparse
import json
import os
import platform
import subprocess
import sys
import statistics
import tempfile
import time

REPETITIONS = 3
ROUNDS = 3
PROCESS_RUNS = 15


def bench_environment(directory):
    """The environment of every program the run starts: the fixtures' folder, the offscreen
    platform, and settings, backups and temporary files inside the run's own folder."""
    return dict(os.environ, VESK_BENCH_DIR=directory, QT_QPA_PLATFORM="offscreen",
                TMPDIR=directory, XDG_CONFIG_HOME=os.path.join(directory, "config"),
                XDG_DATA_HOME=os.path.join(directory, "data"))


def benchmark_repetitions(binary, name, env):
    """The milliseconds of each repetition of one benchmark, run in a process of its own so
    that it measures no memory or editor state that another benchmark left."""
    output = subprocess.run(
        [binary, "--benchmark_format=json", f"--benchmark_repetitions={REPETITIONS}",
         f"--benchmark_filter=^{name}$"],
        env=env, check=True, capture_output=True, text=True).stdout
    times = []
    for entry in json.loads(output)["benchmarks"]:
        if entry.get("run_type") != "iteration":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}[entry["time_unit"]]
        times.append(entry["real_time"] * scale)
    if not times:
        sys.exit(f"{os.path.basename(binary)} reported no {name}")
    return times


def run_benchmarks(programs, env):
    """Medians in milliseconds by benchmark name, for (binary, names) pairs. The benchmarks
    take turns over ROUNDS rounds, so that a ratio of two of them is not skewed by a machine
    that was busy while one of them ran; each median is over all rounds' repetitions."""
    times = {}
    for _ in range(ROUNDS):
        for binary, names in programs:
            for name in names:
                times.setdefault(name, []).extend(benchmark_repetitions(binary, name, env))
    return {name: statistics.median(taken) for name, taken in times.items()}


def run_peer(command, env=None):
    """The figure a program prints about itself."""
    return float(subprocess.run(command, env=env, check=True, capture_output=True,
                                text=True).stdout.strip())


def write_quoted_csv(path):
    """The rows of the limit database as a spreadsheet writes them: a header, an Ascii word,
    CJK text, and a meaning of about 40 characters quoted for its separators and quotes."""
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write("Word,Hanzi,Meaning\r\n")
        for row in range(65532):
            out.write(f'word{row},\u4e2d\u6587{row % 97},'
                      f'"a meaning, ""quoted"" as spreadsheets do {row:05}"\r\n')


def run_process(command, env):
    """Runs command as a whole process with its output thrown away, as a user's shell would
    start it with `> /dev/null`: its wall-clock milliseconds, from the spawn to the reaped
    exit."""
    quiet = [(os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
             (os.POSIX_SPAWN_OPEN, 2, os.devnull, os.O_WRONLY, 0)]
    start = time.perf_counter()
    pid = os.posix_spawnp(command[0], command, env, file_actions=quiet)
    _, status, _ = os.wait4(pid, 0)
    taken = (time.perf_counter() - start) * 1000
    if os.waitstatus_to_exitcode(status) != 0:
        failed = subprocess.run(command, env=env, capture_output=True, text=True)
        sys.exit(f"{' '.join(command)} failed: {failed.stderr.strip()}")
    return taken


def alternating_medians(measures, runs=PROCESS_RUNS):
    """The median of each measure over runs in which the measures take turns, so that a
    machine busy for a moment slows each of them alike."""
    values = [[] for _ in measures]
    for _ in range(runs):
        for measure, taken in zip(measures, values):
            taken.append(measure())
    return [statistics.median(taken) for taken in values]


def process_medians(commands, env):
    """Median wall-clock milliseconds of each command as a whole process, in turns."""
    return alternating_medians([lambda command=command: run_process(command, env)
                                for command in commands])


def fresh_medians(commands, env):
    """Median of the milliseconds each command prints about itself, each run a fresh
    process, in turns."""
    return alternating_medians([lambda command=command: run_peer(command, env)
                                for command in commands])


def peak_memory_kib(binary, database, env):
    return int(run_peer([binary, "--peak-memory", database], env))


def machine():
    cpu = "unknown"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return f"{platform.system()} {platform.release()}, {cpu}, {os.cpu_count()} cores"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench_dir", help="the folder holding the benchmark programs")
    parser.add_argument("source_dir", help="the folder holding the peer scripts")
    parser.add_argument("--write", help="also write the table to this Markdown file")
    args = parser.parse_args()

    bench = args.bench_dir
    vesk = os.path.join(os.path.dirname(os.path.abspath(bench)), "vesk")
    with tempfile.TemporaryDirectory(prefix="vesk-bench-") as directory:
        env = bench_environment(directory)
        # The fixtures come from a process of their own, so that the first load and the
        # first open below read files that no earlier work in their process touched.
        subprocess.run([os.path.join(bench, "vesk-bench-fixtures"), directory], env=env,
                       check=True, capture_output=True)
        database = os.path.join(directory, "limit.PDB")
        text = os.path.join(directory, "limit.txt")
        perl_peer = ["perl", os.path.join(args.source_dir, "peer_palm_pdb.pl"), database]
        first_load, perl_first, first_open = fresh_medians(
            [[os.path.join(bench, "vesk-bench-first"), database], perl_peer + ["1"],
             [os.path.join(bench, "vesk-bench-panes"), "--first-open", database]], env)

        medians = run_benchmarks(
            [(os.path.join(bench, "vesk-bench-core"),
              ["Save", "SaveEveryRecord", "SafeSaveOneWrite", "CheckAndLoad",
               "ImportTabDelimited", "ExportAnkiPackageAtLimit", "ImportAnkiPackageAtLimit"]),
             (os.path.join(bench, "vesk-bench-panes"),
              ["OpenInEditor", "ValueEditCommit", "DeleteOneTerm", "PasteHundredTerms",
               "FindSelectMatches", "DeleteOneTermToIdle", "PasteHundredTermsToIdle",
               "FindSelectMatchesToIdle", "UndoRedoValueEdit", "UndoRedoDeleteOneTerm",
               "UndoRedoPasteHundredTerms", "PreviewHundredMegabytes"])], env)
        # The peers time themselves in-process over as many repetitions as a benchmark has.
        peer_repetitions = str(ROUNDS * REPETITIONS)
        perl = run_peer(perl_peer + [peer_repetitions], env)
        python = run_peer([sys.executable, os.path.join(args.source_dir, "peer_csv.py"), text,
                           peer_repetitions], env)
        quoted = os.path.join(directory, "quoted.csv")
        write_quoted_csv(quoted)
        isolated = [sys.executable, "-I", "-S"]
        csv_import, csv_peer = process_medians(
            [[vesk, "import", "csv", quoted, os.path.join(directory, "quoted.PDB")],
             isolated + [os.path.join(args.source_dir, "peer_csv_lists.py"), quoted]], env)
        # Each writer of a whole database file saves into a folder of its own.
        for name in ("import", "copy"):
            os.mkdir(os.path.join(directory, name))
        pdb_import, raw_copy = process_medians(
            [[vesk, "import", "pdb", database, os.path.join(directory, "import", "out.PDB")],
             [os.path.join(bench, "vesk-peer-copy"), database,
              os.path.join(directory, "copy", "out.PDB")]], env)
        dump, perl_process = process_medians([[vesk, "dump", database], perl_peer], env)
        tab_import, tab_peer = process_medians(
            [[vesk, "import", "tab", text, os.path.join(directory, "import", "tab.PDB")],
             isolated + [os.path.join(args.source_dir, "peer_csv.py"), text]], env)
        peak_of = [os.path.join(bench, "vesk-peak-memory")]
        dump_peak = int(run_peer(peak_of + [vesk, "dump", database], env))
        process_floor = int(run_peer(peak_of + [vesk, "--version"], env))
        peak = peak_memory_kib(os.path.join(bench, "vesk-bench-panes"), database, env)
        file_kib = os.path.getsize(database) / 1024

    figures = [
        ("save of the limit database", medians["Save"]),
        ("the same save with every record written (the first after an open)",
         medians["SaveEveryRecord"]),
        ("safe save of the same bytes, one write", medians["SafeSaveOneWrite"]),
        ("check + load of the limit database", medians["CheckAndLoad"]),
        ("Palm::PDB (Perl) parsing the same file", perl),
        ("import of 65,532 tab-delimited lines", medians["ImportTabDelimited"]),
        ("Python csv reading the same file", python),
        ("Anki package export of the limit database, reverse cards",
         medians["ExportAnkiPackageAtLimit"]),
        ("Anki package import of 65,532 notes", medians["ImportAnkiPackageAtLimit"]),
        ("one value edit committed, backup included", medians["ValueEditCommit"]),
        ("opening the limit database in the editor", medians["OpenInEditor"]),
        ("deleting one term", medians["DeleteOneTerm"]),
        ("pasting 100 copied terms", medians["PasteHundredTerms"]),
        ("Find with select matches over all terms", medians["FindSelectMatches"]),
        ("undo + redo of a value edit", medians["UndoRedoValueEdit"]),
        ("undo + redo of a one-term delete", medians["UndoRedoDeleteOneTerm"]),
        ("undo + redo of a 100-term paste", medians["UndoRedoPasteHundredTerms"]),
        ("vesk import csv of 65,532 quoted rows, whole process", csv_import),
        ("python3 -I -S csv reading the quoted rows, whole process", csv_peer),
        ("the import preview opened on a 100 MB file", medians["PreviewHundredMegabytes"]),
        ("first check + load in a fresh process", first_load),
        ("Palm::PDB's first parse in a fresh process", perl_first),
        ("first open in the editor of a fresh process, event loop to idle", first_open),
        ("deleting one term, event loop to idle", medians["DeleteOneTermToIdle"]),
        ("pasting 100 copied terms, event loop to idle", medians["PasteHundredTermsToIdle"]),
        ("Find with select matches, event loop to idle", medians["FindSelectMatchesToIdle"]),
        ("vesk import pdb of the limit database, whole process", pdb_import),
        ("read + write + fsync + rename of the same bytes (C), whole process", raw_copy),
        ("vesk dump of the limit database to /dev/null, whole process", dump),
        ("perl Palm::PDB parsing the same file, whole process", perl_process),
        ("vesk import tab of 65,532 lines, save included, whole process", tab_import),
        ("python3 -I -S csv reading the 65,532 tab-delimited lines, whole process", tab_peer),
    ]
    load = medians["CheckAndLoad"]
    ratios = [
        ("save / safe save of the same bytes", medians["Save"] / medians["SafeSaveOneWrite"], 1.3),
        ("load / Palm::PDB", load / perl, 0.1),
        ("import / Python csv", medians["ImportTabDelimited"] / python, 0.5),
        ("Anki package export / load", medians["ExportAnkiPackageAtLimit"] / load, 100.0),
        ("Anki package import / load", medians["ImportAnkiPackageAtLimit"] / load, 30.0),
        ("value edit / save", medians["ValueEditCommit"] / medians["Save"], 1.1),
        ("editor open / load", medians["OpenInEditor"] / load, 1.5),
        ("delete one term / load", medians["DeleteOneTerm"] / load, 1.0),
        ("paste 100 terms / load", medians["PasteHundredTerms"] / load, 1.0),
        ("Find, select matches / load", medians["FindSelectMatches"] / load, 1.0),
        ("peak memory of the editor / file size", peak / file_kib, 20.0),
        ("csv import and save / Python csv (whole processes)", csv_import / csv_peer, 0.6),
        ("import preview of a 100 MB file / 1 s", medians["PreviewHundredMegabytes"] / 1000, 0.25),
        ("first load / Palm::PDB's first parse (fresh processes)", first_load / perl_first,
         0.1),
        ("first editor open / first load (fresh processes)", first_open / first_load, 2.0),
        ("delete one term, event loop to idle / load", medians["DeleteOneTermToIdle"] / load,
         1.0),
        ("paste 100 terms, event loop to idle / load", medians["PasteHundredTermsToIdle"] / load,
         1.0),
        ("Find, select matches, event loop to idle / load",
         medians["FindSelectMatchesToIdle"] / load, 1.0),
        ("vesk import pdb / raw read + write + fsync + rename (whole processes)",
         pdb_import / raw_copy, 2.0),
        ("vesk dump / Palm::PDB (whole processes)", dump / perl_process, 0.5),
        ("peak memory of vesk dump beyond vesk --version / file size",
         (dump_peak - process_floor) / file_kib, 3.0),
        ("vesk import tab, save included / python3 -I -S csv (whole processes)",
         tab_import / tab_peer, 0.6),
    ]
    # An undo or a redo, less the backup save it writes like every change, against a load.
    for name, key in [("value edit", "UndoRedoValueEdit"),
                      ("one-term delete", "UndoRedoDeleteOneTerm"),
                      ("100-term paste", "UndoRedoPasteHundredTerms")]:
        beyond_save = max(medians[key] / 2 - medians["Save"], 0.0)
        ratios.append((f"undo or redo of a {name}, beyond the backup / load",
                       beyond_save / load, 0.1))

    lines = ["| figure | median (ms) |", "|---|---:|"]
    lines += [f"| {name} | {value:.2f} |" for name, value in figures]
    lines += ["", "| ratio | value | target | met |", "|---|---:|---:|---|"]
    lines += [f"| {name} | {value:.3f} | ≤ {target} | {'yes' if value <= target else 'NO'} |"
              for name, value, target in ratios]
    lines += ["", f"Peak memory of the editor {peak / 1024:.1f} MiB, of `vesk dump` "
              f"{dump_peak / 1024:.1f} MiB (of `vesk --version` {process_floor / 1024:.1f} MiB) "
              f"for a {file_kib / 1024:.1f} MiB file.",
              f"Machine: {machine()}."]
    table = "\n".join(lines)
    print(table)
    if args.write:
        write_table(args.write, table)


START, END = "<!-- last run -->", "<!-- end of last run -->"


def write_table(path, table):
    """Puts the table between the markers of the file, keeping the rest of it (the tuning
    record); a file without them is started afresh."""
    section = (f"{START}\nThe last run of `make bench` (medians of {ROUNDS} alternating rounds "
               f"of {REPETITIONS} repetitions in-process, of {PROCESS_RUNS} alternating runs for "
               f"fresh and whole processes; see bench/README.md).\n\n{table}\n{END}")
    try:
        with open(path) as existing:
            text = existing.read()
    except OSError:
        text = ""
    if START in text and END in text:
        text = text[:text.index(START)] + section + text[text.index(END) + len(END):]
    else:
        text = f"# Benchmarks\n\n{section}\n"
    with open(path, "w") as out:
        out.write(text)


if __name__ == "__main__":
    main()
