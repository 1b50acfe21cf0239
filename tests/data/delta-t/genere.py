#!/usr/bin/python3
"""Observed Delta T from the data files of Debian's python3-skyfield (1.45+ds-2):

- skyfield/data/historic_deltat.npy: USNO's half-yearly historic values, 1657.0 to 1984.5
  (Julian day, Delta T in seconds), rounded as USNO published them;
- skyfield/data/iers.npz: daily TT - UT1 from the IERS finals (1973-01-02 to 2023-09-15),
  delta_t_1e7 in units of 1e-7 s, one value a day from tt_jd_minus_arange + day number.

Writes, from the Debian files alone (no network):
- ../../../src/events/tables_delta_t.hpp: Delta T on 1 January at 0 h UT of each year from 1657
  to the last year whose 1 January the files reach (historic values up to 1972, IERS from 1973);
- observe.tsv beside this script: the test references, on 1 July (2 July in the historic values) of each year (historic values up
  to 1972, IERS from 1973 to the last 1 July the files reach), none of them in the table.
"""
import os
import numpy as np

DATA = '/usr/lib/python3/dist-packages/skyfield/data/'
ici = os.path.dirname(os.path.abspath(__file__))

h = np.load(DATA + 'historic_deltat.npy')
d = np.load(DATA + 'iers.npz')
tt = d['tt_jd_minus_arange'] + np.arange(len(d['tt_jd_minus_arange']))
dt = d['delta_t_1e7'] / 1e7
ut = tt - dt / 86400


def jj_gregorien(an, mois, jour):
    a = (14 - mois) // 12
    y = an + 4800 - a
    m = mois + 12 * a - 3
    return jour + (153 * m + 2) // 5 + 365 * y + y // 4 - y // 100 + y // 400 - 32045 - 0.5


def valeur(an, mois):
    jj = jj_gregorien(an, mois, 1)
    if an <= 1972:
        # The half-year points lie on 1 January and 1 or 2 July.
        i = np.where(np.abs(h[0] - jj) < 1.5)[0]
        return (float(h[0][i[0]]), float(h[1][i[0]])) if len(i) else None
    if jj > ut[-1]:
        return None
    return jj, float(np.interp(jj, ut, dt))


annees = []
an = 1657
while True:
    v = valeur(an, 1)
    if v is None:
        break
    annees.append((an, v[1]))
    an += 1

with open(os.path.join(ici, '../../../src/events/tables_delta_t.hpp'), 'w') as f:
    f.write('#pragma once\n#include <array>\n\n')
    f.write('// Observed Delta T (TT - UT1), seconds, on 1 January at 0 h UT of each year from\n')
    f.write('// premiere_annee_observee on: USNO\'s historic values up to 1972 (published to the second\n')
    f.write('// before 1800 and to the thousandth after), the daily IERS values from 1973, as Debian\'s\n')
    f.write('// python3-skyfield 1.45 ships them (historic_deltat.npy, iers.npz); made by\n')
    f.write('// tests/data/delta-t/genere.py.\n\nnamespace orbitel {\n\n')
    f.write('inline constexpr int premiere_annee_observee = %d;\n\n' % annees[0][0])
    f.write('inline constexpr auto delta_t_observe = std::to_array<double>({\n')
    for i in range(0, len(annees), 8):
        ligne = ', '.join('%.3f' % v for _, v in annees[i:i + 8])
        f.write('    %s, // %d\n' % (ligne, annees[i][0]))
    f.write('});\n')
    f.write('static_assert(delta_t_observe.size() == %d); // to %d\n\n} // namespace orbitel\n'
            % (len(annees), annees[-1][0]))

with open(os.path.join(ici, 'observe.tsv'), 'w') as f:
    f.write('# jj_ut\tdelta_t_s\t(1 or 2 July of each year; see README.md)\n')
    an = 1657
    while True:
        v = valeur(an, 7)
        if v is None:
            if an > 1972:
                break
        else:
            f.write('%.1f\t%.3f\n' % v)
        an += 1
