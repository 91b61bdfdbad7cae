#!/usr/bin/env python3
"""Writes the demo data of the register as SQL in Windows-1250 to stdout.

The data are deterministic for a given size: firms with IČO and Czech
addresses, the seed price list, the other code lists, crop-field applications
in `epri` (some matching licence-fee records) and licence-fee records over
several years and periods, some paid and some not.

    demo_data.py [--records N]     N licence-fee records (default 5000)
"""
import argparse
import random
import sys

TOWNS = [("Úžice", "277 45"), ("Žďár nad Sázavou", "591 01"), ("Česká Třebová", "560 02"),
         ("Kroměříž", "767 01"), ("Hradec Králové", "500 02"), ("Týn nad Vltavou", "375 01"),
         ("Chrudim", "537 01"), ("Třeboň", "379 01"), ("Dačice", "380 01"), ("Štětí", "411 08"),
         ("Pelhřimov", "393 01"), ("Vyškov", "682 01"), ("Šumperk", "787 01"), ("Litomyšl", "570 01"),
         ("Rožnov pod Radhoštěm", "756 61"), ("Kutná Hora", "284 01"), ("Lysá nad Labem", "289 22"),
         ("Bučovice", "685 01"), ("Opočno", "517 73"), ("Nové Město na Moravě", "592 31")]
STREETS = ["Družstevní", "Nádražní", "Zemědělská", "Hlavní", "Školní", "Polní", "Za Humny", "Třída Míru",
           "U Mlýna", "Křižíkova", "Husova", "Žižkova", "Palackého", "Sokolská", "Lidická"]
FIRM_KINDS = ["Zemědělské družstvo {t}", "ZOD {t}", "AGRO {t} s.r.o.", "Rostlinná výroba {t} a.s.",
              "Statek {t} s.r.o.", "Zemědělská společnost {t} a.s.", "Ekofarma {t}", "Osiva {t} s.r.o."]
SURNAMES = ["Dvořák", "Novák", "Šťastný", "Černý", "Procházka", "Kučera", "Veselý", "Horák", "Němec",
            "Pokorný", "Marek", "Růžička", "Beneš", "Fiala", "Sedláček", "Doležal", "Zeman", "Kolář"]
# (code, name, Latin name, unit, fee per unit, varieties)
CROPS = [(1, "pšenice ozimá", "Triticum aestivum", "kg", 1.10, ["Bohemia", "Sultan", "Tobak", "Julie", "Rivero"]),
         (2, "ječmen jarní", "Hordeum vulgare", "kg", 1.25, ["Bojos", "Laudis", "Sebastian", "Kangoo"]),
         (3, "ječmen ozimý", "Hordeum vulgare", "kg", 1.20, ["Wintmalt", "Sandra", "Zenit"]),
         (4, "žito ozimé", "Secale cereale", "kg", 1.40, ["Dańkowskie Złote", "Selgo", "Matador"]),
         (5, "oves setý", "Avena sativa", "kg", 0.95, ["Vok", "Zvolen", "Atego"]),
         (6, "tritikale", "Triticosecale", "kg", 1.05, ["Kasyno", "Tulus", "Ramdam"]),
         (7, "hrách setý", "Pisum sativum", "kg", 1.60, ["Gambit", "Astronaute", "Salamanca"]),
         (8, "řepka ozimá", "Brassica napus", "VJ", 210.00, ["Rohan", "Šohaj", "Ladoga"]),
         (9, "kukuřice", "Zea mays", "VJ", 180.00, ["Kvinta", "Ronaldinio", "Žofie"]),
         (10, "brambory sadbové", "Solanum tuberosum", "t", 950.00, ["Bellarosa", "Red Anna", "Žerotín"]),
         (11, "jetel luční", "Trifolium pratense", "kg", 9.50, ["Tatra", "Spurt"]),
         (12, "mák setý", "Papaver somniferum", "kg", 12.00, ["Opál", "Major", "Orel"])]
GRADES = ["C1", "C2", "ZO", "SE", "E"]
DISTRICTS = [("CZ0201", "Benešov", "Středočeský"), ("CZ0531", "Chrudim", "Pardubický"),
             ("CZ0634", "Třebíč", "Vysočina"), ("CZ0721", "Kroměříž", "Zlínský"),
             ("CZ0313", "Jindřichův Hradec", "Jihočeský"), ("CZ0642", "Brno-venkov", "Jihomoravský"),
             ("CZ0523", "Náchod", "Královéhradecký"), ("CZ0715", "Šumperk", "Olomoucký")]
PERIODS = ["0  běžný příjem", "1  čištění ve mzdě", "2  dokup osiva", "3  čištění pod plombu", "4  přeložení partie"]
NOTES = ["", "", "", "fakturováno zálohově", "přeúčtováno", "dobropis č. 12", "spor o množství", "úhrada převodem"]


