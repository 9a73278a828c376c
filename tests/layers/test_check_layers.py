#!/usr/bin/env python3
"""The layer check fails on each kind of wrong arrow planted in a small tree of its own."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).with_name("check_layers.py")

TABLE = """
common:
platform: common
platform/linux: common platform
record: common platform
gui/main: common platform record
"""

TREE = {
    "common/Names.h": "#pragma once\n",
    "platform/Clock.h": '#pragma once\n#include "common/Names.h"\n',
    "platform/linux/SystemClock.h": '#pragma once\n#include "platform/Clock.h"\n',
    "platform/CMakeLists.txt": "add_library(qov_platform STATIC Clock.h)\n"
                               "add_library(qov_platform_linux STATIC linux/SystemClock.h)\n"
                               "target_link_libraries(qov_platform_linux PUBLIC qov_platform)\n",
    "record/Tracker.h": '#pragma once\n#include "platform/Clock.h"\n#include <QString>\n',
    "record/Tracker.cpp": '#include "record/Tracker.h"\n#include "record/Period.h"\n',
    "record/Period.h": "#pragma once\n",
    "record/CMakeLists.txt": "# The session.\nadd_library(qov_record STATIC Tracker.h Tracker.cpp Period.h)\n"
                             "target_link_libraries(qov_record PUBLIC qov_platform Qt6::Core)\n",
    "gui/main/Window.h": '#pragma once\n#include "record/Tracker.h"\n',
    "gui/main/CMakeLists.txt": "add_library(qov_gui_main STATIC Window.h)\n"
                               "target_link_libraries(qov_gui_main PUBLIC qov_record)\n",
    "tests/record/test_tracker.cpp": '#include "gui/main/Window.h"\n#include "platform/linux/SystemClock.h"\n',
}


class PlantedFaults(unittest.TestCase):
    def check(self, changes=None, table=TABLE):
        with tempfile.TemporaryDirectory() as folder:
            root = pathlib.Path(folder)
            for name, text in {**TREE, **(changes or {})}.items():
                (root / name).parent.mkdir(parents=True, exist_ok=True)
                (root / name).write_text(text)
            (root / "table.txt").write_text(table)
            run = subprocess.run([sys.executable, CHECK, root, root / "table.txt"], capture_output=True, text=True)
            return run.returncode, run.stdout

    def assertFails(self, changes, words, table=TABLE):
        code, out = self.check(changes, table)
        self.assertEqual(code, 1, out)
        self.assertIn(words, out)

    def test_the_clean_tree_passes_and_tests_may_include_anything(self):
        code, out = self.check()
        self.assertEqual(code, 0, out)

    def test_an_upward_include_in_quotes_fails(self):
        self.assertFails({"record/Period.h": '#pragma once\n#include "gui/main/Window.h"\n'},
                         "record may not include gui/main: record/Period.h")

    def test_an_include_in_angle_brackets_counts_too(self):
        self.assertFails({"record/Period.h": "#pragma once\n#include <platform/linux/SystemClock.h>\n"},
                         "record may not include platform/linux")

    def test_units_of_one_folder_that_include_each_other_fail(self):
        self.assertFails({"record/Period.h": '#pragma once\n#include "record/Tracker.h"\n'},
                         "units of one folder include each other: record/")

    def test_a_source_file_belongs_to_its_header_in_a_circle(self):
        # Period.cpp includes Tracker.h, whose source includes Period.h: a circle through the sources.
        self.assertFails({"record/Period.cpp": '#include "record/Period.h"\n#include "record/Tracker.h"\n'},
                         "record/Period -> record/Tracker -> record/Period")

    def test_a_cmake_link_to_a_backend_fails(self):
        self.assertFails({"record/CMakeLists.txt": "add_library(qov_record STATIC Tracker.h Tracker.cpp Period.h)\n"
                                                   "target_link_libraries(qov_record PUBLIC qov_platform_linux)\n"},
                         "record may not link platform/linux: record/CMakeLists.txt links qov_record to qov_platform_linux")

    def test_a_table_with_a_circle_fails(self):
        self.assertFails({}, "the table lets folders reach each other: platform -> record -> platform",
                         table=TABLE + "platform: record\n")


if __name__ == "__main__":
    unittest.main()
