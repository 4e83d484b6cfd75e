#!/usr/bin/python3
"""Reads G-code programs that TARVO's contour converter wrote with bCNC's own G-code parser
(Debian's bcnc package): every line must parse, the program must be incremental (G91), and the
tool positions after its XY moves, summed from the start, must be the expected contour within
0.001 mm; the tool must end where it started in Z. With --drawing, the DXF drawing of the same contour (read
by ezdxf) must hold exactly the moves the program cuts (tool below its start), in their order, and
none it travels lifted.

    gcode_bcnc.py FILE X,Y [X,Y ...] [--drawing DXF]
"""
import sys

sys.path.insert(0, "/usr/share/bcnc/bCNC")
sys.path.insert(0, "/usr/share/bcnc/bCNC/lib")
from CNC import CNC  # noqa: E402


def main():
    args = sys.argv[1:]
    drawing = None
    if "--drawing" in args:
        at = args.index("--drawing")
        drawing = args[at + 1]
        del args[at:at + 2]
    path = args[0]
    expected = [tuple(float(v) for v in s.split(",")) for s in args[1:]]
    cnc = CNC()
    cnc.initPath(0.0, 0.0, 0.0)
    positions = []
    depths = []
    cuts = []
    with open(path, encoding="cp1252", newline="") as f:
        text = f.read()
    if "\r\n" not in text:
        print("no CR LF line ends")
        return 1
    lines = text.split("\r\n")
    if lines[-1] == "":
        lines.pop()
    if lines[:2] != ["G91", "M59"] or lines[-2:] != ["M58", "M30"]:
        print("frame:", lines[:2], lines[-2:])
        return 1
    for line in lines:
        cmds = CNC.parseLine(line)
        if not cmds:
            print("unparsed:", repr(line))
            return 1
        before = (cnc.x, cnc.y, cnc.z)
        cnc.motionStart(cmds)
        cnc.motionEnd()
        if cnc.absolute:
            print("not incremental at", repr(line))
            return 1
        if (cnc.x, cnc.y) != before[:2]:
            positions.append((cnc.x, cnc.y))
            if cnc.z < 0 and before[2] < 0:
                cuts.append((before[0], before[1], cnc.x, cnc.y))
        if cnc.z != before[2]:
            depths.append(cnc.z)
    if len(positions) != len(expected) or any(
            abs(a - b) > 0.001 for got, want in zip(positions, expected) for a, b in zip(got, want)):
        print("positions:", positions, "expected:", expected)
        return 1
    if not depths or abs(depths[-1]) > 1e-9 or min(depths) >= 0:
        print("depths:", depths)
        return 1
    if drawing is not None:
        import ezdxf
        drawn = [(e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)
                 for e in ezdxf.readfile(drawing).modelspace() if e.dxftype() == "LINE"]
        if len(drawn) != len(cuts) or any(
                abs(a - b) > 0.001 for got, want in zip(drawn, cuts) for a, b in zip(got, want)):
            print("drawing:", drawn, "cuts:", cuts)
            return 1
    print(f"{path}: {len(lines)} lines, {len(positions)} moves back to the contour, Z {depths}, {len(cuts)} cuts")
    return 0


if __name__ == "__main__":
    sys.exit(main())
