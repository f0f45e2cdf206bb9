#!/usr/bin/python3
"""Class sets written by `virdamo --pdf` and read back as a teacher would look at them:
where each text stands, its size, and the tints under the squares. One case a row of CASES;
the program's path is the first argument. Exits 1 naming every check that failed."""

import os
import re
import subprocess
import sys
import tempfile

from pdfminer.high_level import extract_pages
from pdfminer.layout import LTChar, LTContainer, LTRect

PROGRAM = sys.argv[1]
MM = 72 / 25.4  # points in a millimetre
SHEET = ["--moltiplicando", "4", "--moltiplicatore", "3", "--prova-del-nove", "--mostra-riporti"]
FAILURES = []


def check(ok, what):
    if not ok:
        FAILURES.append(what)
    return ok


class Text:
    """Characters of one size next to each other on one baseline: a digit, "12)", "da"."""

    def __init__(self, char):
        self.text, self.size, self.fill = char.get_text(), char.size, None
        self.x0, self.x1, self.y0, self.y1 = char.x0, char.x1, char.y0, char.y1

    def centre(self):
        return ((self.x0 + self.x1) / 2, (self.y0 + self.y1) / 2)


def leaves(o):
    if isinstance(o, LTContainer):
        for child in o:
            yield from leaves(child)
    else:
        yield o


def read(pdf):
    """Each page as (texts, fills), a fill being (x0, y0, x1, y1, rgb)."""
    pages = []
    for page in extract_pages(pdf):
        texts, fills = [], []
        for o in leaves(page):
            if isinstance(o, LTChar) and o.get_text().strip():
                last = texts[-1] if texts else None
                if last and abs(last.size - o.size) < 0.01 and abs(last.y0 - o.y0) < 0.01 and abs(o.x0 - last.x1) < 0.5:
                    last.text, last.x1 = last.text + o.get_text(), o.x1
                else:
                    texts.append(Text(o))
            elif isinstance(o, LTRect) and o.fill:
                fills.append((o.x0, o.y0, o.x1, o.y1, tuple(round(c, 3) for c in o.non_stroking_color)))
        pages.append((texts, fills))
    return pages


def numbers(texts):
    """The operations' numbers of a page, "7)", with where each stands."""
    return {t.text: t.centre() for t in texts if re.fullmatch(r"\d+\)", t.text)}


def write(scratch, name, arguments, names=None):
    pdf = os.path.join(scratch, name + ".pdf")
    extra = []
    if names is not None:
        names_file = os.path.join(scratch, name + ".txt")
        with open(names_file, "w", encoding="utf-8") as f:
            f.write("\n".join(names) + "\n")
        extra = ["--alunni", names_file]
    sheets = [] if names is not None else ["--schede", "1"]
    subprocess.run([PROGRAM, "--pdf", pdf] + sheets + arguments + extra, check=True, capture_output=True)
    return pdf


