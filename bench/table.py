#!/usr/bin/env python3
"""Reads the raw outputs of scripts/bench and prints one table: figure, value,
same-run baseline, ratio, target, verdict. Exits 1 when a line cannot be read
or a figure measured against a baseline has none: nothing a benchmark prints
vanishes from the table. A figure over its target shows as OVER.

Raw blocks start with "### <kind> <name>". Native blocks are Google
Benchmark's CSV. Every other line is either a note, wholly in parentheses,
or a figure:

  <figure>  <value> <unit>[  baseline <value> <unit>  ratio <r>][  (target ...)][  -> <result>]

where the target is "<= R" (a ratio to the baseline), "<= V unit" (an
absolute limit), "<= +V unit" (at most V over the baseline) or "none: why".
"""
import csv
import io
import re
import sys

UNITS = r"(?:ns|us|ms|s|MB|%|requests)"
FIGURE = re.compile(
    r"^(?P<figure>\S.*?)\s{2,}(?P<value>[\d.]+) (?P<unit>" + UNITS + r")"
    r"(?:\s+baseline\s+(?P<base>[\d.]+) (?P<base_unit>" + UNITS + r")\s+ratio\s+[\d.]+)?"
    r"(?:\s+\(target (?:none[^)]*|<= (?P<plus>\+)?(?P<limit>[\d.]+)(?: (?P<limit_unit>" + UNITS + r"))?)\))?"
    r"(?:\s+->.*)?$")
NOTE = re.compile(r"^\(.*\)$")

# Native Google Benchmark rows: figure, baseline benchmark, target.
NATIVE = {
    "BM_StoreOpenAndReadAll": ("settings: open + read 20 000 keys, vs inih parsing the file", "BM_InihParse", ("ratio", 1.6)),
    "BM_StoreFlush": ("settings: Flush 20 000 keys, one changed, vs one fwrite of its bytes", "BM_PlainFwrite", ("ratio", 2.0)),
    "BM_StoreFlushEverySection": ("settings: Flush 20 000 keys, every section changed, vs one fwrite", "BM_PlainFwrite", None),
    "BM_StoreFlushAfterAnotherSave": ("settings: Flush after another session's save, vs one fwrite", "BM_PlainFwrite", None),
    "BM_FilesReplaceOnly": ("settings: save floor, lock + temporary file + rename, vs one fwrite", "BM_PlainFwrite", None),
    "BM_EncodeOnly": ("settings: save floor, encoding the text alone, vs one fwrite", "BM_PlainFwrite", None),
    "BM_EvaluateTick": ("schedule: Evaluate (timer), 10 000 entries", None, ("abs", 1.0, "ms")),
    "BM_EvaluateTrackChange": ("schedule: Evaluate (track), 10 000 entries", None, ("abs", 1.0, "ms")),
    "BM_FindNext": ("schedule: FindNext, 10 000 entries", None, ("abs", 1.0, "ms")),
    "BM_UpdateInfo": ("schedule: UpdateInfo, 10 000 entries", None, None),
    "BM_Load": ("schedule: Load, 10 000 entries", None, None),
}
BASELINES = {v[1] for v in NATIVE.values() if v[1]}
TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


class Table:
    def __init__(self):
        self.rows = []  # (figure, value, unit, baseline, target)
        self.errors = []

    def native(self, name, text):
        lines = text.splitlines()
        start = next((i for i, l in enumerate(lines) if l.startswith("name,")), None)
        if start is None:
            self.errors.append(f"{name}: no benchmark table in its output")
            return
        times = {}
        for r in csv.DictReader(io.StringIO("\n".join(lines[start:]))):
            if r.get("error_occurred") == "true":
                self.errors.append(f"{name}: {r['name']}: {r.get('error_message', 'failed')}")
                continue
            times[r["name"]] = float(r["real_time"]) * TO_MS[r["time_unit"]]
        for bench, ms in times.items():
            if bench in BASELINES:
                continue
            figure, base, target = NATIVE.get(bench, (bench, None, None))
            if base and not times.get(base):
                self.errors.append(f"{name}: {bench}: its baseline {base} did not run")
            self.rows.append((figure, ms, "ms", times.get(base) if base else None, target))

    def lines(self, name, text):
        for line in text.splitlines():
            line = line.rstrip()
            if not line or NOTE.match(line):
                continue
            m = FIGURE.match(line)
            if not m:
                self.errors.append(f"{name}: cannot read: {line}")
                continue
            base = float(m["base"]) if m["base"] else None
            if base is not None and m["base_unit"] != m["unit"]:
                self.errors.append(f"{name}: baseline in another unit: {line}")
                continue
            target = None
            if m["limit"] and m["plus"]:
                target = ("plus", float(m["limit"]), m["limit_unit"] or m["unit"])
            elif m["limit"] and m["limit_unit"]:
                target = ("abs", float(m["limit"]), m["limit_unit"])
            elif m["limit"]:
                target = ("ratio", float(m["limit"]))
            if target and target[0] != "ratio" and target[2] != m["unit"]:
                self.errors.append(f"{name}: target in another unit: {line}")
                continue
            if (base is not None or (target and target[0] in ("ratio", "plus"))) and not base:
                self.errors.append(f"{name}: no baseline, or one of 0: {line}")
                continue
            self.rows.append((m["figure"].strip(), float(m["value"]), m["unit"], base, target))


def verdict(value, base, target):
    if not target:
        return "reported", "-"
    kind, limit = target[0], target[1]
    if kind == "ratio":
        return ("ok" if value <= limit * base else "OVER"), f"<= {limit:g} x base"
    if kind == "plus":
        return ("ok" if value <= base + limit else "OVER"), f"<= base + {limit:g} {target[2]}"
    return ("ok" if value <= limit else "OVER"), f"<= {limit:g} {target[2]}"


def main(path):
    raw = open(path, encoding="utf-8", errors="replace").read()
    table = Table()
    blocks = re.split(r"^### (\w+) (\S+)\n", raw, flags=re.M)
    if blocks[0].strip():
        table.errors.append("output before the first benchmark: " + blocks[0].strip())
    for kind, name, text in zip(blocks[1::3], blocks[2::3], blocks[3::3]):
        (table.native if kind == "native" else table.lines)(name, text)

    header = ("figure", "value", "baseline", "ratio", "target", "")
    out = [header]
    for figure, value, unit, base, target in table.rows:
        state, text = verdict(value, base, target)
        out.append((figure, f"{value:.3f} {unit}", f"{base:.3f} {unit}" if base else "-",
                    f"{value / base:.2f}" if base else "-", text, state))
    widths = [max(len(r[i]) for r in out) for i in range(len(header))]
    for i, r in enumerate(out):
        print("  ".join(c.ljust(w) if k in (0, 4, 5) else c.rjust(w)
                        for k, (c, w) in enumerate(zip(r, widths))).rstrip())
        if i == 0:
            print("  ".join("-" * w for w in widths))
    for e in table.errors:
        print("UNREAD  " + e)
    if not table.rows:
        print("no benchmark output")
        return 1
    return 1 if table.errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
