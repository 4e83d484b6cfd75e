#!/usr/bin/env python3
"""Writes the certified reference sets of the fit self-test: data/fits/circles.txt, data/fits/lines.txt.

Every value is computed with mpmath at 50 digits, by algorithms of this script alone:

  LSCI  damped Gauss-Newton (Levenberg-Marquardt) on the orthogonal distances, iterated until the
        step is below 1e-35 of the radius.
  MCCI  exhaustive search over the pairs and triples of a candidate set, checked against every
        point; points outside join the set until none is (the problem is convex, so the enclosing
        circle of the set that holds all points is the optimum).
  MZCI  small sets (up to 25 points): exhaustive search over every pair of point pairs (the centre
        where both perpendicular bisectors cross); the best candidate's support is then evaluated
        at 50 digits.
        Larger sets are made so that the solution is known by construction: two points lie on
        the outer and two on the inner circle, alternating in angle, all other points lie strictly
        inside the annulus. The centre is computed at 50 digits from those four points and the
        script checks both the containment and the alternation condition.
  MICI  largest circle with no point inside and the centre in the convex hull. Small sets:
        exhaustive over every triple's circumcentre inside the hull and every bisector crossing a
        hull edge. Larger full-circle sets by construction (three points on the inner circle whose
        triangle holds the centre, every other point farther out); larger partial arcs are not
        certified for MICI ("MICI -").
  LSLI  centroid and the principal axis of the 2x2 scatter matrix.
  MZLI  exhaustive over the directions of all point pairs (up to 60 points) or of all convex-hull
        edges; for each direction the width of the set; the narrowest.

Coordinates are written with 9 decimals and read back from that text, so both sides work on the
same numbers. Run:  python3 tools/fits/make_reference.py [OUTDIR]   (default data/fits)
"""

import math
import os
import random
import sys

import mpmath
from mpmath import mp, mpf

mp.dps = 50

# ---------------------------------------------------------------------------------------------- data


def rounded(v):
    return "%.9f" % v


def make_points(raw):
    """Rounds to the written text and returns (texts, float points, mp points)."""
    texts = [(rounded(x), rounded(y)) for x, y in raw]
    return texts, [(float(a), float(b)) for a, b in texts], [(mpf(a), mpf(b)) for a, b in texts]


# -------------------------------------------------------------------------------------- mp geometry