def half(pages):
    return pages[: len(pages) // 2], pages[len(pages) // 2:]


def case_balanced(scratch):
    pupils, solutions = half(read(write(scratch, "balanced", SHEET + ["--quadretti", "5"])))
    check([len(numbers(t)) for t, _ in pupils] == [10, 10], "20 operations of 4 x 3 at 5 mm go 10 and 10")
    everyone = [n for t, _ in pupils for n in numbers(t)]
    check(sorted(everyone) == sorted(f"{k})" for k in range(1, 21)), "1) to 20) once each")
    for (p, _), (s, _) in zip(pupils, solutions):
        check(numbers(p) == numbers(s), "the numbers stand in the same places on pupils' and solution pages")


def case_per_page(scratch):
    pages = read(write(scratch, "four", SHEET + ["--quadretti", "5", "--per-pagina", "4"]))
    check(len(pages) == 10 and all(len(numbers(t)) <= 4 for t, _ in pages), "--per-pagina 4: at most 4 a page")


def tinted(fills, point):
    return [rgb for x0, y0, x1, y1, rgb in fills if x0 <= point[0] <= x1 and y0 <= point[1] <= y1]


def columns_of_block(texts, number):
    """The labels of the block numbered number, right to left, and the centre of each."""
    corner = numbers(texts)[number]
    square = 5 * MM
    row = [t for t in texts if abs(t.centre()[1] - corner[1]) < 1 and corner[0] < t.centre()[0] < corner[0] + 8 * square]
    return sorted(row, key=lambda t: -t.centre()[0])


def case_labels_and_tints(scratch):
    pdf = write(scratch, "columns", SHEET + ["--quadretti", "5", "--etichette-colonne", "--colori-colonne"])
    texts, fills = read(pdf)[0]
    labels = columns_of_block(texts, "1)")
    check([t.text for t in labels[:4]] == ["u", "da", "h", "k"], "u da h k right to left over the columns")
    square = 5 * MM
    steps = [labels[i].centre()[0] - labels[i + 1].centre()[0] for i in range(3)]
    check(all(abs(s - square) < 0.1 for s in steps), "one label to a square")
    digits = [t for t in texts if t.text.isdigit() and t.size > 10 and t.centre()[1] < labels[0].centre()[1]
              and labels[3].x0 - square < t.centre()[0] < labels[0].x1]
    units = max(digits, key=lambda t: (t.centre()[1], t.centre()[0]))  # the multiplicand's units
    check(abs(units.centre()[0] - labels[0].centre()[0]) < 0.1, "the units label over the units column")
    colours = [tinted(fills, l.centre()) for l in labels[:4]]
    check(all(len(c) == 1 for c in colours) and len({c[0] for c in colours}) == 4,
          "units, tens, hundreds and thousands each tinted, in four colours")
    check(all(min(c[0]) > 0.75 for c in colours if c), "the tints are light")
    # On a grey rendering the digits keep their contrast over their tints.
    subprocess.run(["pdftoppm", "-gray", "-r", "150", "-f", "1", "-l", "1", "-singlefile", pdf,
                    os.path.join(scratch, "grey")], check=True)
    with open(os.path.join(scratch, "grey.pgm"), "rb") as f:
        header = f.read(15).split()
    with open(os.path.join(scratch, "grey.pgm"), "rb") as f:
        raw = f.read()
    width, height = int(header[1]), int(header[2])
    pixels = raw[len(raw) - width * height:]
    scale = 150 / 72

    def luminance(v):
        c = v / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4

    page_height = height / scale
    over_tints = [u for u in digits if tinted(fills, u.centre())]
    check(len(over_tints) >= 4, "digits over the tints to measure")
    for t in over_tints:
        box = [pixels[int((page_height - y) * scale) * width + int(x * scale)]
               for x in (t.x0 + i * (t.x1 - t.x0) / 8 for i in range(1, 8))
               for y in (t.y0 + j * (t.y1 - t.y0) / 8 for j in range(1, 8))]
        ink, ground = min(box), max(box)
        contrast = (luminance(ground) + 0.05) / (luminance(ink) + 0.05)
        check(contrast > 4.5, f"digit {t.text} keeps a contrast of {contrast:.1f} over its tint in grey")


def case_times_table(scratch):
    texts, _ = read(write(scratch, "table", ["--quadretti", "5", "--tavola-pitagorica", "--senza-soluzioni"]))[0]
    corner = [t for t in texts if t.text == "x" and t.size < 10]
    if not check(len(corner) == 1, "one tavola pitagorica on the page"):
        return
    x, y = corner[0].centre()
    square = 5 * MM
    at = {(round((t.centre()[0] - x) / square), round((y - t.centre()[1]) / square)): t.text for t in texts
          if t.size < 10 and -0.5 < (t.centre()[0] - x) / square < 10.5 and -0.5 < (y - t.centre()[1]) / square < 10.5}
    check(at.get((9, 9)) == "81" and at.get((9, 0)) == "9" and at.get((0, 9)) == "9", "81 at row 9 and column 9")
    check(at.get((10, 10)) == "100" and at.get((7, 6)) == "42", "every product in its square")


def factors(texts, square):
    """The multiplicands and multipliers of a pupils' page's operations, by number: the first
    two rows of digits of each block, the rows over them being empty."""
    big = [t for t in texts if t.text.isdigit() and len(t.text) == 1 and t.size > 10]
    found = {}
    for number, (x, y) in numbers(texts).items():
        rows = {}
        for t in big:
            if x < t.centre()[0] < x + 9 * square and t.centre()[1] < y:
                rows.setdefault(round(t.centre()[1]), []).append(t)
        found[number] = tuple("".join(d.text for d in sorted(r, key=lambda d: d.x0))
                              for _, r in sorted(rows.items(), reverse=True))[:2]
    return found


def case_supported_pupil(scratch):
    names = ["Anna Rossi", "Marco Bianchi *", "Lucia Verdi"]
    arguments = SHEET + ["--quadretti", "5", "--codice", "H28T5-CY4TQ", "--senza-soluzioni"]
    marked = read(write(scratch, "marked", arguments, names))
    plain = read(write(scratch, "plain", arguments, [n.rstrip(" *") for n in names]))
    heading = lambda texts: " ".join(t.text for t in sorted(texts, key=lambda t: (-t.y0, t.x0)) if t.size < 11)
    whose = lambda pages, name: [p for p in pages if name in heading(p[0])]
    supported, everyone = whose(marked, "Marco"), whose(plain, "Marco")
    numbered = [n for t, _ in supported for n in numbers(t)]
    check(sorted(numbered, key=lambda n: int(n[:-1])) == [f"{k})" for k in range(1, 11)], "10 operations, 1) to 10)")
    check(all(len(numbers(t)) <= 4 for t, _ in supported), "at most 4 a page")
    digits = [t for p, _ in supported for t in p if t.text.isdigit() and len(t.text) == 1 and t.size > 20]
    check(digits and all(abs(t.size - 10 * MM) < 0.5 for t in digits), "10 mm squares")
    check(any("dak" == t.text for p, _ in supported for t in p), "column labels")
    check(all(fills for _, fills in supported), "column colours")
    check(any(t.text == "81" for p, _ in supported for t in p), "the tavola pitagorica")
    ours = {}
    for t, _ in supported:
        ours.update(factors(t, 10 * MM))
    theirs = {}
    for t, _ in everyone:
        theirs.update(factors(t, 5 * MM))
    check(len(ours) == 10 and all(len(f) == 2 and f == theirs[n] for n, f in ours.items()),
          "the first 10 operations of the pupil's sheet")
    for name in ["Anna", "Lucia"]:
        check([len(numbers(t)) for t, _ in whose(marked, name)] == [10, 10], name + " has the normal pages")


def case_long_name(scratch):
    name = "Maria Alessandra Ludovica Della Gherardesca Visconti di Modr"
    assert len(name) == 60
    for squares in ([], ["--quadretti", "10"], ["--quadretti", "4"]):
        pages = read(write(scratch, "long", SHEET[:4] + squares + ["--senza-soluzioni"], [name]))
        texts = pages[0][0]
        heading = [t for t in texts if t.size < 11 and t.y0 > max(u.y0 for u in texts) - 40]
        check(heading and all(abs(t.size - 10) < 0.01 for t in heading), f"a 60-character name at 10 points {squares}")
        check(any(name.split()[0] in t.text for t in heading), "the name in the heading")


CASES = [case_balanced, case_per_page, case_labels_and_tints, case_times_table, case_supported_pupil, case_long_name]

with tempfile.TemporaryDirectory() as scratch:
    for case in CASES:
        before = len(FAILURES)
        case(scratch)
        print(("FAIL " if len(FAILURES) > before else "ok   ") + case.__name__)
for failure in FAILURES:
    print("failed:", failure)
sys.exit(1 if FAILURES else 0)
