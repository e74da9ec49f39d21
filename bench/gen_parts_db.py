#!/usr/bin/env python3
"""Writes a synthetic electronic-parts database and the files its peers load.

The database looks like a component library: ten families (resistors,
capacitors, logic, ...) of ten subcategories of ten series each, 1,111
categories below and including the root plus /links/; parts named like
manufacturer part numbers (R0603F-10K-000123, SN74HC00-000456, ...) with
eight property pairs each (Footprint, Value, Tolerance, Manufacturer,
MfrPartNumber, Description, Voltage, Temperature), a symbol in a symbol
library, a template and an HDL kind. A few percent of the parts are listed
again by a part reference in another series, and a few subcategories are
designated by category references, under /links/ and inside two families.

Everything comes from one seeded generator, so the same arguments give the
same bytes. Written files, for PREFIX given by --out:

  PREFIX.db              the ASCII database, byte for byte as pdb:save
                         writes it (every category with its parts, then
                         every category again with its references)
  PREFIX.parts.tsv       id name symbol library template description hdl
  PREFIX.props.tsv       part seq key value
  PREFIX.categories.tsv  id path parent name help (the root's parent is 0)
  PREFIX.members.tsv     category part home (1 for the home listing)
  PREFIX.catrefs.tsv     parent target last-component-of-target

The tab-separated files hold no tab, newline or backslash; they are what
the SQLite peer imports and the C++ scan peer reads. A summary of the
fractions that the benchmark queries select goes to standard error.
"""

import argparse
import sys

FORMAT = 2  # bump when the output changes, so cached files are rebuilt

PROPERTY_NAMES = ("Footprint", "Value", "Tolerance", "Manufacturer",
                  "MfrPartNumber", "Description", "Voltage", "Temperature")

SUBCATEGORY_WORDS = ("general", "precision", "power", "automotive",
                     "highvoltage", "lowprofile", "arrays", "smd", "tht",
                     "legacy")

MAKERS = ("Ohmcraft", "Vishtek", "Kemron", "Yagard", "Murota", "Texor",
          "Analogic", "Nexpira", "Onsemia", "Diodex", "Wurthel", "Molak",
          "Abracon", "Linear Works")

# A value picked by weight: (value, weight) pairs.
RESISTOR_VALUES = (("10k", 12), ("4.7k", 6), ("1k", 8), ("100k", 6),
                   ("100", 5), ("22", 3), ("47k", 4), ("2.2k", 4),
                   ("330", 3), ("1M", 2), ("0", 3), ("15k", 2), ("68k", 2),
                   ("1.5k", 2), ("220k", 2), ("3.3k", 3), ("470", 2),
                   ("33k", 2), ("12k", 2), ("2.7k", 1), ("5.6k", 1),
                   ("8.2k", 1), ("39k", 1), ("820", 1))
CAPACITOR_VALUES = (("100n", 14), ("10u", 6), ("1u", 6), ("10n", 5),
                    ("4.7u", 4), ("22p", 3), ("1n", 3), ("47u", 2),
                    ("220n", 2), ("100p", 2), ("2.2u", 2), ("470n", 1))
INDUCTOR_VALUES = (("10u", 5), ("4.7u", 4), ("2.2u", 3), ("100u", 2),
                   ("1u", 2), ("22u", 2), ("470n", 1))
CASES = (("0402", 3), ("0603", 5), ("0805", 3), ("1206", 1))


class Rng:
    """Seeded generator; uses only random.Random.random(), whose stream
    Python keeps stable across versions."""

    def __init__(self, seed):
        import random
        self.random = random.Random(seed).random

    def below(self, n):
        return min(int(self.random() * n), n - 1)

    def pick(self, items):
        return items[self.below(len(items))]

    def weighted(self, pairs):
        total = sum(w for _, w in pairs)
        x = self.random() * total
        for value, weight in pairs:
            x -= weight
            if x < 0:
                return value
        return pairs[-1][0]


def resistor(rng, n):
    case = rng.weighted(CASES)
    value = rng.weighted(RESISTOR_VALUES)
    tol = rng.weighted((("1%", 3), ("5%", 2), ("0.1%", 1)))
    code = {"1%": "F", "5%": "J", "0.1%": "B"}[tol]
    name = "R%s%s-%s-%06d" % (case, code, value.upper().replace(".", "R"), n)
    mpn = "RC%s%sR-07%sL" % (case, code, value.upper().replace(".", "R"))
    return (name, rng.pick(("res", "res_us", "res_eu")), "passive",
            (case, value, tol, rng.pick(MAKERS[:3]), mpn,
             "Resistor %s %s %s" % (value, tol, case),
             rng.pick(("50V", "75V", "150V")), "-55..155C"),
            "resistor", "Resistor", rng.weighted((("kelm", 8), ("none", 2))))


