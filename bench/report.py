#!/usr/bin/env python3
"""Turns one run of the benchmarks into docs/performance.md.

    report.py context                      prints the machine and the start time as JSON
    report.py render RESULTS OUT [--notes FILE]

RESULTS is a folder of JSON files: Google Benchmark documents (written with
--benchmark_out_format=json), the Variant-versus-runtime document of
bench/wine/run.sh (it has "operations") and context.json. Every figure in the
output is a ratio of two measurements of the same run.

Rows are found by benchmark name; a row whose benchmarks are absent shows
"not measured". Where several repetitions of a benchmark ran, the median is
used. NOTES holds hand-written text per section ("## calls", "## collection",
"## variant", "## registry", "## host", "## startup"), placed under that
section's table; it survives regeneration.
"""

import argparse
import datetime
import json
import os
import pathlib
import platform
import re
import statistics
import subprocess
import sys

NOT_MEASURED = "not measured"


# --- the run's machine ------------------------------------------------------

def read_first(path, prefix):
    try:
        for line in pathlib.Path(path).read_text().splitlines():
            if line.startswith(prefix):
                return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return None


def context():
    cores = subprocess.run(["nproc"], capture_output=True, text=True).stdout.strip()
    memory_kib = read_first("/proc/meminfo", "MemTotal")
    memory = f"{int(memory_kib.split()[0]) / 1048576:.1f} GiB" if memory_kib else "unknown"
    commit = subprocess.run(["git", "rev-parse", "--short", "HEAD"], capture_output=True,
                            text=True).stdout.strip()
    compiler = subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout
    return {
        "date": datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC"),
        "nproc": cores,
        "cpu": read_first("/proc/cpuinfo", "model name") or platform.processor() or "unknown",
        "memory": memory,
        "load": "%.2f %.2f %.2f" % os.getloadavg(),
        "kernel": platform.release(),
        "compiler": compiler.splitlines()[0] if compiler else "unknown",
        "commit": commit or "unknown",
    }


# --- reading results ---------------------------------------------------------

TO_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def base_name(name):
    """The benchmark and its arguments, without Google Benchmark's option
    suffixes (min_time:, iterations:, repeats:, real_time)."""
    parts = [p for p in name.split("/") if ":" not in p and p != "real_time"]
    return "/".join(parts)


class Measure:
    """The median over repetitions of one benchmark: time per iteration in ns
    (CPU and wall clock) and its user counters."""

    def __init__(self, runs):
        self.cpu_ns = statistics.median(r["cpu_time"] * TO_NS[r.get("time_unit", "ns")] for r in runs)
        self.real_ns = statistics.median(r["real_time"] * TO_NS[r.get("time_unit", "ns")] for r in runs)
        self.repetitions = len(runs)
        standard = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
                    "iterations", "real_time", "cpu_time", "time_unit", "family_index",
                    "per_family_instance_index", "aggregate_name", "aggregate_unit", "label",
                    "error_occurred", "error_message"}
        keys = {k for r in runs for k, v in r.items()
                if k not in standard and isinstance(v, (int, float))}
        self.counters = {k: statistics.median(r[k] for r in runs if k in r) for k in keys}

    def time(self, clock):
        return self.cpu_ns if clock == "cpu" else self.real_ns

    def per_item_ns(self, clock):
        """Time per processed item where the benchmark counts items."""
        rate = self.counters.get("items_per_second")
        return 1e9 / rate if rate else self.time(clock)


class Results:
    def __init__(self, folder):
        self.runs = {}
        self.failed = {}
        self.variant = None
        self.context = {}
        for path in sorted(pathlib.Path(folder).glob("*.json")):
            try:
                doc = json.loads(path.read_text())
            except (OSError, ValueError) as e:
                print(f"report: skipping {path}: {e}", file=sys.stderr)
                continue
            if path.name == "context.json":
                self.context = doc
            elif "operations" in doc:
                self.variant = doc
            for b in doc.get("benchmarks", []) if isinstance(doc, dict) else []:
                if b.get("run_type", "iteration") != "iteration":
                    continue
                key = base_name(b.get("run_name", b["name"]))
                if b.get("error_occurred"):
                    self.failed[key] = b.get("error_message", "failed")
                else:
                    self.runs.setdefault(key, []).append(b)

    def get(self, *patterns):
        """The first benchmark whose name (without options) matches one of the
        patterns, tried in order; None when none does."""
        for pattern in patterns:
            regex = re.compile(pattern, re.IGNORECASE)
            for key in sorted(self.runs):
                if regex.fullmatch(key):
                    return Measure(self.runs[key])
        return None


