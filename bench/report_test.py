#!/usr/bin/env python3
"""Tests of report.py: reading Google Benchmark results, pairing rows by name,
and the verdict of each goal."""

import json
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import report  # noqa: E402


def run(name, cpu, real=None, unit="ns", repetition=None, **counters):
    entry = {"name": name, "run_name": name, "run_type": "iteration", "iterations": 100,
             "cpu_time": cpu, "real_time": real if real is not None else cpu, "time_unit": unit}
    if repetition is not None:
        entry["repetitions"] = 3
        entry["repetition_index"] = repetition
    entry.update(counters)
    return entry


def render(benchmarks, variant=None, notes=""):
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder)
        (path / "run.json").write_text(json.dumps({"context": {}, "benchmarks": benchmarks}))
        if variant is not None:
            (path / "variant.json").write_text(json.dumps({"rounds": 1, "operations": variant}))
        (path / "context.json").write_text(json.dumps({"date": "D", "nproc": "2", "cpu": "C"}))
        (path / "notes.md").write_text(notes)
        results = report.Results(path)
        return results, report.Report(results, report.read_notes(path / "notes.md")).render()


def summary_row(text, goal):
    for line in text.splitlines():
        if line.startswith(f"| {goal} |"):
            return [c.strip() for c in line.strip("|").split("|")]
    raise AssertionError(f"no summary row for {goal!r}")


class BaseName(unittest.TestCase):
    def test_option_suffixes_are_dropped(self):
        cases = [
            ("BM_Collection_RemoveByKey/1000/min_time:0.020", "BM_Collection_RemoveByKey/1000"),
            ("RegistryWriteAndRead/iterations:10000", "RegistryWriteAndRead"),
            ("BM_Startup_BinTrue/real_time", "BM_Startup_BinTrue"),
            ("BM_Math_Inc_ById/repeats:5", "BM_Math_Inc_ById"),
            ("BM_Map_ItemByKey/1000000", "BM_Map_ItemByKey/1000000"),
        ]
        for name, expected in cases:
            self.assertEqual(report.base_name(name), expected, name)


class Reading(unittest.TestCase):
    def test_median_over_repetitions_and_units(self):
        results, _ = render([run("BM_X", 1, unit="us", repetition=0),
                             run("BM_X", 9, unit="us", repetition=1),
                             run("BM_X", 2, unit="us", repetition=2, allocs_per_op=1)])
        m = results.get("BM_X")
        self.assertEqual(m.cpu_ns, 2000)
        self.assertEqual(m.repetitions, 3)
        self.assertEqual(m.counters["allocs_per_op"], 1)

    def test_aggregates_and_failed_runs_are_left_out(self):
        failed = run("BM_Failed", 1)
        failed.update(error_occurred=True, error_message="write failed")
        aggregate = run("BM_X", 100)
        aggregate["run_type"] = "aggregate"
        results, _ = render([run("BM_X", 4), aggregate, failed])
        self.assertEqual(results.get("BM_X").cpu_ns, 4)
        self.assertIsNone(results.get("BM_Failed"))
        self.assertEqual(results.failed, {"BM_Failed": "write failed"})

    def test_first_matching_pattern_wins(self):
        results, _ = render([run("PlainSqliteScanAll", 5), run("OtherSqliteListing", 7)])
        self.assertEqual(results.get(r"Nothing", r".*Scan.*", r".*List.*").cpu_ns, 5)