def capacitor(rng, n):
    case = rng.weighted(CASES)
    value = rng.weighted(CAPACITOR_VALUES)
    diel = rng.pick(("X7R", "X5R", "C0G", "Y5V"))
    volts = rng.pick(("6.3V", "10V", "16V", "25V", "50V"))
    name = "C%s%s-%s-%06d" % (case, diel, value.upper().replace(".", "U"), n)
    return (name, rng.pick(("cap", "cap_pol")), "passive",
            (case, value, rng.pick(("10%", "20%", "5%")), rng.pick(MAKERS[3:6]),
             "GRM%s%s%s" % (case, diel, value.upper()),
             "Capacitor %s %s %s" % (value, volts, diel), volts, "-55..125C"),
            "capacitor", "Capacitor", rng.weighted((("kelm", 8), ("none", 2))))


def logic(rng, n):
    series = rng.pick(("HC", "HCT", "LVC", "AHC", "LS", "ACT"))
    function = rng.pick(("00", "02", "04", "08", "14", "32", "74", "86",
                         "125", "138", "157", "244", "245", "273", "374",
                         "595", "1G08", "2G14"))
    base = "74%s%s" % (series, function)
    prefix = rng.weighted((("SN", 5), ("", 3), ("MC", 1), ("CD", 1)))
    package = rng.weighted((("SOIC-14", 4), ("TSSOP-14", 3), ("DIP-14", 2),
                            ("QFN-16", 1), ("SOIC-16", 2), ("SOT-23-5", 1)))
    return ("%s%s-%06d" % (prefix, base, n), base.lower(), "logic",
            (package, base, "", rng.pick(MAKERS[5:9]),
             "%s%sD" % (prefix, base), "Logic %s %s" % (base, package),
             rng.pick(("2..6V", "1.65..5.5V", "4.5..5.5V")), "-40..85C"),
            "digital", "Logic gate",
            rng.weighted((("vhdl", 6), ("kelm", 4))))


def analog(rng, n):
    base = rng.pick(("LM358", "TL072", "NE5532", "OPA2134", "LM324",
                     "MCP6002", "AD8605", "LM393", "TLV9062", "LT1013"))
    package = rng.weighted((("SOIC-8", 6), ("DIP-8", 2), ("MSOP-8", 2),
                            ("SOT-23-5", 2), ("SOIC-14", 1)))
    return ("%s-%06d" % (base, n), "opamp", "analog",
            (package, base, "", rng.pick(MAKERS[5:10]), base + "DR",
             "Operational amplifier %s" % base,
             rng.pick(("3..32V", "+-18V", "1.8..6V")), "-40..125C"),
            "opamp", "Operational amplifier",
            rng.weighted((("kelm", 7), ("vhdl", 1), ("none", 2))))


def transistor(rng, n):
    base, symbol = rng.pick((("BC847B", "npn"), ("BC857B", "pnp"),
                             ("2N3904", "npn"), ("2N3906", "pnp"),
                             ("BSS138", "nmos"), ("IRLML2502", "nmos"),
                             ("AO3401", "pmos"), ("MMBT4401", "npn")))
    package = rng.weighted((("SOT-23", 6), ("TO-92", 2), ("SOT-223", 1),
                            ("TO-220", 1)))
    return ("%s-%06d" % (base, n), symbol, "discrete",
            (package, base, "", rng.pick(MAKERS[6:11]), base,
             "Transistor %s %s" % (base, package),
             rng.pick(("20V", "30V", "45V", "60V")), "-55..150C"),
            "transistor", "Transistor",
            rng.weighted((("kelm", 8), ("none", 2))))


def diode(rng, n):
    base, symbol = rng.pick((("1N4148W", "diode"), ("BAT54", "schottky"),
                             ("1N5819", "schottky"), ("BZX84C3V3", "zener"),
                             ("LED-RED", "led"), ("LED-GREEN", "led"),
                             ("SMBJ5.0A", "tvs")))
    package = rng.weighted((("SOD-123", 4), ("SOD-323", 2), ("SOT-23", 2),
                            ("0603", 2), ("SMB", 1)))
    return ("%s-%06d" % (base, n), symbol, "discrete",
            (package, base, "", rng.pick(MAKERS[8:12]), base,
             "Diode %s %s" % (base, package),
             rng.pick(("30V", "40V", "75V", "100V")), "-55..150C"),
            "diode", "Diode", rng.weighted((("kelm", 8), ("none", 2))))


