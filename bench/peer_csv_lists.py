#!/usr/bin/env python3
"""The peer of `vesk import csv` as a whole process: Python's csv module reading a UTF-8
comma-separated file into lists, nothing more. run_benchmarks.py times the process, started
with `python3 -I -S` as the vesk process is started, from outside."""
import csv
import sys


def main():
    with open(sys.argv[1], newline="", encoding="utf-8-sig") as text:
        rows = list(csv.reader(text))
    assert rows


if __name__ == "__main__":
    main()