def q(text):
    """A quoted SQL text (the demo data hold no backslashes)."""
    return "'" + str(text).replace("'", "''") + "'"


def ico(rng):
    """An IČO with a valid check digit."""
    digits = [rng.randrange(10) for _ in range(7)]
    total = sum(d * w for d, w in zip(digits, range(8, 1, -1)))
    check = (11 - total % 11) % 10
    return "".join(map(str, digits)) + str(check)


class Batch:
    """Collects rows of one table and writes them as multi-row inserts."""

    def __init__(self, out, table, columns, size=1000):
        self.out, self.head, self.rows, self.size = out, f"INSERT INTO {table} ({','.join(columns)}) VALUES\n", [], size

    def add(self, *values):
        self.rows.append("(" + ",".join(values) + ")")
        if len(self.rows) >= self.size:
            self.flush()

    def flush(self):
        if self.rows:
            self.out.write(self.head + ",\n".join(self.rows) + ";\n")
            self.rows = []


def num(value, places=2):
    return f"{value:.{places}f}"


def firms(out, rng, count):
    result = []
    batch = Batch(out, "adresar", ["zadatel", "ico", "dic", "nazevpodni", "sidlo", "ulicecislo", "psc", "posta",
                                   "kodpar", "kod_platce", "telefon", "lic_vnitro"])
    for i in range(1, count + 1):
        town, psc = rng.choice(TOWNS)
        name = rng.choice(FIRM_KINDS).format(t=town) if rng.random() < 0.8 else \
            f"{rng.choice(SURNAMES)} {rng.choice(['Jan', 'Petr', 'Jiří', 'Tomáš', 'Zdeněk'])} - soukromý zemědělec"
        firm = {"zadatel": f"Z{i:05d}", "ico": ico(rng), "nazev": name[:60], "kodpar": f"P{rng.randrange(10000, 99999)}"}
        batch.add(q(firm["zadatel"]), q(firm["ico"]), q("CZ" + firm["ico"]), q(firm["nazev"]), q(town),
                  q(f"{rng.choice(STREETS)} {rng.randrange(1, 999)}"), q(psc.replace(" ", "")), q(town),
                  q(firm["kodpar"]), q(f"K{i:05d}"), q(f"+420 {rng.randrange(200, 799)} {rng.randrange(100000, 999999)}"),
                  q("A" if rng.random() < 0.1 else "N"))
        result.append(firm)
    batch.flush()
    return result


def price_list(out, rng):
    items = []
    batch = Batch(out, "cenik", ["NOMENKLA", "NAZEVOSIVA", "MJ", "NC", "PC", "DAN", "KOEF", "DRUH", "ODRUDA", "STUPEN",
                                 "NAZ_DRU", "NAZ_ODRU", "DALSIROZDE", "VAHAO", "prace"])
    for code, crop, _, unit, fee, varieties in CROPS:
        for v, variety in enumerate(varieties, 1):
            for grade in GRADES[: rng.randrange(2, 5)]:
                item = {"nomenkla": f"{code:02d}{v:02d}{GRADES.index(grade):01d}{rng.randrange(100, 999)}",
                        "nazev": f"{crop} {variety} {grade}"[:40], "mj": unit, "druh": str(code),
                        "odruda": f"{code:02d}{v:02d}", "stupen": grade, "naz_dru": crop, "naz_odru": variety,
                        "fee": round(fee * rng.uniform(0.9, 1.2), 2)}
                price = round(item["fee"] * rng.uniform(8, 14), 2)
                prace = f"{code:02d}/{v:02d}-{rng.randrange(1, 99):02d}" if rng.random() < 0.4 else ""
                batch.add(q(item["nomenkla"]), q(item["nazev"]), q(unit), num(price), num(price * 1.21),
                          str(rng.choice([10, 15, 21])), num(rng.choice([1, 1, 1.5, 2.0]), 3), str(code),
                          q(item["odruda"]), q(grade), q(crop), q(variety), q(rng.choice(["", "mořené", "nemořené"])),
                          num(rng.choice([25, 50, 500, 1000]), 1), q(prace))
                items.append(item)
    batch.flush()
    return items


