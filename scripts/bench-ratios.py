#!/usr/bin/env python3
"""Prints, from Google Benchmark's JSON output, each side's time against the raw SQLite
baseline of the same family: benchmarks are named "Family/Side[/options]", and the side
"Raw" is the baseline. A side measured in one loop with its baseline carries the
baseline in counters instead ("raw_real_us", "raw_cpu_us", and its own "side_cpu_us").
With repetitions the median is used. Families named "...Memory" report bytes per record
(counters "held_B_per_X", "peak_B_per_X") instead of time."""
import json
import sys

TO_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}

# The most each family's side may take against raw SQLite (wall time; for memory, the peak).
# A family is matched by the start of its name. The 50,000-department cases show the saves
# stay linear: the raw side runs the same statements with the same index.
TARGETS = (
    ("UsersSave", 1.5), ("UsersLoad", 1.2), ("UserSaveOne", 1.5),
    ("DepartmentsSave50k", 3.0), ("DepartmentSaveOne50k", 1.5),
    ("DirectorySave", 3.0), ("ContactsSave", 3.0), ("DirectoryLoad", 1.5), ("ContactsLoad", 1.5),
    ("AddContact", 1.2), ("UpdateRecentContactor", 1.2), ("SetLastLiveTime", 1.2),
    ("UsersFillSave1MMemory", 1.5),
)


def target(family):
    return next((limit for prefix, limit in TARGETS if family.startswith(prefix)), None)


def verdict(family, ratio, over):
    """The target column; a ratio over its target is remembered in over."""
    limit = target(family)
    if limit is None:
        return "-"
    if ratio > limit:
        over.append("%s %.2f > %.1f" % (family, ratio, limit))
        return "<= %.1f OVER" % limit
    return "<= %.1f ok" % limit


def runs(report):
    entries = report.get("benchmarks", [])
    medians = [e for e in entries if e.get("run_type") == "aggregate" and e.get("aggregate_name") == "median"]
    if medians:
        return medians
    return [e for e in entries if e.get("run_type", "iteration") == "iteration" and not e.get("error_occurred")]


def spreads(report):
    """Coefficient of variation of the real time per run, when repetitions gave one."""
    return {e["run_name"]: e["real_time"] for e in report.get("benchmarks", [])
            if e.get("run_type") == "aggregate" and e.get("aggregate_name") == "cv"}


OPTIONS = ("iterations:", "min_time:", "repeats:", "threads:", "real_time", "process_time", "manual_time")


def split(name):
    parts = [p for p in name.split("/") if not p.startswith(OPTIONS)]
    if len(parts) < 2:
        return None
    return "/".join([parts[0]] + parts[2:]), parts[1]


def main(path):
    try:
        with open(path) as f:
            report = json.load(f)
    except (OSError, ValueError) as error:
        print("bench-ratios: cannot read %s: %s" % (path, error), file=sys.stderr)
        return 1
    cvs = spreads(report)
    families = {}
    paired = {}
    memory = {}
    for entry in runs(report):
        key = split(entry.get("run_name", entry["name"]))
        if key is None:
            continue
        family, side = key
        scale = TO_NS[entry.get("time_unit", "ns")]
        cv = cvs.get(entry.get("run_name"))
        if family.endswith("Memory"):
            memory.setdefault(family, {})[side] = {k: v for k, v in entry.items() if k.startswith(("held_", "peak_"))}
            continue
        if "raw_real_us" in entry:
            paired.setdefault(family, {})[side] = (entry["real_time"] * scale, entry["side_cpu_us"] * 1e3, cv,
                                                   entry["raw_real_us"] * 1e3, entry["raw_cpu_us"] * 1e3)
            continue
        families.setdefault(family, {})[side] = (entry["real_time"] * scale, entry["cpu_time"] * scale, cv)
    rows = []
    over = []
    for family, sides in sorted(families.items()):
        raw = sides.get("Raw")
        for side, (real, cpu, cv) in sides.items():
            if side == "Raw":
                continue
            if raw:
                rows.append((family, side, fmt(real, cv), fmt(raw[0], raw[2]), "%.2f" % (real / raw[0]),
                             "%.2f" % (cpu / raw[1]), verdict(family, real / raw[0], over)))
            else:
                rows.append((family, side, fmt(real, cv), "-", "no raw", "no raw", "-"))
    for family, sides in sorted(paired.items()):
        for side, (real, cpu, cv, raw_real, raw_cpu) in sides.items():
            rows.append((family, side, fmt(real, cv), fmt(raw_real) + " paired", "%.2f" % (real / raw_real),
                         "%.2f" % (cpu / raw_cpu), verdict(family, real / raw_real, over)))
    if not rows and not memory:
        print("bench-ratios: no pairs found in " + path, file=sys.stderr)
        return 1
    # The machine may be shared: the CPU ratio is the steadier one, except where syncs dominate.
    if rows:
        table(("family", "side", "time/iter", "raw time/iter", "side/raw", "side/raw cpu", "target"), rows)
    if rows and cvs:
        print("(medians of the repetitions; ± is the coefficient of variation of the real time)")
    memory_rows = []
    for family, sides in sorted(memory.items()):
        raw = sides.get("Raw", {})
        for side, counters in sides.items():
            if side == "Raw":
                continue
            for name, value in sorted(counters.items()):
                base = raw.get(name)
                judged = base and name.startswith("peak_")
                memory_rows.append((family, side, name, "%.0f" % value, "%.0f" % base if base else "-",
                                    "%.2f" % (value / base) if base else "no raw",
                                    verdict(family, value / base, over) if judged else "-"))
    if memory_rows:
        if rows:
            print()
        table(("family", "side", "counter", "bytes", "raw bytes", "side/raw", "target"), memory_rows)
    print()
    print("over target: " + "; ".join(over) if over else "every case with a target is within it")
    return 0


def table(header, rows):
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)).rstrip())


def fmt(ns, cv=None):
    spread = " ±%d%%" % round(cv * 100) if cv is not None else ""
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= scale:
            return "%.3g %s%s" % (ns / scale, unit, spread)
    return "%.3g ns%s" % (ns, spread)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print("usage: bench-ratios.py BENCH_JSON", file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