def inductor(rng, n):
    case = rng.pick(("0805", "1210", "4x4", "6x6"))
    value = rng.weighted(INDUCTOR_VALUES)
    return ("L%s-%s-%06d" % (case, value.upper().replace(".", "U"), n), "ind",
            "passive",
            (case, value, "20%", rng.pick(MAKERS[9:12]), "LQH%s%s" %
             (case, value.upper()), "Inductor %s %s" % (value, case),
             "", "-40..125C"),
            "inductor", "Inductor", rng.weighted((("kelm", 7), ("none", 3))))


def connector(rng, n):
    pins = 2 + rng.below(39)
    rows = rng.pick((1, 2))
    kind = rng.pick(("HDR", "JST", "USB", "RJ45"))
    return ("CONN-%s-%dX%02d-%06d" % (kind, rows, pins, n), "conn", "mech",
            ("%s-%dX%02d" % (kind, rows, pins), "%dx%02d" % (rows, pins), "",
             rng.pick(MAKERS[11:13]), "%s%d%02d" % (kind, rows, pins),
             "Connector %s %dx%d" % (kind, rows, pins), "250V", "-40..105C"),
            "", "", "none")


def crystal(rng, n):
    freq = rng.weighted((("32.768kHz", 4), ("16MHz", 3), ("8MHz", 2),
                         ("25MHz", 2), ("10kHz", 1), ("12MHz", 2)))
    package = rng.pick(("HC49", "3225", "2012", "5032"))
    return ("XTAL-%s-%06d" % (freq.upper().replace(".", "K"), n), "crystal",
            "timing",
            (package, freq, "20ppm", rng.pick(MAKERS[12:]), "X%s" %
             freq.upper(), "Crystal %s %s" % (freq, package), "", "-20..70C"),
            "crystal", "Quartz crystal",
            rng.weighted((("kelm", 6), ("none", 4))))


def power(rng, n):
    base = rng.pick(("REG1117-3V3", "REG1117-5V0", "LM7805", "TPS5430",
                     "MP1584", "LDO3985-1V8", "RT9013-2V8"))
    package = rng.weighted((("SOT-223", 3), ("SOIC-8", 3), ("TO-220", 2),
                            ("SOT-23-5", 2), ("QFN-16", 1)))
    return ("%s-%06d" % (base, n), "regulator", "power",
            (package, base, "2%", rng.pick(MAKERS[5:10]), base,
             "Regulator %s %s" % (base, package),
             rng.pick(("4.5..15V", "2.5..6V", "7..35V")), "-40..125C"),
            "regulator", "Voltage regulator",
            rng.weighted((("kelm", 6), ("vhdl", 2), ("none", 2))))


# family, short name, share of the parts, help text, maker
FAMILIES = (("resistors", "res", 30, "Fixed resistors", resistor),
            ("capacitors", "cap", 25, "Capacitors", capacitor),
            ("logic", "lgc", 8, "Digital logic", logic),
            ("analog", "ana", 6, "Amplifiers and comparators", analog),
            ("transistors", "trn", 8, "", transistor),
            ("diodes", "dio", 7, "Diodes and LEDs", diode),
            ("inductors", "ind", 5, "", inductor),
            ("connectors", "con", 4, "Connectors", connector),
            ("crystals", "xtl", 3, "", crystal),
            ("power", "pwr", 4, "Power management", power))


def build_tree(rng):
    """The categories in pre-order as (path, help); the series (leaves) of
    each family; and the category references as (parent, target)."""
    tree = [("/", "")]
    series = {}
    subcategories = []
    for family, short, _, help_text, _ in FAMILIES:
        top = "/%s/" % family
        tree.append((top, help_text))
        series[family] = []
        for word in SUBCATEGORY_WORDS:
            sub = "%s%s_%s/" % (top, short, word)
            tree.append((sub, "" if rng.below(3) else
                         "%s, %s" % (help_text or family, word)))
            subcategories.append(sub)
            for k in range(10):
                leaf = "%s%s_%s_%d/" % (sub, short, word, k)
                tree.append((leaf, ""))
                series[family].append(leaf)
    tree.append(("/links/", "Shortcuts"))
    refs = []
    targets = list(subcategories)
    for _ in range(12):
        refs.append(("/links/", targets.pop(rng.below(len(targets)))))
    # Two references inside families, to subcategories of other families.
    for family, target_family in (("analog", "power"), ("logic", "connectors")):
        pick = [t for t in targets if t.startswith("/%s/" % target_family)]
        target = pick[rng.below(len(pick))]
        targets.remove(target)
        refs.append(("/%s/" % family, target))
    return tree, series, refs


def tcl_element(text):
    """One Tcl list element: bare when that is safe, else braced. The
    generated strings hold no braces, backslashes or line breaks."""
    if text and not any(c in text for c in ' \t"$;[]{}\\'):
        return text
    return "{%s}" % text


def tcl_list(items):
    return " ".join(tcl_element(x) for x in items)


