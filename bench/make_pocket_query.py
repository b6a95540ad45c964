#!/usr/bin/env python3
"""Writes a pocket-query-like GPX file (GPX 1.0 with the geocaching cache extension 1.0.1) of
synthetic caches with HTML descriptions, logs, hints and travel bugs, and its "-wpts" companion
file, for measuring the import. 10,000 caches give about 40 MB.

    make_pocket_query.py [--caches N] [--logs N] [--zip] OUTPUT.gpx
"""
import argparse
import os
import random
import zipfile
from xml.sax.saxutils import escape

WORDS = ("der die das und am im Weg Wald Stein Brücke über unter Baum Cache Dose Höhle Bach "
         "Straße Fluss Hügel quarry bridge forest path behind near large small stone tree old "
         "mill tower žluťoučký kůň nice walk view thanks found quickly muggles").split()
TYPES = ["Traditional Cache", "Multi-cache", "Unknown Cache", "Letterbox Hybrid", "Earthcache",
         "Wherigo Cache", "Virtual Cache"]
CONTAINERS = ["Micro", "Small", "Regular", "Large", "Other", "Not chosen", "Virtual"]
LOG_TYPES = ["Found it", "Didn't find it", "Write note", "Owner Maintenance"]
LEVELS = ["1", "1.5", "2", "2.5", "3", "3.5", "4", "4.5", "5"]


def words(rng, n):
    return " ".join(rng.choice(WORDS) for _ in range(n))


def cache(rng, i, logs):
    code = "GC%X" % (0x10000 + i)
    lat = 47.0 + rng.random() * 3
    lon = 8.0 + rng.random() * 6
    name = words(rng, 3).title()
    owner = words(rng, 1).title() + str(rng.randint(1, 999))
    ctype = rng.choice(TYPES)
    html = "".join("<p>%s <b>%s</b> %s.</p>\n" % (words(rng, 16), words(rng, 2), words(rng, 12))
                   for _ in range(3))
    html += '<p><img src="https://img.example.com/cache/%s/%d.jpg" alt="x" /></p>' % (code, i)
    html += "<ul>" + "".join("<li>%s</li>" % words(rng, 5) for _ in range(3)) + "</ul>"
    out = []
    w = out.append
    w('  <wpt lat="%.6f" lon="%.6f">\n' % (lat, lon))
    w("    <time>2015-06-%02dT00:00:00</time>\n" % rng.randint(1, 28))
    w("    <name>%s</name>\n" % code)
    w("    <desc>%s by %s, %s (2/2)</desc>\n" % (escape(name), escape(owner), ctype))
    w("    <url>https://coord.info/%s</url>\n    <urlname>%s</urlname>\n" % (code, escape(name)))
    w("    <sym>%s</sym>\n" % ("Geocache Found" if rng.random() < 0.1 else "Geocache"))
    w("    <type>Geocache|%s</type>\n" % ctype)
    w('    <groundspeak:cache id="%d" available="%s" archived="False" '
      'xmlns:groundspeak="http://www.groundspeak.com/cache/1/0/1">\n'
      % (i, "False" if rng.random() < 0.05 else "True"))
    w("      <groundspeak:name>%s</groundspeak:name>\n" % escape(name))
    w("      <groundspeak:placed_by>%s</groundspeak:placed_by>\n" % escape(owner))
    w('      <groundspeak:owner id="%d">%s</groundspeak:owner>\n' % (i, escape(owner)))
    w("      <groundspeak:type>%s</groundspeak:type>\n" % ctype)
    w("      <groundspeak:container>%s</groundspeak:container>\n" % rng.choice(CONTAINERS))
    w('      <groundspeak:attributes>\n        <groundspeak:attribute id="1" inc="1">Dogs'
      '</groundspeak:attribute>\n      </groundspeak:attributes>\n')
    w("      <groundspeak:difficulty>%s</groundspeak:difficulty>\n" % rng.choice(LEVELS))
    w("      <groundspeak:terrain>%s</groundspeak:terrain>\n" % rng.choice(LEVELS))
    w("      <groundspeak:country>Germany</groundspeak:country>\n")
    w("      <groundspeak:state>Bayern</groundspeak:state>\n")
    w('      <groundspeak:short_description html="True">%s</groundspeak:short_description>\n'
      % escape("<p>%s</p>" % words(rng, 15)))
    w('      <groundspeak:long_description html="True">%s</groundspeak:long_description>\n'
      % escape(html))
    w("      <groundspeak:encoded_hints>%s [%s]</groundspeak:encoded_hints>\n"
      % (words(rng, 6), words(rng, 1)))
    w("      <groundspeak:logs>\n")
    for n in range(logs):
        w('        <groundspeak:log id="%d">\n' % (i * 100 + n))
        w("          <groundspeak:date>2024-%02d-%02dT19:00:00Z</groundspeak:date>\n"
          % (rng.randint(1, 12), rng.randint(1, 28)))
        w("          <groundspeak:type>%s</groundspeak:type>\n" % rng.choice(LOG_TYPES))
        w('          <groundspeak:finder id="%d">%s</groundspeak:finder>\n'
          % (n, escape(words(rng, 1).title())))
        w('          <groundspeak:text encoded="False">%s\n%s</groundspeak:text>\n'
          % (escape(words(rng, 9)), escape(words(rng, 4))))
        w("        </groundspeak:log>\n")
    w("      </groundspeak:logs>\n")
    w("      <groundspeak:travelbugs>\n")
    if rng.random() < 0.2:
        w('        <groundspeak:travelbug id="%d" ref="TB%X">\n          <groundspeak:name>%s'
          '</groundspeak:name>\n        </groundspeak:travelbug>\n'
          % (i, 0x1000 + i, escape(words(rng, 2))))
    w("      </groundspeak:travelbugs>\n")
    w("    </groundspeak:cache>\n  </wpt>\n")
    return code, lat, lon, "".join(out)


