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

REPETITIONS = 5


def run_benchmark(binary, directory, names):
    """Medians in milliseconds by benchmark name. Each benchmark runs in a process of its
    own, so none measures the memory or the editor state that the ones before it left."""
    env = dict(os.environ, VESK_BENCH_DIR=directory, QT_QPA_PLATFORM="offscreen")
    medians = {}
    for name in names:
        output = subprocess.run(
            [binary, "--benchmark_format=json", f"--benchmark_repetitions={REPETITIONS}",
             "--benchmark_report_aggregates_only=true", f"--benchmark_filter=^{name}$"],
            env=env, check=True, capture_output=True, text=True).stdout
        for entry in json.loads(output)["benchmarks"]:
            if entry.get("aggregate_name") != "median":
                continue
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}[entry["time_unit"]]
            medians[entry["run_name"]] = entry["real_time"] * scale
        if name not in medians:
            sys.exit(f"{os.path.basename(binary)} reported no {name}")
    return medians


def run_peer(command):
    return float(subprocess.run(command, check=True, capture_output=True,
                                text=True).stdout.strip())


def write_quoted_csv(path):
    """The rows of the limit database as a spreadsheet writes them: a header, an Ascii word,
    CJK text, and a meaning of about 40 characters quoted for its separators and quotes."""
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write("Word,Hanzi,Meaning\r\n")
        for row in range(65532):
            out.write(f'word{row},\u4e2d\u6587{row % 97},'
                      f'"a meaning, ""quoted"" as spreadsheets do {row:05}"\r\n')


def process_medians(commands, runs=15):
    """Median wall-clock milliseconds of each command as a whole process. The commands take
    turns, so that a machine busy for a moment slows each of them alike."""
    times = [[] for _ in commands]
    for _ in range(runs):
        for command, taken in zip(commands, times):
            start = time.perf_counter()
            subprocess.run(command, check=True, capture_output=True)
            taken.append((time.perf_counter() - start) * 1000)
    return [statistics.median(taken) for taken in times]