def category_line(path, help_text):
    if help_text:
        return "{[category]} %s %s\n" % (path, tcl_element(help_text))
    return "[category] %s\n" % path


def parent_of(path):
    return path[:path.rstrip("/").rfind("/") + 1] if path != "/" else ""


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--parts", type=int, default=100000)
    ap.add_argument("--partrefs", type=float, default=0.05,
                    help="fraction of parts also listed by a part reference")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--out", required=True, help="prefix of the output files")
    args = ap.parse_args()

    rng = Rng(args.seed)
    tree, series, refs = build_tree(rng)
    shares = [(index, f[2]) for index, f in enumerate(FAMILIES)]

    parts = []           # (name, symbol, lib, props, template, desc, hdl)
    homed = {path: [] for path, _ in tree}
    for n in range(args.parts):
        family = FAMILIES[rng.weighted(shares)]
        parts.append(family[4](rng, n))
        homed[rng.pick(series[family[0]])].append(n)

    listed_by_ref = {path: [] for path, _ in tree}
    leaves = [leaf for family in FAMILIES for leaf in series[family[0]]]
    home_of = {n: path for path, members in homed.items() for n in members}
    for _ in range(int(args.parts * args.partrefs)):
        n = rng.below(args.parts)
        where = rng.pick(leaves)
        if where != home_of[n] and n not in listed_by_ref[where]:
            listed_by_ref[where].append(n)
    refs_under = {path: [] for path, _ in tree}
    for parent, target in refs:
        refs_under[parent].append(target)

    category_id = {path: i + 1 for i, (path, _) in enumerate(tree)}
    out = args.out
    with open(out + ".db", "w", newline="\n") as db, \
            open(out + ".parts.tsv", "w", newline="\n") as parts_tsv, \
            open(out + ".props.tsv", "w", newline="\n") as props_tsv, \
            open(out + ".members.tsv", "w", newline="\n") as members_tsv:
        for path, help_text in tree:
            db.write(category_line(path, help_text))
            for n in homed[path]:
                name, symbol, lib, values, template, desc, hdl = parts[n]
                pairs = [x for pair in zip(PROPERTY_NAMES, values)
                         for x in pair]
                db.write("[part] %s {%s} {%s} %s\n" % (
                    tcl_element(name),
                    tcl_list((symbol, lib, tcl_list(pairs))),
                    tcl_list((template, desc)), hdl))
                parts_tsv.write("%d\t%s\t%s\t%s\t%s\t%s\t%s\n" % (
                    n + 1, name, symbol, lib, template, desc, hdl))
                for seq, (key, value) in enumerate(zip(PROPERTY_NAMES,
                                                       values)):
                    props_tsv.write("%d\t%d\t%s\t%s\n" % (n + 1, seq, key,
                                                          value))
                members_tsv.write("%d\t%d\t1\n" % (category_id[path], n + 1))
        for path, help_text in tree:
            db.write(category_line(path, help_text))
            for n in listed_by_ref[path]:
                db.write("[part=] %s\n" % tcl_element(parts[n][0]))
                members_tsv.write("%d\t%d\t0\n" % (category_id[path], n + 1))
            for target in refs_under[path]:
                db.write("[category=] %s\n" % target)

    with open(out + ".categories.tsv", "w", newline="\n") as f:
        for path, help_text in tree:
            parent = parent_of(path)
            name = path.rstrip("/").rsplit("/", 1)[-1] if path != "/" else "/"
            f.write("%d\t%s\t%d\t%s\t%s\n" % (
                category_id[path], path, category_id.get(parent, 0), name,
                help_text))
    with open(out + ".catrefs.tsv", "w", newline="\n") as f:
        for parent, target in refs:
            f.write("%d\t%s\t%s\n" % (category_id[parent], target,
                                      target.rstrip("/").rsplit("/", 1)[-1]))

    summarize(parts, tree, refs)


def summarize(parts, tree, refs):
    """Prints what fraction of the parts the benchmark's patterns select."""
    import fnmatch
    total = max(len(parts), 1)

    def share(test):
        return "%.1f%%" % (100.0 * sum(1 for p in parts if test(p)) / total)

    names = [
        ("-name R*", lambda p: p[0].startswith("R")),
        ("-name *74*", lambda p: "74" in p[0]),
        ("-propvalues {{Footprint *SOIC*}}", lambda p: "SOIC" in p[3][0]),
        ("-propvalues {{* *10k*}}",
         lambda p: any(fnmatch.fnmatchcase(v, "*10k*") for v in p[3])),
    ]
    sys.stderr.write("%d parts, %d categories, %d category references\n"
                     % (len(parts), len(tree), len(refs)))
    for label, test in names:
        sys.stderr.write("  %-34s %s\n" % (label, share(test)))


if __name__ == "__main__":
    main()
