#!/usr/bin/env python3
"""The peer importer: Python's csv module reading a tab-delimited file into lists.
    peer_csv.py FILE RUNS   reads FILE RUNS times in-process, prints the median in ms
    peer_csv.py FILE        reads FILE once and prints nothing: the peer of `vesk import tab`
                            as a whole process, started with `python3 -I -S` and timed from
                            outside (it imports nothing but csv then)"""
import csv
import sys


def read_rows(path):
    with open(path, newline="", encoding="cp1252") as text:
        return list(csv.reader(text, delimiter="\t", quoting=csv.QUOTE_NONE))


def median_milliseconds(path, runs):
    import statistics
    import time
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        rows = read_rows(path)
        times.append((time.perf_counter() - start) * 1000)
        assert rows
    return statistics.median(times)


def main():
    path = sys.argv[1]
    if len(sys.argv) > 2:
        print(f"{median_milliseconds(path, int(sys.argv[2])):.3f}")
    else:
        assert read_rows(path)


if __name__ == "__main__":
    main()
