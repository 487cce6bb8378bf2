"""Adds up the test reports of one scripts/test run and prints the closing line.

gtest XML reports give the cases of the C++ tests; unittest logs give the Python ones. A step that failed
without any report (a build, a crashed test executable) counts as one failure of its own."""
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

results, steps = sys.argv[1], sys.argv[2:]
passed = failed = skipped = 0
for path in glob.glob(os.path.join(results, "*.xml")):
    if os.path.basename(path).startswith("ctest-"):
        continue
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.find("skipped") is not None or case.get("result") == "skipped" or case.get("status") == "notrun":
            skipped += 1
        else:
            passed += 1

for path in glob.glob(os.path.join(results, "py-*.log")):
    text = open(path, encoding="utf-8", errors="replace").read()
    ran = sum(int(n) for n in re.findall(r"^Ran (\d+) tests?", text, re.M))
    bad = sum(int(n) for n in re.findall(r"(?:failures|errors)=(\d+)", text))
    skip = sum(int(n) for n in re.findall(r"skipped=(\d+)", text))
    passed += ran - bad - skip
    failed += bad
    skipped += skip

# Steps whose failure left no failing case behind (build errors, crashes, a runner that did not start).
unexplained = [s for s in steps if failed == 0 or s.startswith("build") or s == "setup"]
for s in steps:
    print(f"failed step: {s}")
failed += len(unexplained)
print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
sys.exit(1 if failed or steps else 0)
