#!/usr/bin/env python3
"""Writes and reads personal data files for the end-to-end tests, independently of the program's code.

  profile_file.py header FILE START END [CREATED [NEXT]]
                                           a file holding only a period header, created today unless
                                           CREATED (YYYY/MM/DD) is given, its next period NEXT
  profile_file.py sessions FILE COUNT       appends COUNT closed one-minute sessions of yesterday
  profile_file.py dump FILE                 one line per record: index, tag, texts, numbers
"""
import datetime
import struct
import sys

SIZE = 104


def counted(text, capacity):
    data = text.encode("latin-1")[:capacity]
    return bytes([len(data)]) + data + b"\0" * (capacity - len(data))


def read_counted(record, offset, capacity):
    length = min(record[offset], capacity)
    return record[offset + 1 : offset + 1 + length].decode("latin-1")


def header(path, start, end, created=None, next_period=None):
    today = datetime.date.today()
    year, month = (today.year + 1, 1) if today.month == 12 else (today.year, today.month + 1)
    record = (
        counted("[UserProfile]", 17)
        + counted(created or today.strftime("%Y/%m/%d"), 10)
        + counted(next_period or f"{year:04d}/{month:02d}/{start:02d}", 10)
        + struct.pack("<ii", start, end)
        + counted("", 25)
        + counted("", 25)
        + struct.pack("<i", 0)
    )
    assert len(record) == SIZE
    with open(path, "wb") as f:
        f.write(record)


def sessions(path, count):
    day = datetime.date.today() - datetime.timedelta(days=1)
    start, end = day.strftime("%Y/%m/%d, 10:00:00 am"), day.strftime("%Y/%m/%d, 10:01:00 am")
    record = (
        counted("[UserProfile]", 17)
        + counted("", 10)
        + counted("", 10)
        + struct.pack("<II", 1000, 100)
        + counted(start, 25)
        + counted(end, 25)
        + struct.pack("<i", 1)
    )
    assert len(record) == SIZE
    with open(path, "ab") as f:
        f.write(record * count)


def dump(path):
    with open(path, "rb") as f:
        data = f.read()
    for index in range(len(data) // SIZE):
        r = data[index * SIZE : (index + 1) * SIZE]
        received, sent = struct.unpack_from("<II", r, 40)
        (minutes,) = struct.unpack_from("<i", r, 100)
        fields = [
            str(index),
            read_counted(r, 0, 17),
            read_counted(r, 18, 10),
            read_counted(r, 29, 10),
            str(received),
            str(sent),
            read_counted(r, 48, 25),
            read_counted(r, 74, 25),
            str(minutes),
        ]
        print("|".join(fields))


if __name__ == "__main__":
    if sys.argv[1:2] == ["header"] and 5 <= len(sys.argv) <= 7:
        header(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), *sys.argv[5:7])
    elif sys.argv[1:2] == ["sessions"] and len(sys.argv) == 4:
        sessions(sys.argv[2], int(sys.argv[3]))
    elif sys.argv[1:2] == ["dump"] and len(sys.argv) == 3:
        dump(sys.argv[2])
    else:
        sys.exit(__doc__)