# --- formatting --------------------------------------------------------------

def fmt_ns(ns):
    if ns is None:
        return NOT_MEASURED
    if ns >= 1e6:
        return f"{ns / 1e6:.3g} ms"
    if ns >= 1e3:
        return f"{ns / 1e3:.3g} µs"
    return f"{ns:.3g} ns"


def fmt_ratio(r):
    return NOT_MEASURED if r is None else f"{r:.2f}×"


def fmt_count(c):
    if c is None:
        return "–"
    return "0" if c == 0 else f"{c:.3g}"


def ratio(a, b):
    return a / b if a is not None and b else None


def verdict(value, limit):
    if value is None:
        return NOT_MEASURED
    return "met" if value <= limit else "**not met**"


def table(header, rows):
    out = ["| " + " | ".join(header) + " |", "|" + "|".join("---" for _ in header) + "|"]
    out += ["| " + " | ".join(str(c) for c in row) + " |" for row in rows]
    return out


class Report:
    def __init__(self, results, notes):
        self.r = results
        self.notes = notes
        self.summary = []  # (goal, measured, target, verdict)
        self.lines = []

    def goal(self, text, value, limit, shown=None, target=None, floor=None):
        """Adds a goal to the summary. `floor` describes the measured floor of
        the same run; it is shown only when the goal is not met."""
        v = verdict(value, limit)
        self.summary.append((text, shown if shown is not None else fmt_ratio(value),
                             target or f"≤ {limit:g}×", v,
                             floor if floor and v == "**not met**" else "–"))
        return v

    def repetitions(self, name):
        m = self.r.get(name)
        n = m.repetitions if m else 0
        return "one run" if n <= 1 else f"median of {n} repetitions in a random order"

    def section(self, key, title, intro, body):
        self.lines += ["", f"## {title}", "", intro, ""] + body
        if key in self.notes:
            self.lines += ["", self.notes[key]]

    # -- dynamic calls --
    # Each call row: label, benchmark stem, how many calls through the layer
    # one iteration makes, and the stem of members that do nothing with the
    # same parameters (None: the cheapest member's floor applies).
    CALLS = [("ZSNumbers.BinToDec", "BM_BinToDec", 1, None),
             ("ZSNumbers.DecToHex", "BM_DecToHex", 1, None),
             ("ZSMath.ATanH", "BM_Math_ATanH", 1, None),
             ("ZSMath.Inc", "BM_Math_Inc", 1, "BM_EmptyInc"),
             ("ZSStack.Push + Pop", "BM_Stack_PushPop", 2, "BM_EmptyPushPop")]
    FLOOR_CALL = ("ZSStack.Count", "BM_Stack_Count")

    def call_times(self, stem):
        ms = [self.r.get(f"{stem}_{s}") for s in ("Typed", "ById", "ByName")]
        return ms, [m.cpu_ns if m else None for m in ms]

    @staticmethod
    def difference(a, b):
        return a - b if a is not None and b is not None else None

    def calls(self):
        def allocations(ms):
            return " / ".join(fmt_count(m.counters.get("allocs_per_op")) if m else "–"
                              for m in ms)

        # The cheapest member: by id − typed, and by name − by id.
        floor_ms, (ft, fi, fn) = self.call_times(self.FLOOR_CALL[1])
        id_floor, name_floor = self.difference(fi, ft), self.difference(fn, fi)
        rows, floor_rows, lines = [], [], []
        for label, stem, count, empty in self.CALLS:
            ms, (t, i, n) = self.call_times(stem)
            id_ratio, name_ratio = ratio(i, t), ratio(n, i)
            # The floor of by id: the layer's cost for these parameters where
            # members that do nothing with them were measured, else the
            # cheapest member's cost once per call.
            floor, floor_text, shaped = None, None, False
            if empty:
                ems, (et, ei, _) = self.call_times(empty)
                floor = self.difference(ei, et)
                if floor is not None:
                    shaped = True
                    floor_text = "typed + what the layer costs for its parameters"
                    floor_rows.append([f"members doing nothing, declared as {label}" if count > 1
                                       else f"a member doing nothing, declared as {label}",
                                       fmt_ns(et), fmt_ns(ei), "–", fmt_ns(floor),
                                       allocations(ems[:2]), fmt_ratio(ratio(ei, et)), "–", "–",
                                       "–"])
            if floor is None and id_floor is not None:
                floor = count * id_floor
                floor_text = "typed + 2 × the call floor" if count > 1 else "typed + the call floor"
            id_best = ratio(t + floor, t) if t and floor is not None else None
            name_best = ratio(i + count * name_floor, i) if i and name_floor is not None else None
            rows.append([label, fmt_ns(t), fmt_ns(i), fmt_ns(n),
                         fmt_ns(self.difference(i, t)), allocations(ms),
                         fmt_ratio(id_ratio),
                         self.goal(f"{label} by id ≤ 2× typed", id_ratio, 2,
                                   floor=id_best and f"{fmt_ratio(id_best)} ({floor_text})"),
                         fmt_ratio(name_ratio),
                         self.goal(f"{label} by name ≤ 1.2× by id", name_ratio, 1.2,
                                   floor=name_best and f"{fmt_ratio(name_best)} (by id + "
                                   f"{'2 × ' if count > 1 else ''}the name floor)")])
            if i is None or t is None or floor is None:
                continue
            two = count > 1
            line = f"- {label}{' (two calls)' if two else ''}: by id − typed = {fmt_ns(i - t)}"
            if shaped:
                line += (f"; {'members' if two else 'a member'} doing nothing, declared as "
                         f"{label}, cost{'' if two else 's'} {fmt_ns(floor)} more by id than "
                         "typed")
                if id_floor is not None:
                    line += (f" ({'two calls' if two else 'one call'} of the cheapest member: "
                             f"{fmt_ns(count * id_floor)})")
                line += f"; typed + {fmt_ns(floor)} = {fmt_ratio(id_best)} typed"
                what = "the layer's cost for its arguments"
            else:
                line += (f", against {'two floors' if two else 'the floor'} of {fmt_ns(floor)}; "
                         f"typed + {'two floors' if two else 'the floor'} = "
                         f"{fmt_ratio(id_best)} typed")
                what = "two floors" if two else "the floor"
            if id_best > 2:
                line += (f": typed ({fmt_ns(t)}) costs less than {what}, so ≤ 2× is out of "
                         "reach")
            lines.append(line + ".")
        rows.append([f"{self.FLOOR_CALL[0]} (the floor: the cheapest member)", fmt_ns(ft),
                     fmt_ns(fi), fmt_ns(fn), fmt_ns(id_floor), allocations(floor_ms),
                     fmt_ratio(ratio(fi, ft)), "–", fmt_ratio(ratio(fn, fi)), "–"])
        body = table(["Call", "typed", "by id", "by name", "by id − typed",
                      "allocations per call (typed / id / name)", "id ÷ typed", "≤ 2×",
                      "name ÷ id", "≤ 1.2×"], rows + floor_rows)
        if id_floor is not None:
            body += ["", f"floor: by id − typed of the cheapest member = {fmt_ns(id_floor)} "
                     f"({self.FLOOR_CALL[0]}: no argument, a Long result); by name − by id of it "
                     f"= {fmt_ns(name_floor)}.", ""]
        body += lines
        self.section(
            "calls", "Calls through the dynamic layer",
            "The typed C++ call against `zs::invoke` by dispatch id and by name (CPU time per call, "
            f"{self.repetitions('BM_Math_Inc_Typed')}). Goals: by id ≤ 2× typed, "
            "by name ≤ 1.2× by id. The rows after the goals are floors: the member that does the "
            "least work, whose by id − typed is the fixed cost of any call through the layer, and "
            "members of the benchmark's own that do nothing, declared with the parameters of a "
            "call whose goal is not met: their by id − typed is what the layer costs for those "
            "arguments.",
            body)

    # -- Collection --
    def collection(self):
        ops = [("add with a key", "BM_Collection_AddKeyed", "BM_Map_AddKeyed", "map"),
               ("add without a key", "BM_Collection_AddUnkeyed", "BM_Vector_AddUnkeyed", "vector"),
               ("fetch by position", "BM_Collection_ItemByPosition", "BM_Vector_ItemByPosition",
                "vector"),
               ("fetch by key", "BM_Collection_ItemByKey", "BM_Map_ItemByKey", "map"),
               ("fetch by key, beside a map folding case (the floor)", "BM_Collection_ItemByKey",
                "BM_FoldingMap_ItemByKey", "folding map"),
               ("remove by key (the middle tenth)", "BM_Collection_RemoveByKey",
                "BM_Map_RemoveByKey", "map"),
               ("remove position 1 until empty", "BM_Collection_RemoveFront", None, None)]
        rows = []
        keyed_fetch, folding = None, None
        for label, ours, theirs, kind in ops:
            for n in (1000, 100000, 1000000):
                a = self.r.get(f"{ours}/{n}")
                b = self.r.get(f"{theirs}/{n}") if theirs else None
                ta = a.per_item_ns("cpu") if a else None
                tb = b.per_item_ns("cpu") if b else None
                rows.append([label, f"10^{len(str(n)) - 1}", fmt_ns(ta),
                             f"{fmt_ns(tb)} ({kind})" if theirs else "–",
                             fmt_ratio(ratio(ta, tb)) if theirs else "–",
                             fmt_count(a.counters.get("allocs_per_op")) if a else "–",
                             fmt_count(b.counters.get("allocs_per_op")) if b else "–"])
                if ours == "BM_Collection_ItemByKey" and n == 1000000:
                    if theirs == "BM_Map_ItemByKey":
                        keyed_fetch = (a, ta, tb)
                    else:
                        folding = tb
        a, ta, tb = keyed_fetch
        r = ratio(ta, tb)
        allocs = a.counters.get("allocs_per_op") if a else None
        floor = None
        if ratio(folding, tb) is not None:
            floor = (f"{fmt_ratio(ratio(folding, tb))} (a map folding case as the Collection does; "
                     f"the Collection is {fmt_ratio(ratio(ta, folding))} it)")
        self.goal("Collection fetch by key at 10^6 ≤ 0.7× the map", r, 0.7, floor=floor)
        self.summary.append(("Collection fetch by key: allocations per fetch",
                             fmt_count(allocs), "0",
                             NOT_MEASURED if allocs is None else
                             ("met" if allocs == 0 else "**not met**"), "–"))
        self.section(
            "collection", "Collection",
            "Each operation beside `std::unordered_map<std::u16string, Variant>` (keyed work) or "
            "`std::vector<Variant>` (positional work) doing the same, CPU time per element. Fetches "
            "walk the elements in a scattered order "
            f"({self.repetitions('BM_Map_ItemByKey/1000000')}). The map compares keys exactly, "
            "the Collection without regard to case; the folding map (the floor of the keyed "
            "fetch) is the same map with the Collection's hash and comparison, which fold "
            "each code unit to upper case (`CollectionKeys::hashOf`, `sameFoldedKey`). "
            "Allocations are counted by the benchmark program's own "
            "operator new. Goals: fetch by key at 10^6 ≤ 0.7× the map, with no allocation.",
            table(["Operation", "n", "Collection", "standard container", "ratio",
                   "allocations (Collection)", "allocations (container)"], rows))

    # -- Variant vs runtime --
    def variant(self):
        rows = []
        ops = self.r.variant["operations"] if self.r.variant else []
        for op in ops:
            value = op["ratio"]
            rows.append([op["name"], fmt_ns(op["library_ns"]), fmt_ns(op["runtime_ns"]),
                         fmt_ratio(value), self.goal(f"Variant {op['name']} ≤ 1.0× oleaut32",
                                                     value, 1.0, floor=self.variant_floor(op)),
                         "yes" if op.get("same_result") else "**no**"])
        if not ops:
            rows.append(["every operation", NOT_MEASURED, NOT_MEASURED, NOT_MEASURED,
                         self.goal("Variant operations ≤ 1.0× oleaut32", None, 1.0), "–"])
        body = table(["Operation", "library", "oleaut32", "ratio", "≤ 1.0×", "same result"], rows)
        floors = self.variant_floors()
        if floors:
            body.append("")
            body += table(["Floor: a part of an operation alone", "of", "library", "oleaut32",
                           "ratio"],
                          [[f"{f['name']}: {f['library']} against {f['runtime']}",
                            f["operation"], fmt_ns(f["library_ns"]), fmt_ns(f["runtime_ns"]),
                            fmt_ratio(f["ratio"])] for f in floors])
            for f in floors:
                op = next((o for o in ops if o["name"] == f["operation"]), None)
                if not op:
                    continue
                gap = op["library_ns"] - op["runtime_ns"]
                part = f["library_ns"] - f["runtime_ns"]
                line = (f"- {f['operation']}: the library takes {fmt_ns(gap)} more than oleaut32; "
                        f"the {f['name']} alone takes {fmt_ns(part)} more")
                if gap > 0:
                    line += f" ({part / gap:.0%} of the difference)"
                body += ["", line + "."]
        self.section(
            "variant", "Variant operations against the automation runtime",
            "The library's Variant rules against Wine's oleaut32 (`VarAdd`, `VarCat`, "
            "`VarBstrFromR8`, `VarR8FromStr`) in one win64 process under Wine "
            "(bench/wine/variant_runtime_bench.cpp): the fastest of several alternating batches per "
            "side, results and their freeing included. Goal: every operation ≤ 1.0× the runtime.",
            body)

    def variant_floors(self):
        return self.r.variant.get("floors", []) if self.r.variant else []

    def variant_floor(self, op):
        """The ratio an operation would have if it differed from the runtime
        only by its floor's part, as text for the goal table."""
        for f in self.variant_floors():
            if f["operation"] == op["name"] and op["runtime_ns"]:
                best = (op["runtime_ns"] + f["library_ns"] - f["runtime_ns"]) / op["runtime_ns"]
                return (f"{fmt_ratio(best)} (oleaut32 + the difference of the {f['name']} "
                        f"alone: {fmt_ratio(f['ratio'])})")
        return None

    # -- registry --
    def registry(self):
        def wall(*patterns):
            m = self.r.get(*patterns)
            return m.real_ns if m else None

        pair_plain = wall(r"PlainSqliteSetAndQuery", r".*Plain.*Sqlite.*(Set|Write).*")
        pair_four = wall(r"PlainSqliteSetAndFourReads")
        pair_store = wall(r"StoreSetAndQuery")
        scan = wall(r"PlainSqliteScanTenThousandValues", r".*Sqlite.*(Scan|Enumerat|List|Select).*")
        enumerate_ = wall(r"StoreEnumerateTenThousandValues")
        build = wall(r"RegistryValuesBuildTenThousand")
        listing = scan + build if scan is not None and build is not None else None
        pair_floor = listing_floor = None
        if ratio(pair_four, pair_plain) is not None:
            pair_floor = (f"{fmt_ratio(ratio(pair_four, pair_plain))} (plain SQLite making the "
                          "store's four reads a pair)")
        if ratio(listing, scan) is not None:
            listing_floor = (f"{fmt_ratio(ratio(listing, scan))} (the scan + building the "
                             "10,000 objects)")
        pairs = [
            ("WriteValue + ReadValue (10,000 pairs)",
             [r"RegistryWriteAndRead", r".*Registry.*Write.*Read.*"], pair_plain, 1.2,
             "plain SQLite doing the same writes", pair_floor),
            ("ListValues over 10,000 values",
             [r"RegistryListTenThousandValues", r".*Registry.*List.*Values.*"], scan, 2.0,
             "one SQLite scan", listing_floor),
        ]
        rows = []
        for label, ours, tb, limit, baseline, floor in pairs:
            a = self.r.get(*ours)
            ta = a.real_ns if a else None
            value = ratio(ta, tb)
            rows.append([label, fmt_ns(ta), f"{fmt_ns(tb)} ({baseline})", fmt_ratio(value),
                         f"≤ {limit:g}×", self.goal(f"Registry {label} ≤ {limit:g}× {baseline}",
                                                   value, limit, floor=floor)])
        # The parts and floors of the two goals, each against the goal's baseline.
        parts = [
            ("the store alone: RegSetValueExA + RegQueryValueExA (10,000 pairs)", pair_store,
             pair_plain, "plain SQLite doing the same writes"),
            ("plain SQLite: the same writes, each followed by the four reads the store makes "
             "(the floor of WriteValue + ReadValue)", pair_four, pair_plain,
             "plain SQLite doing the same writes"),
            ("the store's enumeration alone: RegEnumValueA over 10,000 values", enumerate_, scan,
             "one SQLite scan"),
            ("building the 10,000 value objects alone", build, scan, "one SQLite scan"),
            ("the scan + building the objects (the floor of ListValues)", listing, scan,
             "one SQLite scan"),
        ]
        for label, ta, tb, baseline in parts:
            if ta is not None:
                rows.append([label, fmt_ns(ta), f"{fmt_ns(tb)} ({baseline})",
                             fmt_ratio(ratio(ta, tb)), "–", "–"])
        self.section(
            "registry", "Registry over the Linux store",
            "ZSRegistry against plain SQLite (wall-clock time per iteration: writes wait for the "
            "disk). The rows after the goals split each goal into its parts, measured alone, and "
            "give its floor.",
            table(["Operation", "ZSRegistry", "baseline", "ratio", "goal", "met"], rows))

    # -- host --
    def host(self):
        a = self.r.get(r"BM_HostPipelinedBinToDec", r".*(Host|Serve).*(Pipelin|BinToDec).*")
        b = self.r.get(r"BM_HostPipelinedJsonEcho", r".*Echo.*")
        ta, tb = (a.real_ns if a else None), (b.real_ns if b else None)
        value = ratio(ta, tb)
        rows = [["100k pipelined BinToDec invokes", fmt_ns(ta), f"{fmt_ns(tb)} (C++ echo)",
                 fmt_ratio(value), "≤ 1.2×",
                 self.goal("Host: 100k pipelined invokes ≤ 1.2× a C++ echo", value, 1.2)]]
        for mib in (1, 16):
            a = self.r.get(rf"BM_HostHostileLine/{mib}", rf".*Host.*Hostile.*Line/{mib}")
            b = self.r.get(rf"BM_HostReadLineFloor/{mib}", rf".*Read.*Line.*/{mib}")
            ta, tb = (a.real_ns if a else None), (b.real_ns if b else None)
            value = ratio(ta, tb)
            rows.append([f"one hostile {mib} MiB line", fmt_ns(ta), f"{fmt_ns(tb)} (reading its bytes)",
                         fmt_ratio(value), "≤ 2×",
                         self.goal(f"Host: a hostile {mib} MiB line ≤ 2× reading its bytes",
                                   value, 2, floor="none measured: no reader that checks each "
                                   "byte is timed below the host's (see Automation host)")])
            events = self.r.get(rf"BM_HostHostileLineJsonLibraryEvents/{mib}")
            if events:
                rows.append([f"the JSON library's event parser, building nothing, on the {mib} MiB "
                             "line (for scale)", fmt_ns(events.real_ns),
                             f"{fmt_ns(tb)} (reading its bytes)",
                             fmt_ratio(ratio(events.real_ns, tb)), "–", "–"])
        m = self.r.get(r"BM_HostLiveZSNumbers", r".*Live.*Numbers.*", r".*Numbers.*(Memory|Resident).*")
        mib = None
        if m:
            for key, v in sorted(m.counters.items()):
                if "mib" in key.lower():
                    mib = v
                    break
            else:
                for key, v in sorted(m.counters.items()):
                    if "bytes" in key.lower():
                        mib = v / 1048576
                        break
        shown = NOT_MEASURED if mib is None else f"{mib:.1f} MiB"
        rows.append(["100k live ZSNumbers", shown, "–", "–", "≤ 60 MiB",
                     self.goal("Host: 100k live ZSNumbers ≤ 60 MiB", mib, 60, shown, "≤ 60 MiB")])
        self.section(
            "host", "Automation host",
            "`zavrin serve` answering pipelined requests against a C++ echo of the same lines with "
            "the same JSON library, one hostile line (an unused field holding millions of empty "
            "objects) against reading the same bytes into lines (wall-clock time), and the memory "
            "of 100,000 live objects.",
            table(["Measure", "zavrin", "baseline", "ratio", "goal", "met"], rows))

    # -- start-up --
    def startup(self):
        a, b = self.r.get("BM_Startup_ZavrinCall"), self.r.get("BM_Startup_BinTrue")

        def figure(m, counter, scale=1e3):
            if not m:
                return None
            return m.counters[counter] * scale if counter in m.counters else m.real_ns

        fa, fb = figure(a, "fastest_us"), figure(b, "fastest_us")
        value = ratio(fa, fb)
        floor = self.r.get("BM_Startup_LibraryFloor")
        ff = figure(floor, "fastest_us")
        rows = [["`zavrin call ZSNumbers BinToDec 101`", fmt_ns(fa), fmt_ns(fb), fmt_ratio(value),
                 self.goal("`zavrin call` ≤ 1.6× /bin/true", value, 1.6,
                           floor=ratio(ff, fb) and f"{fmt_ratio(ratio(ff, fb))} (an empty `main` "
                           "with the command's libraries)"),
                 fmt_ratio(ratio(figure(a, "median_us"), figure(b, "median_us"))),
                 fmt_ratio(ratio(figure(a, "child_cpu_us"), figure(b, "child_cpu_us")))]]
        # The floor: an empty main linked against the command's libraries.
        if floor:
            rows.append(["empty `main` with the command's libraries (the floor)", fmt_ns(ff),
                         fmt_ns(fb), fmt_ratio(ratio(ff, fb)), "–",
                         fmt_ratio(ratio(figure(floor, "median_us"), figure(b, "median_us"))),
                         fmt_ratio(ratio(figure(floor, "child_cpu_us"),
                                         figure(b, "child_cpu_us")))])
        self.section(
            "startup", "Start-up",
            "Each program started with `posix_spawn` and waited for, output to /dev/null, over "
            f"and over ({self.repetitions('BM_Startup_BinTrue')}). The goal compares the fastest "
            "single "
            "start (wall-clock time), which other work on a shared machine disturbs least; the "
            "median start and the CPU time the started processes used are shown beside it. "
            "The floor row starts a program that does nothing, linked against the same shared "
            "libraries as `zavrin`. Goal: ≤ 1.6× `/bin/true`.",
            table(["Command", "fastest start", "`/bin/true`", "ratio", "≤ 1.6×",
                   "median start ratio", "CPU time ratio"], rows))

    def render(self):
        self.calls()
        self.collection()
        self.variant()
        self.registry()
        self.host()
        self.startup()
        c = self.r.context
        met = sum(1 for s in self.summary if s[3] == "met")
        head = [
            "# Performance",
            "",
            "Generated by `bench/run.sh`; do not edit by hand (notes per section live in "
            "`bench/performance_notes.md`).",
            "",
            f"- Run: {c.get('date', 'unknown')}, commit {c.get('commit', 'unknown')}",
            f"- Machine: {c.get('nproc', '?')} cores (nproc), {c.get('cpu', 'unknown CPU')}, "
            f"{c.get('memory', '?')} memory; load average at the start {c.get('load', '?')}",
            f"- Build: release preset, {c.get('compiler', 'unknown compiler')}, "
            f"Linux {c.get('kernel', '?')}",
            "",
            "Every goal is a ratio of two measurements taken in the same run, so the machine's "
            "speed cancels out; the absolute times are there for reference. Other work on a shared "
            "machine still moves a ratio between runs, by tens of per cent where the load is high "
            "(wall-clock rows, which wait on the disk or on other processes, the most).",
            "",
            f"## Goals ({met} of {len(self.summary)} met)",
            "",
            "Where a goal is not met, the last column gives its floor, measured in the same run: "
            "the ratio that the work the operation cannot avoid reaches alone, or that a "
            "standard container doing the same work reaches (each section shows the floor's "
            "rows).",
            "",
        ] + table(["Goal", "measured", "target", "met", "floor in this run"], self.summary)
        return "\n".join(head + self.lines) + "\n"


def read_notes(path):
    notes = {}
    if path and pathlib.Path(path).exists():
        key = None
        for line in pathlib.Path(path).read_text().splitlines():
            m = re.fullmatch(r"##\s+(\w+)\s*", line)
            if m:
                key = m.group(1).lower()
                notes[key] = []
            elif key:
                notes[key].append(line)
    return {k: "\n".join(v).strip() for k, v in notes.items() if "\n".join(v).strip()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    sub.add_parser("context")
    render = sub.add_parser("render")
    render.add_argument("results")
    render.add_argument("output")
    render.add_argument("--notes")
    args = parser.parse_args()
    if args.command == "context":
        json.dump(context(), sys.stdout, indent=1)
        print()
        return 0
    results = Results(args.results)
    for name, message in sorted(results.failed.items()):
        print(f"report: {name} failed: {message}", file=sys.stderr)
    text = Report(results, read_notes(args.notes)).render()
    pathlib.Path(args.output).write_text(text)
    print(f"report: wrote {args.output}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
