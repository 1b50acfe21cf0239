#!/usr/bin/python3
"""The Moon's apparent geocentric ecliptic longitude (true equinox and ecliptic of date) from JPL
DE405, at 200 instants of terrestrial time over 1960-2060, the span of Debian's
casacore-data-jpl-de405 (read through python3-casacore's table reader; the Chebyshev series are
evaluated here). The reduction to the apparent place uses python3-erfa (SOFA): light time,
annual aberration (erfa.ab), precession and nutation IAU 1976/1980 (erfa.pnm80), true obliquity
(erfa.obl80 + erfa.nut80). TDB is taken for TT (they differ by under 2 ms).

Writes longitude.tsv beside this script: jj_tt, longitude in degrees.
"""
import os
import numpy as np
import erfa
from casacore.tables import table

t = table('/usr/share/casacore/data/ephemerides/DE405', ack=False)
kw = t.getkeywords()
MJD0, DMJD, EMRAT = kw['MJD0'], kw['dMJD'], kw['EMRAT']
C = kw['CLIGHT'] * 86400  # km per day
ipt = np.array(t.getcolkeywords('x')['Description']).reshape(3, 13)
x = t.getcol('x')
t_mjd = t.getcol('MJD')

def cheb(corps, mjd):
    """Position (km) and velocity (km/day) of body `corps` (0-based: 2 Earth-Moon barycentre,
    9 geocentric Moon, 10 Sun) at TDB mjd. Offsets in the header count from 3 (after the two dates
    of JPL's record), which the table leaves out."""
    # Row k starts at its MJD, MJD0 + (k + 1) dMJD.
    k = int((mjd - MJD0) // DMJD) - 1
    debut = t_mjd[k]
    assert debut <= mjd < debut + DMJD
    p, n, ns = ipt[:, corps]
    duree = DMJD / ns
    s = min(int((mjd - debut) // duree), ns - 1)
    tau = 2 * (mjd - debut - s * duree) / duree - 1
    c = x[k][p - 3 + s * 3 * n: p - 3 + (s + 1) * 3 * n].reshape(3, n)
    T = np.zeros(n); D = np.zeros(n)
    T[0], T[1] = 1, tau
    D[1] = 1
    for i in range(2, n):
        T[i] = 2 * tau * T[i - 1] - T[i - 2]
        D[i] = 2 * T[i - 1] + 2 * tau * D[i - 1] - D[i - 2]
    return c @ T, c @ D * 2 / duree

def terre(mjd):
    b, vb = cheb(2, mjd)
    m, vm = cheb(9, mjd)
    return b - m / (1 + EMRAT), vb - vm / (1 + EMRAT)

def lune_bary(mjd):
    b, _ = cheb(2, mjd)
    m, _ = cheb(9, mjd)
    return b + m * EMRAT / (1 + EMRAT)

def longitude(jj_tt):
    mjd = jj_tt - 2400000.5
    e, ve = terre(mjd)
    s, _ = cheb(10, mjd)
    tau = 0
    for _ in range(3):
        p = lune_bary(mjd - tau) - e
        tau = np.linalg.norm(p) / C
    u = p / np.linalg.norm(p)
    es = e - s
    u = erfa.ab(u, ve / C, np.linalg.norm(es) / 149597870.691, np.sqrt(1 - np.dot(ve / C, ve / C)))
    u = erfa.pnm80(2400000.5, mjd) @ u
    dpsi, deps = erfa.nut80(2400000.5, mjd)
    eps = erfa.obl80(2400000.5, mjd) + deps
    y = u[1] * np.cos(eps) + u[2] * np.sin(eps)
    return np.degrees(np.arctan2(y, u[0])) % 360

if __name__ == '__main__':
    rng = np.random.default_rng(405)
    debut = 2436934.5 + 1  # 1960-01-01: the table's first record starts at MJD 36912
    fin = 2473459.5 - 1    # 2060-01-01
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'longitude.tsv'), 'w') as f:
        f.write('# jj_tt\tlongitude_apparente_deg\n')
        for jj in np.sort(rng.uniform(debut, fin, 200)):
            jj = round(jj, 5)
            f.write('%.5f\t%.7f\n' % (jj, longitude(jj)))
