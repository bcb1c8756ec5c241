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
            # A list of operations, or the whole document.
            doc = variant if isinstance(variant, dict) else {"rounds": 1, "operations": variant}
            (path / "variant.json").write_text(json.dumps(doc))
        (path / "context.json").write_text(json.dumps({"date": "D", "nproc": "2", "cpu": "C"}))
        (path / "notes.md").write_text(notes)
        results = report.Results(path)
        return results, report.Report(results, report.read_notes(path / "notes.md")).render()


def summary_row(text, goal):
    for line in text.splitlines():
        if line.startswith(f"| {goal} |"):
            return [c.strip() for c in line.strip("|").split("|")]
    raise AssertionError(f"no summary row for {goal!r}")


def table_row(text, *first_cells):
    """The first table row whose leading cells are `first_cells`."""
    start = "| " + " | ".join(first_cells) + " |"
    for line in text.splitlines():
        if line.startswith(start):
            return [c.strip() for c in line.strip("|").split("|")]
    raise AssertionError(f"no row {first_cells!r}")


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
        self.assertEqual(summary_row(text, "ZSMath.Inc by id ≤ 2× typed")[1:],
                         ["2.00×", "≤ 2×", "met", "–"])
        # Without the floor's rows a goal not met has no floor to cite.
        self.assertEqual(summary_row(text, "ZSMath.Inc by name ≤ 1.2× by id")[1:],
                         ["1.25×", "≤ 1.2×", "**not met**", "–"])
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
                         ["1.50×", "≤ 1.6×", "met", "–"])
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
        self.assertEqual(summary_row(text, "Host: a hostile 1 MiB line ≤ 2× reading its bytes")[1:4],
                         ["1.50×", "≤ 2×", "met"])
        self.assertEqual(summary_row(text, "Host: a hostile 16 MiB line ≤ 2× reading its bytes")[1:4],
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

    def test_startup_goal_cites_its_floor_when_not_met(self):
        _, text = render([run("BM_Startup_ZavrinCall", 1, real=9000, fastest_us=9.0),
                          run("BM_Startup_LibraryFloor", 1, real=8000, fastest_us=8.0),
                          run("BM_Startup_BinTrue", 1, real=2000, fastest_us=2.0)])
        self.assertEqual(summary_row(text, "`zavrin call` ≤ 1.6× /bin/true")[4],
                         "4.00× (an empty `main` with the command's libraries)")

    def test_notes_go_under_their_section(self):
        _, text = render([], notes="preamble\n## startup\nThe loader is the floor.\n## calls\n\n")
        self.assertNotIn("preamble", text)
        self.assertIn("The loader is the floor.", text.split("## Start-up", 1)[1])


class Floors(unittest.TestCase):
    """The floor of each goal, measured in the same run, shown beside a goal
    that is not met."""

    def calls(self, inc_typed=10.0):
        return [run("BM_Stack_Count_Typed", 2), run("BM_Stack_Count_ById", 42),
                run("BM_Stack_Count_ByName", 45),
                run("BM_Math_Inc_Typed", inc_typed), run("BM_Math_Inc_ById", 60),
                run("BM_Math_Inc_ByName", 61),
                run("BM_Stack_PushPop_Typed", 50), run("BM_Stack_PushPop_ById", 150),
                run("BM_Stack_PushPop_ByName", 200)]

    def test_call_floor_is_by_id_minus_typed_of_the_cheapest_member(self):
        _, text = render(self.calls())
        self.assertIn("floor: by id − typed of the cheapest member = 40 ns", text)
        # Inc: typed 10 ns + one floor of 40 ns is 5× typed, beyond 2×.
        self.assertEqual(summary_row(text, "ZSMath.Inc by id ≤ 2× typed")[1:],
                         ["6.00×", "≤ 2×", "**not met**", "5.00× (typed + the call floor)"])
        self.assertIn("- ZSMath.Inc: by id − typed = 50 ns, against the floor of 40 ns; typed + "
                      "the floor = 5.00× typed: typed (10 ns) costs less than the floor, so ≤ 2× "
                      "is out of reach.", text)
        self.assertIn("- ZSStack.Push + Pop (two calls): by id − typed = 100 ns, against two "
                      "floors of 80 ns; typed + two floors = 2.60× typed: typed (50 ns) costs "
                      "less than two floors, so ≤ 2× is out of reach.", text)
        # Push + Pop makes two calls: two floors; by name two look-ups of 3 ns.
        self.assertEqual(summary_row(text, "ZSStack.Push + Pop by id ≤ 2× typed")[4],
                         "2.60× (typed + 2 × the call floor)")
        self.assertEqual(summary_row(text, "ZSStack.Push + Pop by name ≤ 1.2× by id")[4],
                         "1.04× (by id + 2 × the name floor)")
        floor_row = table_row(text, "ZSStack.Count (the floor: the cheapest member)")
        self.assertEqual(floor_row[1:5], ["2 ns", "42 ns", "45 ns", "40 ns"])
        self.assertEqual(floor_row[7], "–")

    def test_members_doing_nothing_give_the_floor_of_their_parameters(self):
        _, text = render(self.calls() + [
            run("BM_EmptyInc_Typed", 1), run("BM_EmptyInc_ById", 31),
            run("BM_EmptyPushPop_Typed", 2), run("BM_EmptyPushPop_ById", 77)])
        # Inc: typed 10 ns + 30 ns for its arguments is 4× typed.
        self.assertEqual(summary_row(text, "ZSMath.Inc by id ≤ 2× typed")[4],
                         "4.00× (typed + what the layer costs for its parameters)")
        self.assertIn("- ZSMath.Inc: by id − typed = 50 ns; a member doing nothing, declared as "
                      "ZSMath.Inc, costs 30 ns more by id than typed (one call of the cheapest "
                      "member: 40 ns); typed + 30 ns = 4.00× typed: typed (10 ns) costs less than "
                      "the layer's cost for its arguments, so ≤ 2× is out of reach.", text)
        # Push + Pop: 50 ns + 75 ns.
        self.assertEqual(summary_row(text, "ZSStack.Push + Pop by id ≤ 2× typed")[4],
                         "2.50× (typed + what the layer costs for its parameters)")
        row = table_row(text, "members doing nothing, declared as ZSStack.Push + Pop")
        self.assertEqual(row[1:5], ["2 ns", "77 ns", "–", "75 ns"])

    def test_a_met_goal_shows_no_floor(self):
        _, text = render(self.calls(inc_typed=40.0))
        self.assertEqual(summary_row(text, "ZSMath.Inc by id ≤ 2× typed")[3:], ["met", "–"])
        self.assertIn("- ZSMath.Inc: by id − typed = 20 ns, against the floor of 40 ns; typed + "
                      "the floor = 2.00× typed.", text)

    def test_keyed_fetch_against_the_folding_map(self):
        _, text = render([
            run("BM_Collection_ItemByKey/1000000", 1, items_per_second=1e9 / 120),
            run("BM_Map_ItemByKey/1000000", 1, items_per_second=1e9 / 100),
            run("BM_FoldingMap_ItemByKey/1000000", 1, items_per_second=1e9 / 150)])
        self.assertEqual(summary_row(text, "Collection fetch by key at 10^6 ≤ 0.7× the map")[4],
                         "1.50× (a map folding case as the Collection does; the Collection is "
                         "0.80× it)")
        row = table_row(text, "fetch by key, beside a map folding case (the floor)", "10^6")
        self.assertEqual(row[2:5], ["120 ns", "150 ns (folding map)", "0.80×"])

    def test_concatenation_against_its_allocation_alone(self):
        _, text = render([], variant=[
            {"name": "concatenation (String & String)", "library_ns": 150, "runtime_ns": 100,
             "ratio": 1.5, "same_result": True}])
        self.assertEqual(
            summary_row(text, "Variant concatenation (String & String) ≤ 1.0× oleaut32")[4], "–")
        _, text = render([], variant={"operations": [
            {"name": "concatenation (String & String)", "library_ns": 150, "runtime_ns": 100,
             "ratio": 1.5, "same_result": True}], "floors": [
            {"name": "allocation of the joined text", "operation": "concatenation (String & String)",
             "library": "operator new", "runtime": "SysAllocStringLen", "library_ns": 80,
             "runtime_ns": 40, "ratio": 2.0}]})
        self.assertEqual(
            summary_row(text, "Variant concatenation (String & String) ≤ 1.0× oleaut32")[4],
            "1.40× (oleaut32 + the difference of the allocation of the joined text alone: 2.00×)")
        self.assertIn("the allocation of the joined text alone takes 40 ns more (80% of the "
                      "difference)", text)

    def test_registry_goals_against_their_floors(self):
        _, text = render([run("RegistryWriteAndRead", 1, real=150),
                          run("PlainSqliteSetAndQuery", 1, real=100),
                          run("PlainSqliteSetAndFourReads", 1, real=130),
                          run("StoreSetAndQuery", 1, real=140),
                          run("RegistryListTenThousandValues", 1, real=400),
                          run("PlainSqliteScanTenThousandValues", 1, real=100),
                          run("StoreEnumerateTenThousandValues", 1, real=150),
                          run("RegistryValuesBuildTenThousand", 1, real=110)])
        self.assertEqual(summary_row(
            text, "Registry WriteValue + ReadValue (10,000 pairs) ≤ 1.2× plain SQLite doing the "
            "same writes")[1:], ["1.50×", "≤ 1.2×", "**not met**",
                                 "1.30× (plain SQLite making the store's four reads a pair)"])
        self.assertEqual(summary_row(
            text, "Registry ListValues over 10,000 values ≤ 2× one SQLite scan")[4],
            "2.10× (the scan + building the 10,000 objects)")
        row = table_row(text, "the store's enumeration alone: RegEnumValueA over 10,000 values")
        self.assertEqual(row[1:4], ["150 ns", "100 ns (one SQLite scan)", "1.50×"])


if __name__ == "__main__":
    unittest.main()