class Goals(unittest.TestCase):
    def test_call_ratios_and_verdicts(self):
        _, text = render([run("BM_Math_Inc_Typed", 10), run("BM_Math_Inc_ById", 20),
                          run("BM_Math_Inc_ByName", 25)])
        self.assertEqual(summary_row(text, "ZSMath.Inc by id ≤ 2× typed")[1:], ["2.00×", "≤ 2×", "met"])
        self.assertEqual(summary_row(text, "ZSMath.Inc by name ≤ 1.2× by id")[1:],
                         ["1.25×", "≤ 1.2×", "**not met**"])
        self.assertEqual(summary_row(text, "ZSNumbers.BinToDec by id ≤ 2× typed")[3], "not measured")

    def test_keyed_fetch_uses_time_per_item_and_counts_allocations(self):
        cases = [  # Collection items/s, allocations, expected ratio verdict, allocation verdict
            (2e6, 0, "0.50×", "met", "met"),
            (1e6, 0, "1.00×", "**not met**", "met"),
            (2e6, 0.99, "0.50×", "met", "**not met**"),
        ]
        for rate, allocs, shown, ratio_verdict, alloc_verdict in cases:
            _, text = render([
                run("BM_Collection_ItemByKey/1000000", 999, items_per_second=rate,
                    allocs_per_op=allocs),
                run("BM_Map_ItemByKey/1000000", 1, items_per_second=1e6, allocs_per_op=0)])
            row = summary_row(text, "Collection fetch by key at 10^6 ≤ 0.7× the map")
            self.assertEqual(row[1::2], [shown, ratio_verdict], (rate, allocs))
            row = summary_row(text, "Collection fetch by key: allocations per fetch")
            self.assertEqual(row[3], alloc_verdict, (rate, allocs))

    def test_wall_clock_rows(self):
        _, text = render([run("BM_Startup_ZavrinCall", 1, real=9000, fastest_us=3.0),
                          run("BM_Startup_BinTrue", 1, real=2000, fastest_us=2.0),
                          run("RegistryWriteAndRead", 1, real=110),
                          run("PlainSqliteSetAndQuery", 1, real=100)])
        self.assertEqual(summary_row(text, "`zavrin call` ≤ 1.6× /bin/true")[1:],
                         ["1.50×", "≤ 1.6×", "met"])
        self.assertEqual(summary_row(
            text, "Registry WriteValue + ReadValue (10,000 pairs) ≤ 1.2× plain SQLite doing the "
            "same writes")[1], "1.10×")

    def test_startup_floor_row_beside_the_goal(self):
        _, text = render([run("BM_Startup_ZavrinCall", 1, real=9000, fastest_us=3.0),
                          run("BM_Startup_LibraryFloor", 1, real=8000, fastest_us=2.5),
                          run("BM_Startup_BinTrue", 1, real=2000, fastest_us=2.0)])
        floor = [line for line in text.splitlines() if line.startswith("| empty `main`")]
        self.assertEqual(len(floor), 1)
        self.assertEqual([c.strip() for c in floor[0].strip("|").split("|")][1:5],
                         ["2.5 µs", "2 µs", "1.25×", "–"])
        # The floor is a measurement, not a goal.
        self.assertNotIn("floor", "".join(line for line in text.splitlines()
                                           if line.startswith("| `zavrin call` ≤")))
        _, without = render([run("BM_Startup_ZavrinCall", 1, real=9000, fastest_us=3.0),
                             run("BM_Startup_BinTrue", 1, real=2000, fastest_us=2.0)])
        self.assertNotIn("| empty `main`", without)

    def test_hostile_lines_against_reading_their_bytes(self):
        # The parser's events over the same line must not be taken for either side.
        _, text = render([run("BM_HostHostileLine/1", 1, real=30),
                          run("BM_HostHostileLineJsonLibraryEvents/1", 1, real=1),
                          run("BM_HostReadLineFloor/1", 1, real=20),
                          run("BM_HostHostileLine/16", 1, real=500),
                          run("BM_HostHostileLineJsonLibraryEvents/16", 1, real=1),
                          run("BM_HostReadLineFloor/16", 1, real=200)])
        self.assertEqual(summary_row(text, "Host: a hostile 1 MiB line ≤ 2× reading its bytes")[1:],
                         ["1.50×", "≤ 2×", "met"])
        self.assertEqual(summary_row(text, "Host: a hostile 16 MiB line ≤ 2× reading its bytes")[1:],
                         ["2.50×", "≤ 2×", "**not met**"])
        _, text = render([])
        self.assertEqual(summary_row(text, "Host: a hostile 1 MiB line ≤ 2× reading its bytes")[3],
                         "not measured")

    def test_host_memory_from_a_MiB_or_bytes_counter(self):
        cases = [({"resident_MiB": 58.0}, "58.0 MiB", "met"),
                 ({"bytes": 70 * 1048576}, "70.0 MiB", "**not met**"),
                 ({}, "not measured", "not measured")]
        for counters, shown, verdict in cases:
            _, text = render([run("BM_HostLiveZSNumbers", 1, **counters)])
            self.assertEqual(summary_row(text, "Host: 100k live ZSNumbers ≤ 60 MiB")[1::2],
                             [shown, verdict], counters)

    def test_variant_rows_come_from_the_wine_document(self):
        _, text = render([], variant=[
            {"name": "add (Long + Long)", "library_ns": 10, "runtime_ns": 100, "ratio": 0.1,
             "same_result": True},
            {"name": "concatenation (String & String)", "library_ns": 300, "runtime_ns": 100,
             "ratio": 3.0, "same_result": True}])
        self.assertEqual(summary_row(text, "Variant add (Long + Long) ≤ 1.0× oleaut32")[3], "met")
        self.assertEqual(
            summary_row(text, "Variant concatenation (String & String) ≤ 1.0× oleaut32")[3],
            "**not met**")

    def test_notes_go_under_their_section(self):
        _, text = render([], notes="preamble\n## startup\nThe loader is the floor.\n## calls\n\n")
        self.assertNotIn("preamble", text)
        self.assertIn("The loader is the floor.", text.split("## Start-up", 1)[1])


if __name__ == "__main__":
    unittest.main()