def code_lists(out, rng):
    b = Batch(out, "okres", ["kod", "nazev", "kraj"])
    for code, name, region in DISTRICTS:
        b.add(q(code), q(name), q(region))
    b.flush()
    b = Batch(out, "ku", ["kod", "nazev", "okres"])
    for i, (town, _) in enumerate(TOWNS):
        b.add(q(f"{600000 + i * 17:06d}"), q(town), q(DISTRICTS[i % len(DISTRICTS)][0]))
    b.flush()
    b = Batch(out, "dealertopc", ["dealer", "jmeno", "pc", "stredisko"])
    for i in range(1, 9):
        b.add(q(f"D{i:03d}"), q(f"{rng.choice(SURNAMES)} {rng.choice(['Karel', 'Pavel', 'Marie', 'Jana'])}"),
              q(f"{i:02d}"), q(f"S{i:02d}"))
    b.flush()
    b = Batch(out, "druh", ["kod", "nazev", "latinsky"])
    for code, crop, latin, *_ in CROPS:
        b.add(str(code), q(crop), q(latin))
    b.flush()
    b = Batch(out, "odruda", ["KOD", "NAZEV", "DRUH", "ZASTUPCE"])
    for code, _, _, _, _, varieties in CROPS:
        for v, variety in enumerate(varieties, 1):
            b.add(q(f"{code:02d}{v:02d}"), q(variety), str(code), q(rng.choice(["SELGEN a.s.", "Oseva Agri", "Hodowla Roślin"])))
    b.flush()


def date_text(rng, year):
    return f"{year}-{rng.randrange(1, 13):02d}-{rng.randrange(1, 29):02d}"


def records(out, rng, count, firm_list, items):
    """Licence-fee records; returns (year, firm, item) triples for applications."""
    batch = Batch(out, "zarnzada", ["zadatel", "ico", "nazevpodni", "kodpar", "smlouva", "rok", "obdobi", "porizeno",
                                    "partie", "nomenkla", "nazevosiva", "druh", "naz_dru", "odruda", "naz_odru",
                                    "stupen", "mnozstvi", "mj", "poplatek", "suma", "poznamka", "faktura",
                                    "zaplacena", "identifik"])
    keys = []
    for i in range(count):
        firm, item = rng.choice(firm_list), rng.choice(items)
        year = rng.randrange(2019, 2027)
        quantity = round(rng.uniform(0.5, 40) if item["mj"] != "kg" else rng.uniform(200, 25000), 1)
        total = round(quantity * item["fee"], 2)
        paid = date_text(rng, min(year + 1, 2026)) if rng.random() < 0.6 else "1900-01-01"
        pc = f"{rng.randrange(1, 9):02d}"
        stamp = f"{year % 100:02d}{rng.randrange(1, 13):02d}{rng.randrange(1, 29):02d}{rng.randrange(7, 17):02d}0000"
        batch.add(q(firm["zadatel"]), q(firm["ico"]), q(firm["nazev"]), q(firm["kodpar"]),
                  q(f"SML-{year}-{rng.randrange(1, 400):03d}"), q(str(year)), q(rng.choice(PERIODS)),
                  q(date_text(rng, year)), q(f"{item['odruda']}/{year % 100:02d}/{rng.randrange(1, 999):03d}"),
                  q(item["nomenkla"]), q(item["nazev"]), q(item["druh"]), q(item["naz_dru"]), q(item["odruda"]),
                  q(item["naz_odru"]), q(item["stupen"]), num(quantity, 1), q(item["mj"]), num(item["fee"]),
                  num(total), q(rng.choice(NOTES)), q(f"F{year}{i:06d}" if paid != "1900-01-01" or rng.random() < 0.5 else ""),
                  q(paid), q(pc + pc + stamp))
        if i % 3 == 0:
            keys.append((str(year), firm["zadatel"], item["nomenkla"]))
    batch.flush()
    return keys


def applications(out, rng, keys):
    batch = Batch(out, "epri", ["rok", "podnik", "nomenkla", "ku", "vymera", "mnozstvi", "plan"])
    for year, firm, nomenkla in keys:
        for _ in range(rng.randrange(1, 3)):
            area = round(rng.uniform(0.5, 60), 2)
            batch.add(q(year), q(firm), q(nomenkla), q(f"{600000 + rng.randrange(20) * 17:06d}"), num(area),
                      num(area * rng.uniform(3, 8) * 1000, 1), num(area * rng.uniform(3, 8) * 1000, 1))
    batch.flush()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--records", type=int, default=5000, help="licence-fee records to generate")
    args = parser.parse_args()
    rng = random.Random(20061205)
    out = open(sys.stdout.fileno(), "w", encoding="cp1250", errors="replace", newline="\n", closefd=False)
    out.write("SET NAMES cp1250;\nUSE tarvol;\nSET autocommit=0;\n")
    firm_list = firms(out, rng, max(50, min(3000, args.records // 100)))
    items = price_list(out, rng)
    code_lists(out, rng)
    keys = records(out, rng, args.records, firm_list, items)
    applications(out, rng, keys)
    out.write("COMMIT;\n")
    out.flush()


if __name__ == "__main__":
    main()
