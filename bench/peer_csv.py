#!/usr/bin/env python3
"""The peer importer: Python's csv module reading a tab-delimited file into lists, timed
in-process. Prints the median in milliseconds."""
import csv
import statistics
import sys
import time


def read_rows(path):
    with open(path, newline="", encoding="cp1252") as text:
        return list(csv.reader(text, delimiter="\t", quoting=csv.QUOTE_NONE))


def main():
    path = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        rows = read_rows(path)
        times.append((time.perf_counter() - start) * 1000)
        assert rows
    print(f"{statistics.median(times):.3f}")


if __name__ == "__main__":
    main()
