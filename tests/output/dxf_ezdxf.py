#!/usr/bin/python3
"""Reads DXF files that TARVO wrote with ezdxf (Debian's python3-ezdxf): each must open without
errors, pass the audit without errors or fixes, and hold exactly the expected LINE segments.

    dxf_ezdxf.py FILE X1,Y1,X2,Y2 [X1,Y1,X2,Y2 ...]
"""
import sys

import ezdxf


def main():
    path, expected = sys.argv[1], [tuple(float(v) for v in s.split(",")) for s in sys.argv[2:]]
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors or auditor.fixes:
        print("audit:", [e.message for e in auditor.errors], [f.message for f in auditor.fixes])
        return 1
    lines = [(e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)
             for e in doc.modelspace() if e.dxftype() == "LINE"]
    if len(lines) != len(expected) or any(
            any(abs(a - b) > 1e-9 for a, b in zip(got, want)) for got, want in zip(lines, expected)):
        print("lines:", lines, "expected:", expected)
        return 1
    print(f"{path}: {len(lines)} lines, audit clean")
    return 0


if __name__ == "__main__":
    sys.exit(main())