def header(name):
    return ('<?xml version="1.0" encoding="utf-8"?>\n<gpx xmlns:xsi="http://www.w3.org/2001/'
            'XMLSchema-instance" xmlns:xsd="http://www.w3.org/2001/XMLSchema" version="1.0" '
            'creator="Groundspeak Pocket Query" xmlns="http://www.topografix.com/GPX/1/0">\n'
            "  <name>%s</name>\n  <time>2024-05-02T08:15:43.4530000Z</time>\n" % name)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--caches", type=int, default=10000)
    parser.add_argument("--logs", type=int, default=5)
    parser.add_argument("--zip", action="store_true", help="also write OUTPUT.zip with both files")
    args = parser.parse_args()
    rng = random.Random(1234)
    base, _ = os.path.splitext(args.output)
    wpts_path = base + "-wpts.gpx"
    with open(args.output, "w", encoding="utf-8") as gpx, \
            open(wpts_path, "w", encoding="utf-8") as wpts:
        gpx.write(header("Pocket Query"))
        wpts.write(header("Waypoints for Cache Listings"))
        for i in range(args.caches):
            code, lat, lon, text = cache(rng, i, args.logs)
            gpx.write(text)
            if i % 3 == 0:
                wpts.write('  <wpt lat="%.6f" lon="%.6f">\n    <name>PK%s</name>\n'
                           "    <cmt>%s</cmt>\n    <desc>Parking</desc>\n"
                           "    <sym>Parking Area</sym>\n    <type>Waypoint|Parking Area</type>\n"
                           "  </wpt>\n" % (lat + 0.001, lon + 0.001, code[2:], words(rng, 8)))
        gpx.write("</gpx>\n")
        wpts.write("</gpx>\n")
    if args.zip:
        with zipfile.ZipFile(base + ".zip", "w", zipfile.ZIP_DEFLATED) as z:
            z.write(args.output, os.path.basename(args.output))
            z.write(wpts_path, os.path.basename(wpts_path))


if __name__ == "__main__":
    main()
