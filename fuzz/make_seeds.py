#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the seed corpus of each fuzz target from generated log lines.

usage: make_seeds.py --generator TRAFIKON_BATCH --out DIR
Writes DIR/<target>/seed-N, one folder per fuzz target.
"""
import argparse
import bz2
import gzip
import lzma
import os
import random
import re
import shutil
import subprocess
import tempfile

FORMATS = {
    "combined": "hlutrsbRU",
    "common": "hlutrsb",
    "iis": "dHNMINNuhURsNNbNN",
}


def generate(batch, fmt, lines, seed, junk="0"):
    out = subprocess.run(
        [batch, "generate", "--lines", str(lines), "--format", fmt, "--months", "1",
         "--seed", str(seed), "--start", "2002-03", "--junk", junk],
        check=True, capture_output=True).stdout
    return out.splitlines()


class Seeds:
    def __init__(self, root, target):
        self.dir = os.path.join(root, target)
        os.makedirs(self.dir, exist_ok=True)
        self.n = 0

    def add(self, data):
        with open(os.path.join(self.dir, "seed-%03d" % self.n), "wb") as f:
            f.write(data)
        self.n += 1


def record(values):
    out = b""
    for i, v in enumerate(values, 1):
        out += b"\\%d;" % i + v
    return out + b"\\%d;" % (len(values) + 1)


def id_list(ids):
    return b"-" + b"".join(b"%d-" % i for i in ids)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--generator", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    rng = random.Random(7)
    logs = {fmt: generate(args.generator, fmt, 60, 11, "0.1") for fmt in FORMATS}
    data_lines = {fmt: [l for l in ls if not l.startswith(b"#")] for fmt, ls in logs.items()}

    # Lines by a format: the format, then a few lines.
    split = Seeds(args.out, "split_line")
    for fmt, codes in FORMATS.items():
        ls = data_lines[fmt]
        for k in range(0, 12, 3):
            split.add(codes.encode() + b"\n" + b"\n".join(ls[k:k + 3]))
    split.add(b"tdH\n[24/Mar/2002:01:37:08 +0100] 2002-03-24 01:37:08")
    split.add(b"dHr\n2002-13-01 25:61:61 \"GET / HTTP/1.0\"")

    # Files to detect, each after a month's format.
    detect = Seeds(args.out, "detect_format")
    for fmt, codes in FORMATS.items():
        detect.add(codes.encode() + b"\n" + b"\n".join(logs[fmt][:8]))
    detect.add(b"dHhMIsb\n#Fields: date time c-ip cs-method cs-uri-stem sc-status\n"
               b"2002-03-01 10:00:00 10.0.0.1 GET \"/a b\" 200")

    # Record lines and id lists.
    rec = Seeds(args.out, "tagged_record")
    for k, line in enumerate(data_lines["combined"][:12]):
        m = re.search(rb'"\S+ (\S+)', line)
        path = m.group(1) if m else b"/"
        ids = sorted(rng.sample(range(500), 4))
        rec.add(record([path, b"4", id_list(ids), b"1", b"200", b"[24/Mar/2002:01:37:08 +0100]",
                        id_list(ids[:2]), b"-", b"-", id_list([k]), b"-", b"-"]))
    rec.add(b"/a|b||c")
    rec.add(id_list([0, 12, 40, 9223372036854775807]))
    rec.add(b"\\1;a\\2;b")

    # Referrer queries: the raw query, then the whole referrer.
    dq = Seeds(args.out, "decode_query")
    for line in data_lines["combined"]:
        for ref in re.findall(rb'"(https?://[^"]*\?[^"]*)"', line):
            dq.add(ref.split(b"?", 1)[1] + b"\n" + ref)
    dq.add(b"q=caf%C3%A9+cr%E8me&ie=UTF-8\nhttp://search.example.com/search?q=caf%C3%A9&ie=UTF-8")
    dq.add(b"q=%zz%4%%+&&=\nhttp://s.example.com/?q=%zz")
    dq.add("q=été €".encode("utf-8") + b"\nhttp://x/?oe=utf-8")

    # Monthly, status and file-list files of a month as the engine writes them.
    mf = Seeds(args.out, "month_files")
    month_files = []
    for k in range(4):
        days = [rng.randrange(0, 300) for _ in range(31)]
        day_list = b"-" + b"".join(b"%d-" % d for d in days)
        top = b"-" + b"".join(b"%d (%d)-" % (i, 100 - 7 * i) for i in range(rng.randrange(1, 22)))
        keys = [b"Date", b"Tota", b"Page", b"Imag", b"Prog", b"Host", b"Orig", b"Mote", b"ReOK",
                b"ReKO", b"Hits", b"Ret100", b"Ret200", b"Ret300", b"Ret400", b"Ret500", b"Jour"]
        mon = [keys[0] + b"=24/03/2002 01:37:08"] + [key + b"=%d" % rng.randrange(1000)
                                                     for key in keys[1:]]
        mon += [b"ViJo=" + day_list, b"KoJo=" + day_list, b"PaJo=" + day_list,
                b"HiJo=" + day_list, b"ViMo=1", b"KoMo=2", b"PaMo=3", b"HiMo=4",
                b"ttPa=" + top, b"ttHo=" + top, b"ttMo=" + top]
        codes = [100, 101, 102] + list(range(200, 208)) + list(range(300, 306)) + [307] + \
            list(range(400, 418)) + [422, 423, 424, 426] + list(range(500, 508)) + [510]
        ret = [b"%d;%d;%s;%s" % (c, 2, id_list([1, 5]), id_list([0])) if c in (200, 404)
               else b"%d;0;-;-" % c for c in codes]
        lfp = [record([b"/p%d.html" % i, b"2", id_list([i, i + 1]), b"1", b"200", b"[x]",
                       b"-0-", b"-", b"-", b"-", b"-", b"-"]) for i in range(k + 2)]
        files = (b"\r\n".join(mon) + b"\r\n@@\n" + b"\r\n".join(ret) + b"\r\n@@\n" +
                 b"\r\n".join(lfp) + b"\r\n@@\n" + b"\r\n".join(data_lines["combined"][:8]) +
                 b"\r\n")
        mf.add(files)
        month_files.append(files)

    # Report cells, then a month's files as above.
    rw = Seeds(args.out, "report_writers")
    cells = [b"plain\t12", b"=HYPERLINK(\"x\")\t-3", b"+1.5\t@x", b"a,b\t\"q\"",
             b"<script>\t&amp;"]
    for k, files in enumerate(month_files):
        rw.add(b"\n".join(cells[k:]) + b"@@\n" + files)

    # Selection expressions, each before a log line.
    sel = Seeds(args.out, "select_lines")
    for k, expr in enumerate([b"status=404", b"status=5xx,30x !robot", b"host=203.0.113.0/24,::1/128",
                              b"path~/blog/* method=GET,post", b"path~~^/(a|b)[0-9]+$ ua~curl",
                              b"!ref~\"a b\" country=FR", b"host!=10.0.0.0/33", b"stat~~("]):
        sel.add(expr + b"\n" + data_lines["combined"][k])

    # Country databases: hosts to look up, then the file.
    cd = Seeds(args.out, "country_database")
    with tempfile.TemporaryDirectory() as tmp:
        dbs = [os.path.join(tmp, "countries.mmdb"), os.path.join(tmp, "cities.mmdb")]
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "geo",
                              "make_geo_test_db.pl")
        if subprocess.run(["perl", script] + dbs).returncode == 0:
            for db in dbs:
                with open(db, "rb") as f:
                    content = f.read()
                cd.add(b"203.0.113.5 198.51.100.1 2001:db8::5 www.example.fr\n" + content)
                cd.add(b"203.0.113.200\n" + content[:len(content) // 2])
    cd.add(b"203.0.113.5\n")
    cd.add(b"10.0.0.1\n\xab\xcd\xefMaxMind.com")

    # Site lists: a visits file, logs taken in, watched patterns, exclusions
    # and named selections, separated by "@@\n".
    sl = Seeds(args.out, "site_lists")
    visits = [b"people;120;80;300;5400;30;40", b"robots;12;3;50;60;0;10"]
    visits += [b"day;%02d;%d;%d;%d;%d" % (d, d * 3, d * 2, d, 1) for d in range(1, 32)]
    visits += [b"hour;%02d;%d;%d" % (h, h * 5, h) for h in range(24)]
    visits += [b"entry;40;/index.html", b"entry;7;/a b;c", b"exit;9;/contact?x=1"]
    imported = [b"2049\t131074\t52000\t0\t4096\t00ff00ff00ff00ff\t52000\t0123456789abcdef"
                b"\t1017000000\t/var/log/nginx/access.log",
                b"2049\t9\t1200\t1\t800\t%016x\t800\t%016x\t1017000300\t/tmp/old.log.gz"
                % (rng.getrandbits(64), rng.getrandbits(64))]
    watched = [b"/var/log/nginx/access.log*", b"/srv/logs/", b"  ", b"-1"]
    exclusions = [b"# our own", b"host=203.0.113.0/24", b"path~/health* status=200",
                  b"spam", b"ua~~bot$ !robot"]
    selections = [b"errors\t2002-03-01\t2002-03-31\tstatus=4xx,5xx",
                  b"night\t2002-03-01T00:00\t2002-03-02T06:00\tpath~/blog/*",
                  b"../up\t2002-04-01\t2002-03-01\t", b"\tno name"]
    files = [visits, imported, watched, exclusions, selections]
    sl.add(b"@@\n".join(b"\r\n".join(f) + b"\r\n" for f in files))
    for k in range(len(files)):
        sl.add(b"@@\n" * k + b"\r\n".join(files[k]) + b"\r\n")

    # Log files as found on disk: plain, compressed once, compressed twice.
    ci = Seeds(args.out, "compressed_input")
    text = b"\n".join(data_lines["combined"][:30]) + b"\n"
    ci.add(text)
    ci.add(gzip.compress(text))
    ci.add(bz2.compress(text))
    ci.add(lzma.compress(text))
    ci.add(gzip.compress(gzip.compress(text)))
    ci.add(lzma.compress(b"\x89LZO\x00\r\n\x1a\n" + text))
    ci.add(gzip.compress(b"\n" * 200000))
    if shutil.which("zstd"):
        ci.add(subprocess.run(["zstd", "-c", "-q"], input=text, check=True,
                              capture_output=True).stdout)

    # W3C lines of one field order rewritten into a month's.
    wr = Seeds(args.out, "w3c_rewrite")
    iis = b"\n".join(data_lines["iis"][:6])
    for month_codes in (b"dHhuNNMINsU", b"hdHIsbMUR", b"NdHsIh"):
        wr.add(FORMATS["iis"].encode() + b"\n" + month_codes + b"\n" + iis)
    wr.add(b"dHrsI\nrdHsI\n2002-03-01 10:00:00 \"GET / HTTP/1.0\" 200 \"[x y]\"")

    # Small stored months: the format, then the stored log.
    am = Seeds(args.out, "analyse_month")
    for fmt, codes in FORMATS.items():
        ls = logs[fmt]
        for k in range(0, 40, 20):
            am.add(codes.encode() + b"\n" + b"\r\n".join(ls[k:k + 20]) + b"\r\n")
    am.add(b"!hlutrsbRU\n" + b"\r\n".join(data_lines["combined"][:5]) + b"\r\nshort line\r\n")


if __name__ == "__main__":
    main()
