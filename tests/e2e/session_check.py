#!/usr/bin/env python3
"""Checks a session record of a dumped personal data file against the wall clock.

  session_check.py DUMP INDEX START_EPOCH END_EPOCH SLACK
The record's start must lie within SLACK seconds after START_EPOCH, its end within SLACK seconds before
END_EPOCH (or after it), and its minutes must equal the number of clock-minute changes between its start
and end texts.
"""
import datetime
import sys


def parse(text):
    return datetime.datetime.strptime(text.upper(), "%Y/%m/%d, %I:%M:%S %p")


def main():
    dump, index, start_epoch, end_epoch, slack = sys.argv[1:6]
    rows = [line.rstrip("\n").split("|") for line in open(dump)]
    row = next((r for r in rows if r[0] == index), None)
    if row is None:
        sys.exit(f"no record {index}")
    start, end, minutes = parse(row[6]), parse(row[7]), int(row[8])
    wall_start = datetime.datetime.fromtimestamp(float(start_epoch)).replace(microsecond=0)
    wall_end = datetime.datetime.fromtimestamp(float(end_epoch)).replace(microsecond=0)
    slack = float(slack)
    problems = []
    if not (-1 <= (start - wall_start).total_seconds() <= slack):
        problems.append(f"start {start} is not within {slack}s after {wall_start}")
    if not (-slack <= (end - wall_end).total_seconds() <= slack):
        problems.append(f"end {end} is not within {slack}s of {wall_end}")
    changes = (end.replace(second=0) - start.replace(second=0)).total_seconds() // 60
    if minutes != changes:
        problems.append(f"{minutes} minutes recorded, {int(changes)} minute changes between {start} and {end}")
    if problems:
        sys.exit("; ".join(problems))
    print(f"record {index}: {row[6]} .. {row[7]}, {minutes} min")


if __name__ == "__main__":
    main()
