#!/usr/bin/python3
"""Principal lunar phases from JPL DE405: the instants when the Moon's apparent geocentric ecliptic
longitude less the Sun's is 0, 90, 180 or 270 degrees, as the USNO computes its phase tables.

Both longitudes are reduced as genere.py reduces the Moon (light time, annual aberration with
erfa.ab, precession and nutation IAU 1976/1980 with erfa.pnm80, true obliquity): the Sun's light
time is taken from its barycentric position, so its apparent place carries the aberration of about
20.5". TDB is taken for TT. The instants are found in TT by Newton's method on the elongation, then
turned to UT with the observed Delta T of ../delta-t/observe.tsv (1 July of each year, interpolated
linearly), solving UT = TT - Delta T(UT).

One phase every 4th lunation, the phase turning with each (new moon, first quarter, full moon, last
quarter, new moon...), from the DE405 table's start in 1960 to mid-2023, the last observed Delta T.

Writes phases.tsv beside this script: phase index, jj_tt, jj_ut (to the second), jj_ut rounded to
the minute as the USNO's tables are, and that minute as a calendar date.
"""
import os
import sys

import numpy as np
import erfa

ICI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, ICI)
from genere import cheb, terre, C, longitude as longitude_lune  # noqa: E402


def longitude_soleil(jj_tt):
    """The Sun's apparent geocentric ecliptic longitude, true equinox and ecliptic of date."""
    mjd = jj_tt - 2400000.5
    e, ve = terre(mjd)
    tau = 0
    for _ in range(3):
        s, _ = cheb(10, mjd - tau)
        p = s - e
        tau = np.linalg.norm(p) / C
    u = p / np.linalg.norm(p)
    u = erfa.ab(u, ve / C, np.linalg.norm(p) / 149597870.691,
                np.sqrt(1 - np.dot(ve / C, ve / C)))
    u = erfa.pnm80(2400000.5, mjd) @ u
    _, deps = erfa.nut80(2400000.5, mjd)
    eps = erfa.obl80(2400000.5, mjd) + deps
    y = u[1] * np.cos(eps) + u[2] * np.sin(eps)
    return np.degrees(np.arctan2(y, u[0])) % 360


def ecart(jj_tt, indice):
    """Elongation in longitude less the phase's angle, in degrees within (-180, 180]."""
    d = longitude_lune(jj_tt) - longitude_soleil(jj_tt) - 90 * indice
    return (d + 180) % 360 - 180


def phase_tt(jj_depart, indice):
    jj = jj_depart
    for _ in range(30):
        h = 1e-3
        pente = (ecart(jj + h, indice) - ecart(jj - h, indice)) / (2 * h)
        pas = ecart(jj, indice) / pente
        jj -= pas
        if abs(pas) < 1e-8:
            return jj
    raise RuntimeError('no convergence near %f' % jj_depart)


def lit_delta_t():
    jj, dt = [], []
    with open(os.path.join(ICI, '..', 'delta-t', 'observe.tsv')) as f:
        for ligne in f:
            if ligne.startswith('#') or not ligne.strip():
                continue
            a, b = ligne.split('\t')[:2]
            jj.append(float(a))
            dt.append(float(b))
    return np.array(jj), np.array(dt)


DT_JJ, DT_S = lit_delta_t()


def tt_vers_ut(jj_tt):
    assert DT_JJ[0] <= jj_tt - 1 and jj_tt + 1 <= DT_JJ[-1]
    ut = jj_tt
    for _ in range(5):
        ut = jj_tt - np.interp(ut, DT_JJ, DT_S) / 86400
    return ut


def date_minute(jj):
    iy, im, iday, f = erfa.jd2cal(jj, 0)
    minutes = int(round(f * 1440))
    return '%04d-%02d-%02d %02d:%02d' % (iy, im, iday, minutes // 60, minutes % 60)


if __name__ == '__main__':
    debut = 2436934.5 + 1        # 1960-01-01, DE405's table start
    fin = DT_JJ[-1] - 2          # 2023-06-30, the last observed Delta T
    # A mean new moon (k = 0: 6 January 2000) and the mean synodic month, only to seed the search.
    nl0, mois = 2451550.09766, 29.530588861
    k0 = int(np.ceil((debut - nl0) / mois))
    lignes = []
    for n, k in enumerate(range(k0, int((fin - nl0) / mois), 4)):
        indice = n % 4
        depart = nl0 + mois * (k + indice / 4)
        tt = phase_tt(depart, indice)
        if not debut <= tt < fin:
            continue
        ut = tt_vers_ut(tt)
        ut_s = round(ut * 86400) / 86400
        ut_min = round(ut * 1440) / 1440
        lignes.append('%d\t%.6f\t%.6f\t%.6f\t%s\n' % (indice, tt, ut_s, ut_min, date_minute(ut_min)))
    with open(os.path.join(ICI, 'phases.tsv'), 'w') as f:
        f.write('# indice\tjj_tt\tjj_ut\tjj_ut_minute\tdate_ut_minute\t(see README.md)\n')
        f.writelines(lignes)
    print(len(lignes), 'phases')