def peak_memory_kib(binary, database):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    output = subprocess.run([binary, "--peak-memory", database], env=env, check=True,
                            capture_output=True, text=True).stdout
    return int(output.strip())


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

    with tempfile.TemporaryDirectory(prefix="vesk-bench-") as directory:
        core = run_benchmark(os.path.join(args.bench_dir, "vesk-bench-core"), directory,
                             ["Save", "SafeSaveOneWrite", "CheckAndLoad", "ImportTabDelimited",
                              "ExportAnkiPackageAtLimit", "ImportAnkiPackageAtLimit"])
        panes = run_benchmark(os.path.join(args.bench_dir, "vesk-bench-panes"), directory,
                              ["OpenInEditor", "ValueEditCommit", "DeleteOneTerm",
                               "PasteHundredTerms", "FindSelectMatches", "UndoRedoValueEdit",
                               "UndoRedoDeleteOneTerm", "UndoRedoPasteHundredTerms",
                               "PreviewHundredMegabytes"])
        database = os.path.join(directory, "limit.PDB")
        text = os.path.join(directory, "limit.txt")
        perl = run_peer(["perl", os.path.join(args.source_dir, "peer_palm_pdb.pl"), database,
                         str(REPETITIONS)])
        python = run_peer([sys.executable, os.path.join(args.source_dir, "peer_csv.py"), text,
                           str(REPETITIONS)])
        quoted = os.path.join(directory, "quoted.csv")
        write_quoted_csv(quoted)
        vesk = os.path.join(os.path.dirname(os.path.abspath(args.bench_dir)), "vesk")
        csv_import, csv_peer = process_medians(
            [[vesk, "import", "csv", quoted, os.path.join(directory, "quoted.PDB")],
             [sys.executable, "-I", "-S", os.path.join(args.source_dir, "peer_csv_lists.py"),
              quoted]])
        peak = peak_memory_kib(os.path.join(args.bench_dir, "vesk-bench-panes"), database)
        file_kib = os.path.getsize(database) / 1024

    figures = [
        ("save of the limit database", core["Save"]),
        ("safe save of the same bytes, one write", core["SafeSaveOneWrite"]),
        ("check + load of the limit database", core["CheckAndLoad"]),
        ("Palm::PDB (Perl) parsing the same file", perl),
        ("import of 65,532 tab-delimited lines", core["ImportTabDelimited"]),
        ("Python csv reading the same file", python),
        ("Anki package export of the limit database, reverse cards",
         core["ExportAnkiPackageAtLimit"]),
        ("Anki package import of 65,532 notes", core["ImportAnkiPackageAtLimit"]),
        ("one value edit committed, backup included", panes["ValueEditCommit"]),
        ("opening the limit database in the editor", panes["OpenInEditor"]),
        ("deleting one term", panes["DeleteOneTerm"]),
        ("pasting 100 copied terms", panes["PasteHundredTerms"]),
        ("Find with select matches over all terms", panes["FindSelectMatches"]),
        ("undo + redo of a value edit", panes["UndoRedoValueEdit"]),
        ("undo + redo of a one-term delete", panes["UndoRedoDeleteOneTerm"]),
        ("undo + redo of a 100-term paste", panes["UndoRedoPasteHundredTerms"]),
        ("vesk import csv of 65,532 quoted rows, whole process", csv_import),
        ("python3 -I -S csv reading the same file, whole process", csv_peer),
        ("the import preview opened on a 100 MB file", panes["PreviewHundredMegabytes"]),
    ]
    load = core["CheckAndLoad"]
    ratios = [
        ("save / safe save of the same bytes", core["Save"] / core["SafeSaveOneWrite"], 1.3),
        ("load / Palm::PDB", load / perl, 0.1),
        ("import / Python csv", core["ImportTabDelimited"] / python, 0.5),
        ("Anki package export / load", core["ExportAnkiPackageAtLimit"] / load, 100.0),
        ("Anki package import / load", core["ImportAnkiPackageAtLimit"] / load, 30.0),
        ("value edit / save", panes["ValueEditCommit"] / core["Save"], 1.1),
        ("editor open / load", panes["OpenInEditor"] / load, 1.5),
        ("delete one term / load", panes["DeleteOneTerm"] / load, 1.0),
        ("paste 100 terms / load", panes["PasteHundredTerms"] / load, 1.0),
        ("Find, select matches / load", panes["FindSelectMatches"] / load, 1.0),
        ("peak memory of the editor / file size", peak / file_kib, 20.0),
        ("csv import and save / Python csv (whole processes)", csv_import / csv_peer, 0.6),
        ("import preview of a 100 MB file / 1 s", panes["PreviewHundredMegabytes"] / 1000, 0.25),
    ]
    # An undo or a redo, less the backup save it writes like every change, against a load.
    for name, key in [("value edit", "UndoRedoValueEdit"),
                      ("one-term delete", "UndoRedoDeleteOneTerm"),
                      ("100-term paste", "UndoRedoPasteHundredTerms")]:
        beyond_save = max(panes[key] / 2 - core["Save"], 0.0)
        ratios.append((f"undo or redo of a {name}, beyond the backup / load",
                       beyond_save / load, 0.1))

    lines = ["| figure | median (ms) |", "|---|---:|"]
    lines += [f"| {name} | {value:.2f} |" for name, value in figures]
    lines += ["", "| ratio | value | target | met |", "|---|---:|---:|---|"]
    lines += [f"| {name} | {value:.3f} | ≤ {target} | {'yes' if value <= target else 'NO'} |"
              for name, value, target in ratios]
    lines += ["", f"Peak memory {peak / 1024:.1f} MiB for a {file_kib / 1024:.1f} MiB file.",
              f"Machine: {machine()}."]
    table = "\n".join(lines)
    print(table)
    if args.write:
        write_table(args.write, table)


START, END = "<!-- last run -->", "<!-- end of last run -->"


def write_table(path, table):
    """Puts the table between the markers of the file, keeping the rest of it (the tuning
    record); a file without them is started afresh."""
    section = (f"{START}\nThe last run of `make bench` (medians of {REPETITIONS} repetitions; "
               f"see bench/README.md).\n\n{table}\n{END}")
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
