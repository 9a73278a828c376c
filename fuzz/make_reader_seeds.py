#!/usr/bin/env python3
"""Writes the seed files of fuzz_record_reader: personal data files of a header and five to eight sessions.

  make_reader_seeds.py [FOLDER]     default: fuzz/corpus/record_reader beside this script

Every file has the records between its first and its last session that the reader's quick path for usual
sessions takes (texts in the stored form, on the days of the session before), and something else around
them: a day change, midnight, the other half of the day, a damaged record, a text in another form, a
negative minute count, an incomplete record at the end.
"""
import os
import struct
import sys

SIZE = 104
TAG = "[UserProfile]"


def counted(text, capacity):
    data = text.encode("latin-1")[:capacity]
    return bytes([len(data)]) + data + b"\0" * (capacity - len(data))


def header(created="2024/03/01", next_period="2024/04/01", start=1, end=31):
    return (
        counted(TAG, 17)
        + counted(created, 10)
        + counted(next_period, 10)
        + struct.pack("<ii", start, end)
        + counted("", 25)
        + counted("", 25)
        + struct.pack("<i", 0)
    )


def session(start, end, minutes, received=2048, sent=512, created=""):
    record = (
        counted(TAG, 17)
        + counted(created, 10)
        + counted("", 10)
        + struct.pack("<II", received, sent)
        + counted(start, 25)
        + counted(end, 25)
        + struct.pack("<i", minutes)
    )
    assert len(record) == SIZE
    return record


def day(date, *sessions):
    """Sessions on one day: (start, end, minutes) with times "hh:nn:ss am"."""
    return [session(f"{date}, {a}", f"{date}, {b}", m) for a, b, m in sessions]


SEEDS = {
    # Six sessions on one day: every record between the first and the last takes the quick path.
    "one_day.rvl": [header()]
    + day(
        "2024/03/05",
        ("08:00:10 am", "08:20:40 am", 21),
        ("09:15:00 am", "09:47:30 am", 33),
        ("11:59:50 am", "12:10:05 pm", 11),
        ("01:00:00 pm", "01:00:45 pm", 0),
        ("06:30:20 pm", "07:02:00 pm", 32),
        ("11:40:00 pm", "11:59:59 pm", 20),
    ),
    # Seven sessions over three days: the dates change between quick ones.
    "three_days.rvl": [header()]
    + day("2024/03/05", ("10:00:50 pm", "10:02:20 pm", 2), ("10:30:00 pm", "11:00:00 pm", 30))
    + day("2024/03/06", ("12:05:00 am", "12:45:10 am", 41), ("07:00:00 am", "07:10:00 am", 10))
    + day(
        "2024/03/07",
        ("09:00:00 am", "09:01:00 am", 1),
        ("09:30:30 am", "10:00:00 am", 30),
        ("08:00:00 pm", "09:00:00 pm", 60),
    ),
    # Sessions across midnight between usual ones, with byte counts near 2^32 that wrap the totals.
    "midnight.rvl": [header()]
    + [
        session("2024/03/05, 11:00:20 pm", "2024/03/05, 11:30:00 pm", 30, 4294967000, 100),
        session("2024/03/05, 11:50:00 pm", "2024/03/06, 12:20:30 am", 31, 4294967000, 200),
        session("2024/03/06, 12:30:00 am", "2024/03/06, 12:59:59 am", 30, 4000, 4294967295),
        session("2024/03/06, 01:00:00 am", "2024/03/06, 01:30:00 am", 30),
        session("2024/03/06, 11:59:00 pm", "2024/03/08, 12:01:34 am", 1443),
        session("2024/03/08, 06:00:00 am", "2024/03/08, 06:05:00 am", 5),
    ],
    # A damaged record, an empty one and a negative minute count among usual sessions.
    "damaged.rvl": [header()]
    + day("2024/03/10", ("08:00:00 am", "08:10:00 am", 10), ("08:20:00 am", "08:30:00 am", 10))
    + [session("2024/13/10, 08:40:00 am", "2024/03/10, 08:50:00 am", 10)]
    + day("2024/03/10", ("09:00:00 am", "09:10:00 am", 10))
    + [b"\0" * SIZE]
    + day(
        "2024/03/10",
        ("10:00:00 am", "10:10:00 am", -3),
        ("11:00:00 am", "11:10:00 am", 10),
        ("12:00:00 pm", "12:10:00 pm", 10),
    ),
    # Texts in other forms, seconds that are no number, a start after its end and one of the same minute.
    "other_forms.rvl": [header()]
    + day("2024/03/12", ("07:00:00 am", "07:30:00 am", 30), ("07:40:00 am", "07:50:00 am", 10))
    + [
        session("2024/03/12, 08:00:50 PM", "2024-03-12 20:02:20 pm", 2),
        session("2024/03/12, 08:10:0x pm", "2024/03/12, 08:20:00 pm", 10),
        session("2024/03/12, 09:05:10 pm", "2024/03/12, 09:00:40 pm", 0),
        session("2024/03/12, 09:30:10 pm", "2024/03/12, 09:30:50 pm", 5),
    ]
    + day("2024/03/12", ("10:00:00 pm", "10:30:00 pm", 30)),
    # Five sessions and the first bytes of a sixth that was never finished.
    "cut_short.rvl": [header("2024/02/15", "2024/03/15", 15, 14)]
    + day(
        "2024/02/29",
        ("10:00:00 am", "10:15:00 am", 15),
        ("11:00:00 am", "11:15:00 am", 15),
        ("12:00:00 pm", "12:15:00 pm", 15),
        ("01:00:00 pm", "01:15:00 pm", 15),
        ("11:45:00 pm", "11:59:59 pm", 15),
    )
    + [session("2024/03/01, 12:00:10 am", "2024/03/01, 12:30:00 am", 30)[:50]],
    # A session believed only on its start day (it spans more than a year) and one in another year.
    "long_spans.rvl": [header("2023/12/20", "2024/01/20", 20, 19)]
    + day(
        "2023/12/31",
        ("08:00:00 pm", "08:30:00 pm", 30),
        ("09:00:00 pm", "09:30:00 pm", 30),
        ("11:30:00 pm", "11:50:00 pm", 20),
    )
    + [
        session("2023/12/31, 11:55:00 pm", "2024/01/01, 12:05:00 am", 10),
        session("2024/01/01, 01:00:00 am", "2025/03/01, 01:00:00 am", 600000),
    ]
    + day("2024/01/02", ("10:00:00 am", "10:01:00 am", 1), ("10:02:00 am", "10:03:00 am", 1)),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "corpus", "record_reader")
    os.makedirs(folder, exist_ok=True)
    for name, records in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(b"".join(records))


if __name__ == "__main__":
    main()