def mdist(p, c):
    return mp.sqrt((p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2)


def bisector_cross(a, b, c, d):
    """Centre equidistant from a, b and from c, d (mp), or None."""
    n1 = (b[0] - a[0], b[1] - a[1])
    n2 = (d[0] - c[0], d[1] - c[1])
    k1 = (b[0] ** 2 + b[1] ** 2 - a[0] ** 2 - a[1] ** 2) / 2
    k2 = (d[0] ** 2 + d[1] ** 2 - c[0] ** 2 - c[1] ** 2) / 2
    det = n1[0] * n2[1] - n1[1] * n2[0]
    if det == 0:
        return None
    return ((k1 * n2[1] - k2 * n1[1]) / det, (n1[0] * k2 - n2[0] * k1) / det)


def circumcentre(a, b, c):
    return bisector_cross(a, b, b, c)


def edge_cross(a, b, e0, e1):
    """Point of the segment e0-e1 equidistant from a and b (mp)."""
    n = (b[0] - a[0], b[1] - a[1])
    k = (b[0] ** 2 + b[1] ** 2 - a[0] ** 2 - a[1] ** 2) / 2
    d = (e1[0] - e0[0], e1[1] - e0[1])
    den = n[0] * d[0] + n[1] * d[1]
    t = (k - n[0] * e0[0] - n[1] * e0[1]) / den
    return (e0[0] + t * d[0], e0[1] + t * d[1])


def radial_range(pts, c):
    ds = [mdist(p, c) for p in pts]
    return min(ds), max(ds)


# ------------------------------------------------------------------------------------- float helpers


def fdist(p, c):
    return math.hypot(p[0] - c[0], p[1] - c[1])


def fcross_bis(a, b, c, d):
    n1 = (b[0] - a[0], b[1] - a[1])
    n2 = (d[0] - c[0], d[1] - c[1])
    k1 = (b[0] ** 2 + b[1] ** 2 - a[0] ** 2 - a[1] ** 2) / 2
    k2 = (d[0] ** 2 + d[1] ** 2 - c[0] ** 2 - c[1] ** 2) / 2
    det = n1[0] * n2[1] - n1[1] * n2[0]
    if abs(det) <= 1e-13 * math.hypot(*n1) * math.hypot(*n2) or det == 0:
        return None
    return ((k1 * n2[1] - k2 * n1[1]) / det, (n1[0] * k2 - n2[0] * k1) / det)


def hull(pts):
    """Convex hull indices, counter-clockwise, without collinear points (float)."""
    idx = sorted(set(range(len(pts))), key=lambda i: pts[i])
    uniq = []
    for i in idx:
        if not uniq or pts[uniq[-1]] != pts[i]:
            uniq.append(i)
    if len(uniq) < 3:
        return uniq

    def cr(o, a, b):
        return (pts[a][0] - pts[o][0]) * (pts[b][1] - pts[o][1]) - (pts[a][1] - pts[o][1]) * (pts[b][0] - pts[o][0])

    lower, upper = [], []
    for i in uniq:
        while len(lower) >= 2 and cr(lower[-2], lower[-1], i) <= 0:
            lower.pop()
        lower.append(i)
    for i in reversed(uniq):
        while len(upper) >= 2 and cr(upper[-2], upper[-1], i) <= 0:
            upper.pop()
        upper.append(i)
    return lower[:-1] + upper[:-1]


def inside_hull(pts, h, c, tol):
    for k in range(len(h)):
        a, b = pts[h[k]], pts[h[(k + 1) % len(h)]]
        e = (b[0] - a[0], b[1] - a[1])
        if e[0] * (c[1] - a[1]) - e[1] * (c[0] - a[0]) < -tol * math.hypot(*e):
            return False
    return True


# ------------------------------------------------------------------------------------------- circles


def lsci(mpts, fpts):
    n = len(mpts)
    gx = sum(p[0] for p in mpts) / n
    gy = sum(p[1] for p in mpts) / n
    # Start: the centroid-centred algebraic circle in floats.
    q = [(p[0] - float(gx), p[1] - float(gy)) for p in fpts]
    sxx = sum(x * x for x, _ in q); syy = sum(y * y for _, y in q); sxy = sum(x * y for x, y in q)
    sxz = sum(x * (x * x + y * y) for x, y in q); syz = sum(y * (x * x + y * y) for x, y in q)
    det = sxx * syy - sxy * sxy
    a0 = (sxz * syy - syz * sxy) / (2 * det)
    b0 = (syz * sxx - sxz * sxy) / (2 * det)
    a, b = gx + mpf(a0), gy + mpf(b0)
    r = sum(mdist(p, (a, b)) for p in mpts) / n
    lam = mpf("1e-3")

    def cost(a, b, r):
        return sum((mdist(p, (a, b)) - r) ** 2 for p in mpts)

    s = cost(a, b, r)
    for _ in range(500):
        J = []
        e = []
        for p in mpts:
            d = mdist(p, (a, b))
            J.append((-(p[0] - a) / d, -(p[1] - b) / d, mpf(-1)))
            e.append(d - r)
        N = mpmath.matrix(3, 3)
        g = mpmath.matrix(3, 1)
        for row, ei in zip(J, e):
            for i in range(3):
                g[i] += row[i] * ei
                for k in range(3):
                    N[i, k] += row[i] * row[k]
        while True:
            M = N.copy()
            for i in range(3):
                M[i, i] *= 1 + lam
            step = mpmath.lu_solve(M, -g)
            sn = cost(a + step[0], b + step[1], r + step[2])
            if sn <= s:
                a, b, r = a + step[0], b + step[1], r + step[2]
                s = sn
                lam = max(lam / 10, mpf("1e-40"))
                break
            lam *= 10
            if lam > mpf("1e30"):
                raise RuntimeError("LSCI: no descent")
        if max(abs(step[0]), abs(step[1]), abs(step[2])) < mpf("1e-35") * r:
            break
    else:
        raise RuntimeError("LSCI: no convergence")
    lo, hi = radial_range(mpts, (a, b))
    return (a, b, r, hi - lo)


def mcci(mpts, fpts):
    """Exhaustive over pairs and triples of a growing candidate set (at 50 digits); exact for the
    final set, which holds every point."""
    gx = sum(p[0] for p in fpts) / len(fpts)
    gy = sum(p[1] for p in fpts) / len(fpts)
    order = sorted(range(len(fpts)), key=lambda i: -fdist(fpts[i], (gx, gy)))
    cand = order[: min(len(order), 8)]
    eps = mpf("1e-40")
    while True:
        best = None
        m = len(cand)

        def holds(c, r):
            return all(mdist(mpts[t], c) <= r + eps for t in cand)

        for i in range(m):
            for j in range(i + 1, m):
                a, b = mpts[cand[i]], mpts[cand[j]]
                c = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
                r = mdist(a, c)
                if (best is None or r < best[0]) and holds(c, r):
                    best = (r, c)
                for k in range(j + 1, m):
                    c = circumcentre(a, b, mpts[cand[k]])
                    if c is None:
                        continue
                    r = mdist(a, c)
                    if (best is None or r < best[0]) and holds(c, r):
                        best = (r, c)
        r, c = best
        out = [k for k in range(len(mpts)) if mdist(mpts[k], c) > r + eps]
        if not out:
            lo, hi = radial_range(mpts, c)
            return (c[0], c[1], hi, hi - lo)
        cand.append(max(out, key=lambda k: mdist(mpts[k], c)))


def mzci_exhaustive(mpts, fpts):
    n = len(fpts)
    pairs = [(i, j) for i in range(n) for j in range(i + 1, n) if fpts[i] != fpts[j]]
    best = None
    for u in range(len(pairs)):
        i, j = pairs[u]
        for v in range(u + 1, len(pairs)):
            k, l = pairs[v]
            c = fcross_bis(fpts[i], fpts[j], fpts[k], fpts[l])
            if c is None:
                continue
            ds = [fdist(p, c) for p in fpts]
            w = max(ds) - min(ds)
            if best is None or w < best[0]:
                best = (w, (i, j, k, l))
    i, j, k, l = best[1]
    c = bisector_cross(mpts[i], mpts[j], mpts[k], mpts[l])
    lo, hi = radial_range(mpts, c)
    return (c[0], c[1], (lo + hi) / 2, hi - lo)


def mici_exhaustive(mpts, fpts):
    n = len(fpts)
    h = hull(fpts)
    scale = max(fdist(p, fpts[0]) for p in fpts)
    best = None

    def consider(c, sup):
        nonlocal best
        r = min(fdist(p, c) for p in fpts)
        if best is None or r > best[0]:
            best = (r, sup)

    for i in range(n):
        for j in range(i + 1, n):
            for k in range(j + 1, n):
                c = fcross_bis(fpts[i], fpts[j], fpts[j], fpts[k])
                if c is not None and inside_hull(fpts, h, c, 1e-12 * scale):
                    consider(c, ("3", i, j, k))
    for e in range(len(h)):
        e0, e1 = h[e], h[(e + 1) % len(h)]
        for i in range(n):
            for j in range(i + 1, n):
                a, b = fpts[i], fpts[j]
                nn = (b[0] - a[0], b[1] - a[1])
                d = (fpts[e1][0] - fpts[e0][0], fpts[e1][1] - fpts[e0][1])
                den = nn[0] * d[0] + nn[1] * d[1]
                if den == 0:
                    continue
                k = (b[0] ** 2 + b[1] ** 2 - a[0] ** 2 - a[1] ** 2) / 2
                t = (k - nn[0] * fpts[e0][0] - nn[1] * fpts[e0][1]) / den
                if 0 <= t <= 1:
                    consider((fpts[e0][0] + t * d[0], fpts[e0][1] + t * d[1]), ("e", i, j, e0, e1))
    sup = best[1]
    if sup[0] == "3":
        c = circumcentre(mpts[sup[1]], mpts[sup[2]], mpts[sup[3]])
    else:
        c = edge_cross(mpts[sup[1]], mpts[sup[2]], mpts[sup[3]], mpts[sup[4]])
    lo, hi = radial_range(mpts, c)
    return (c[0], c[1], lo, hi - lo)


def unit(p, c):
    d = mdist(p, c)
    return ((p[0] - c[0]) / d, (p[1] - c[1]) / d)


def segments_cross(a, b, c, d):
    def cr(o, p, q):
        return (p[0] - o[0]) * (q[1] - o[1]) - (p[1] - o[1]) * (q[0] - o[0])
    return cr(a, b, c) * cr(a, b, d) < 0 and cr(c, d, a) * cr(c, d, b) < 0


def mzci_constructed(mpts, outer, inner):
    """The zone is fixed by two of the outer and two of the inner support points (alternating);
    with three inner points the rounding of the coordinates decides which two, so every pairing
    is tried and the narrowest one that holds all points is taken."""
    best = None
    for i in range(len(inner)):
        for j in range(i + 1, len(inner)):
            c = bisector_cross(mpts[outer[0]], mpts[outer[1]], mpts[inner[i]], mpts[inner[j]])
            lo, hi = radial_range(mpts, c)
            if mdist(mpts[outer[0]], c) - hi < -mpf("1e-40") or lo - mdist(mpts[inner[i]], c) < -mpf("1e-40"):
                continue
            # Optimality: the chord of the outer directions crosses the chord of the inner directions.
            assert segments_cross(unit(mpts[outer[0]], c), unit(mpts[outer[1]], c),
                                  unit(mpts[inner[i]], c), unit(mpts[inner[j]], c))
            if best is None or hi - lo < best[3]:
                best = (c[0], c[1], (lo + hi) / 2, hi - lo)
    assert best is not None
    return best


def mici_constructed(mpts, inner3):
    a, b, d = (mpts[i] for i in inner3)
    c = circumcentre(a, b, d)
    lo, hi = radial_range(mpts, c)
    assert lo - mdist(a, c) > -mpf("1e-40")
    ua, ub, ud = unit(a, c), unit(b, c), unit(d, c)

    def cr(o, p, q):
        return (p[0] - o[0]) * (q[1] - o[1]) - (p[1] - o[1]) * (q[0] - o[0])
    z = (mpf(0), mpf(0))
    s = [cr(ua, ub, z), cr(ub, ud, z), cr(ud, ua, z)]
    assert all(v > 0 for v in s) or all(v < 0 for v in s), "centre not inside the support triangle"
    return (c[0], c[1], lo, hi - lo)


# --------------------------------------------------------------------------------------------- lines


def lsli(mpts):
    n = len(mpts)
    gx = sum(p[0] for p in mpts) / n
    gy = sum(p[1] for p in mpts) / n
    sxx = sum((p[0] - gx) ** 2 for p in mpts)
    syy = sum((p[1] - gy) ** 2 for p in mpts)
    sxy = sum((p[0] - gx) * (p[1] - gy) for p in mpts)
    t = mp.atan2(2 * sxy, sxx - syy) / 2
    u = (mp.cos(t), mp.sin(t))
    offs = [-(p[0] - gx) * u[1] + (p[1] - gy) * u[0] for p in mpts]
    return (gx, gy, u, max(offs) - min(offs))


def mzli(mpts, fpts):
    n = len(fpts)
    if n <= 60:
        cand = [(i, j) for i in range(n) for j in range(i + 1, n) if fpts[i] != fpts[j]]
    else:
        h = hull(fpts)
        cand = [(h[k], h[(k + 1) % len(h)]) for k in range(len(h))]
    best = None
    for i, j in cand:
        e = (fpts[j][0] - fpts[i][0], fpts[j][1] - fpts[i][1])
        ln = math.hypot(*e)
        offs = [(-(p[0] - fpts[i][0]) * e[1] + (p[1] - fpts[i][1]) * e[0]) / ln for p in fpts]
        w = max(offs) - min(offs)
        if best is None or w < best[0]:
            best = (w, (i, j))
    i, j = best[1]
    e = (mpts[j][0] - mpts[i][0], mpts[j][1] - mpts[i][1])
    ln = mp.sqrt(e[0] ** 2 + e[1] ** 2)
    u = (e[0] / ln, e[1] / ln)
    offs = [-(p[0] - mpts[i][0]) * u[1] + (p[1] - mpts[i][1]) * u[0] for p in mpts]
    mid = (max(offs) + min(offs)) / 2
    # The zone's middle line: through mpts[i] moved by `mid` along the normal.
    px = mpts[i][0] - mid * u[1]
    py = mpts[i][1] + mid * u[0]
    return (px, py, u, max(offs) - min(offs))


# ------------------------------------------------------------------------------------------ the sets


def circle_sets():
    rng = random.Random(20240531)
    sets = []
    radii = [0.1, 0.5, 1.0, 5.0, 12.5, 50.0, 100.0, 250.0, 500.0]
    spans = [360, 270, 180, 90, 30, 10, 5]
    noises = [0.0, 0.0005, 0.002, 0.01, 0.05]

    def centre():
        phi = rng.uniform(0, 2 * math.pi)
        return 1000 * math.cos(phi) + rng.uniform(-5, 5), 1000 * math.sin(phi) + rng.uniform(-5, 5)

    # Small sets, certified exhaustively.
    k = 0
    for n in [3, 4, 5, 6, 8, 10, 12, 16, 20, 25]:
        for rep in range(3):
            r = radii[(k * 5 + rep) % len(radii)]
            span = spans[k % len(spans)] if n > 3 else rng.choice(spans)
            noise = min(noises[(k + rep) % len(noises)], r / 20)
            cx, cy = centre()
            a0 = rng.uniform(0, 360)
            raw = []
            for i in range(n):
                ang = math.radians(a0 + (span * i / n if span == 360 else span * i / (n - 1)))
                ang += math.radians(rng.uniform(-0.2, 0.2)) * (span / 360)
                rr = r + rng.gauss(0, noise)
                raw.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
            name = "klein-n%d-r%g-b%d-s%g" % (n, r, span, noise)
            if rep == 1 and n >= 8:
                i = rng.randrange(n)  # an outlier replaces a point
                ang = math.atan2(raw[i][1] - cy, raw[i][0] - cx)
                rr = r * (1.02 if k % 2 else 0.98)
                raw[i] = (cx + rr * math.cos(ang), cy + rr * math.sin(ang))
                name += "-ausreisser"
            if rep == 2 and n >= 6:
                raw.append(raw[1])  # a duplicate
                raw.append(raw[n // 2])
                name += "-doppelt"
            sets.append(("small", name, raw, None))
            k += 1
    # Sets that give no circle.
    sets.append(("error", "fehler-zwei-punkte", [(1000.0, 5.0), (1001.0, 5.0)], None))
    sets.append(("error", "fehler-gerade", [(1000.0, 5.0), (1001.0, 6.0), (1003.0, 8.0), (1004.5, 9.5)], None))
    sets.append(("error", "fehler-gleich", [(999.5, 12.25)] * 5, None))
    # Large sets with the solution known by construction.
    large = [(200, 360, 12.5, 0.002, 0.002), (500, 360, 0.1, 0.0002, 0.0003), (1000, 360, 500.0, 0.02, 0.05),
             (3000, 360, 50.0, 0.005, 0.004), (2000, 360, 5.0, 0.05, 0.01), (400, 90, 100.0, 0.01, 0.01),
             (1000, 30, 250.0, 0.003, 0.003), (600, 5, 500.0, 0.001, 0.001), (300, 180, 1.0, 0.0005, 0.2)]
    for n, span, r, hin, hout in large:
        cx, cy = centre()
        a0 = rng.uniform(0, 360)
        rin, rout = r - hin, r + hout
        raw = []
        if span == 360:
            outer_ang = [a0, a0 + 180]
            inner_ang = [a0 + 90, a0 + 210, a0 + 330]
        else:
            outer_ang = [a0 + 0.1 * span, a0 + 0.6 * span]
            inner_ang = [a0 + 0.35 * span, a0 + 0.85 * span]
        for ang in outer_ang:
            raw.append((cx + rout * math.cos(math.radians(ang)), cy + rout * math.sin(math.radians(ang))))
        for ang in inner_ang:
            raw.append((cx + rin * math.cos(math.radians(ang)), cy + rin * math.sin(math.radians(ang))))
        while len(raw) < n:
            ang = math.radians(a0 + rng.uniform(0, span))
            rr = rng.uniform(rin + 0.1 * (hin + hout), rout - 0.1 * (hin + hout))
            raw.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
        if n == 2000:
            raw += raw[10:110]  # duplicates
        support = {"outer": [0, 1], "inner": list(range(2, 2 + len(inner_ang))), "full": span == 360}
        sets.append(("large", "gross-n%d-r%g-b%d-zone%g-%g" % (len(raw), r, span, hin, hout), raw, support))
    return sets


def line_sets():
    rng = random.Random(777)
    sets = []
    k = 0
    for n in [2, 3, 4, 5, 8, 12, 20, 30, 50, 60]:
        for rep in range(2):
            length = [1.0, 10.0, 100.0, 500.0, 0.2][(k + rep) % 5]
            noise = [0.0, 0.0005, 0.003, 0.02, 0.05][k % 5]
            phi = rng.uniform(0, 2 * math.pi)
            ox, oy = 1000 * math.cos(phi), 1000 * math.sin(phi)
            ang = rng.uniform(0, math.pi)
            raw = []
            for i in range(n):
                t = length * (i / (n - 1) - 0.5) + rng.uniform(-0.01, 0.01) * length / n
                o = rng.gauss(0, noise)
                raw.append((ox + t * math.cos(ang) - o * math.sin(ang), oy + t * math.sin(ang) + o * math.cos(ang)))
            name = "gerade-n%d-l%g-s%g" % (n, length, noise)
            if rep == 1 and n >= 8:
                i = rng.randrange(n)
                raw[i] = (raw[i][0] - 0.1 * math.sin(ang), raw[i][1] + 0.1 * math.cos(ang))
                name += "-ausreisser"
            if rep == 0 and n >= 5:
                raw.append(raw[2])
                name += "-doppelt"
            sets.append(("small", name, raw, None))
            k += 1
    sets.append(("small", "gerade-fast-kollinear", [(1000.0 + i * 0.5, -3.0 + i * 0.25 + (1e-9 if i == 3 else 0)) for i in range(7)], None))
    sets.append(("error", "gerade-fehler-ein-punkt", [(1000.0, 1.0)], None))
    sets.append(("error", "gerade-fehler-gleich", [(1000.0, 1.0)] * 4, None))
    for n, length, noise in [(1000, 100.0, 0.01), (3000, 400.0, 0.002), (500, 5.0, 0.05), (2000, 50.0, 0.0)]:
        ang = rng.uniform(0, math.pi)
        ox, oy = -700.0, 710.0
        raw = []
        for i in range(n):
            t = rng.uniform(-length / 2, length / 2)
            o = rng.gauss(0, noise)
            raw.append((ox + t * math.cos(ang) - o * math.sin(ang), oy + t * math.sin(ang) + o * math.cos(ang)))
        sets.append(("large", "gerade-gross-n%d-l%g-s%g" % (n, length, noise), raw, None))
    return sets


def fmt(v):
    return mpmath.nstr(v, 25, strip_zeros=False, min_fixed=-mp.inf, max_fixed=mp.inf)


def write_circles(path):
    with open(path, "w", newline="\n") as out:
        out.write("# Certified reference circles (tools/fits/make_reference.py, mpmath 50 digits).\n")
        out.write("# set NAME N, N lines X Y, then per method: METHOD CX CY R ROUNDNESS | METHOD error | METHOD -\n")
        for kind, name, raw, sup in circle_sets():
            texts, fpts, mpts = make_points(raw)
            out.write("set %s %d\n" % (name, len(texts)))
            for x, y in texts:
                out.write("%s %s\n" % (x, y))
            if kind == "error":
                for m in ("LSCI", "MZCI", "MICI", "MCCI"):
                    out.write("%s error\n" % m)
            else:
                res = {"LSCI": lsci(mpts, fpts), "MCCI": mcci(mpts, fpts)}
                if kind == "small":
                    res["MZCI"] = mzci_exhaustive(mpts, fpts)
                    res["MICI"] = mici_exhaustive(mpts, fpts)
                else:
                    res["MZCI"] = mzci_constructed(mpts, sup["outer"], sup["inner"])
                    res["MICI"] = mici_constructed(mpts, sup["inner"]) if sup["full"] else None
                for m in ("LSCI", "MZCI", "MICI", "MCCI"):
                    if res[m] is None:
                        out.write("%s -\n" % m)
                    else:
                        out.write("%s %s\n" % (m, " ".join(fmt(v) for v in res[m])))
            out.write("end\n")
            print(name, file=sys.stderr)


def write_lines(path):
    with open(path, "w", newline="\n") as out:
        out.write("# Certified reference lines (tools/fits/make_reference.py, mpmath 50 digits).\n")
        out.write("# set NAME N, N lines X Y, then per method: METHOD PX PY UX UY STRAIGHTNESS | METHOD error\n")
        for kind, name, raw, _ in line_sets():
            texts, fpts, mpts = make_points(raw)
            out.write("set %s %d\n" % (name, len(texts)))
            for x, y in texts:
                out.write("%s %s\n" % (x, y))
            if kind == "error":
                out.write("LSLI error\nMZLI error\n")
            else:
                for m, (px, py, u, w) in (("LSLI", lsli(mpts)), ("MZLI", mzli(mpts, fpts))):
                    out.write("%s %s\n" % (m, " ".join(fmt(v) for v in (px, py, u[0], u[1], w))))
            out.write("end\n")
            print(name, file=sys.stderr)


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data", "fits")
    os.makedirs(outdir, exist_ok=True)
    write_lines(os.path.join(outdir, "lines.txt"))
    write_circles(os.path.join(outdir, "circles.txt"))


if __name__ == "__main__":
    main()
