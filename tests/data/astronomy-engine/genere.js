// References from astronomy-engine 2.1.19 (npm), an independent library (VSOP87 and a full lunar
// theory, its own Delta T). Run: npm install astronomy-engine@2.1.19 && node genere.js
// Writes the .tsv files beside this script; see README.md.
'use strict';
const A = require('astronomy-engine');
const fs = require('fs');
const path = require('path');

const JJ_2000 = 2451545.0; // astronomy-engine's ut is days from J2000 (12 h UT)
const dateDe = (jj) => A.MakeTime(jj - JJ_2000);
const jjDe = (t) => t.ut + JJ_2000;

// Sites within 60 degrees of the equator: latitude north, longitude east, as float the program takes.
const sites = [
  ['Paris', 48.8666667, 2.3333333],
  ['Quito', -0.2166667, -78.5166667],
  ['Sydney', -33.8666667, 151.2],
  ['Tokyo', 35.6833333, 139.75],
  ['Oslo', 59.9166667, 10.75],
];

// A fixed pseudo-random sequence, so that a rerun writes the same files.
let graine = 12345;
function hasard() {
  graine = (graine * 1103515245 + 12345) % 2147483648;
  return graine / 2147483648;
}
// Julian day of 0 h UT of a random day from 1900 to 2100.
const jour = () => Math.floor(2415020.5 + hasard() * 73049) + 0.5;

function ecrit(nom, entete, lignes) {
  fs.writeFileSync(path.join(__dirname, nom), entete + '\n' + lignes.join('\n') + '\n');
}
const f = (x, n) => x.toFixed(n);
const tour = (x) => ((x % 360) + 360) % 360;

function equatorialesDeDate(corps, t, obs) {
  return A.Equator(corps, t, obs, true, true);
}
function geocentriqueDeDate(corps, t) {
  const v = A.RotateVector(A.Rotation_EQJ_EQD(t), A.GeoVector(corps, t, true));
  return A.EquatorFromVector(v);
}
function anglePosition(ra, dec, ra0, dec0) {
  // Position angle of the direction (ra0, dec0) seen from (ra, dec), hours and degrees.
  const d = Math.PI / 180;
  const da = (ra0 - ra) * 15 * d;
  return tour(Math.atan2(Math.cos(dec0 * d) * Math.sin(da),
    Math.sin(dec0 * d) * Math.cos(dec * d) - Math.cos(dec0 * d) * Math.sin(dec * d) * Math.cos(da)) / d);
}

// Meridian transits of the Moon.
{
  const lignes = [];
  for (const [nom, lat, lon] of sites) {
    const obs = new A.Observer(lat, lon, 0);
    for (let i = 0; i < 40; ++i) {
      const jj0 = jour();
      const ev = A.SearchHourAngle(A.Body.Moon, obs, 0, dateDe(jj0), +1);
      const jj = jjDe(ev.time);
      if (jj >= jj0 + 1) {
        lignes.push([nom, f(lat, 7), f(lon, 7), f(jj0, 1), '-', '-'].join('\t'));
        continue;
      }
      const eq = equatorialesDeDate(A.Body.Moon, ev.time, obs);
      const hor = A.Horizon(ev.time, obs, eq.ra, eq.dec, null);
      lignes.push([nom, f(lat, 7), f(lon, 7), f(jj0, 1), f(jj, 6), f(hor.altitude, 4)].join('\t'));
    }
  }
  ecrit('passages.tsv', '# site\tlat\tlon_est\tjj0_ut\tjj_passage_ut\thauteur', lignes);
}

// Lunar apsides: a run of consecutive apsides from each of 50 dates.
{
  const lignes = [];
  for (let i = 0; i < 50; ++i) {
    let ap = A.SearchLunarApsis(dateDe(jour()));
    for (let j = 0; j < 2; ++j) {
      lignes.push([ap.kind === A.ApsisKind.Pericenter ? 'perigee' : 'apogee', f(jjDe(ap.time), 6),
        f(ap.dist_km, 1)].join('\t'));
      ap = A.NextLunarApsis(ap);
    }
  }
  ecrit('apsides.tsv', '# type\tjj_ut\tdistance_km', lignes);
}

// Libration (optical and physical), the position angle of the axis, the bright limb, the
// parallactic angle and the apparent diameter, at random instants and sites.
{
  const lignes = [];
  for (let i = 0; i < 200; ++i) {
    const [nom, lat, lon] = sites[i % sites.length];
    const obs = new A.Observer(lat, lon, 0);
    const jj = jour() + Math.floor(hasard() * 1440) / 1440;
    const t = dateDe(jj);
    const lib = A.Libration(t);
    // The Moon's north pole, of date, seen from the Earth's centre.
    const axe = A.RotationAxis(A.Body.Moon, t);
    const pole = A.EquatorFromVector(A.RotateVector(A.Rotation_EQJ_EQD(t), axe.north));
    const lune = geocentriqueDeDate(A.Body.Moon, t);
    const soleil = geocentriqueDeDate(A.Body.Sun, t);
    const angleAxe = anglePosition(lune.ra, lune.dec, pole.ra, pole.dec);
    const limbe = anglePosition(lune.ra, lune.dec, soleil.ra, soleil.dec);
    const topo = equatorialesDeDate(A.Body.Moon, t, obs);
    const limbeTopo = anglePosition(topo.ra, topo.dec, soleil.ra, soleil.dec);
    const d = Math.PI / 180;
    const H = (A.SiderealTime(t) * 15 + lon - topo.ra * 15) * d;
    const q = Math.atan2(Math.sin(H), Math.tan(lat * d) * Math.cos(topo.dec * d) -
      Math.sin(topo.dec * d) * Math.cos(H)) / d;
    const diamTopo = 2 * Math.asin(1737.4 / (topo.dist * A.KM_PER_AU)) / d;
    lignes.push([nom, f(lat, 7), f(lon, 7), f(jj, 6), f(lib.elon, 4), f(lib.elat, 4), f(angleAxe, 4),
      f(limbe, 4), f(limbeTopo, 4), f(q, 4), f(lib.diam_deg, 5), f(diamTopo, 5)].join('\t'));
  }
  ecrit('aspect.tsv',
    '# site\tlat\tlon_est\tjj_ut\tlibration_longitude\tlibration_latitude\tangle_axe\tangle_limbe\t' +
    'angle_limbe_topo\tangle_parallactique\tdiametre_geo\tdiametre_topo', lignes);
}

// The Sun: the first crossing up and down of -0.833, -6, -12 and -18 degrees in a UT day, its
// altitude and azimuth at 0 h; '-' where the day has no such crossing. An event is marked 'rase'
// when the day's extreme altitude on its side lies within 1 degree of the threshold.
{
  const seuils = [-0.833, -6, -12, -18];
  const lignes = [];
  for (let i = 0; i < 100; ++i) {
    const [nom, lat, lon] = sites[i % sites.length];
    const obs = new A.Observer(lat, lon, 0);
    const jj0 = jour();
    const t0 = dateDe(jj0);
    const eq = equatorialesDeDate(A.Body.Sun, t0, obs);
    const hor = A.Horizon(t0, obs, eq.ra, eq.dec, null);
    // The day's extremes, from a 2-minute sampling.
    let hmin = 90, hmax = -90;
    for (let m = 0; m <= 1440; m += 2) {
      const t = dateDe(jj0 + m / 1440);
      const e = equatorialesDeDate(A.Body.Sun, t, obs);
      const h = A.Horizon(t, obs, e.ra, e.dec, null).altitude;
      hmin = Math.min(hmin, h);
      hmax = Math.max(hmax, h);
    }
    const cellules = [nom, f(lat, 7), f(lon, 7), f(jj0, 1), f(hor.altitude, 4), f(hor.azimuth, 4)];
    for (const s of seuils) {
      const rase = Math.abs(hmax - s) < 1 || Math.abs(hmin - s) < 1;
      for (const sens of [+1, -1]) {
        const ev = A.SearchAltitude(A.Body.Sun, obs, sens, t0, 1, s);
        const jj = ev ? jjDe(ev) : NaN;
        cellules.push(rase ? 'rase' : (ev && jj < jj0 + 1 ? f(jj, 6) : '-'));
      }
    }
    lignes.push(cellules.join('\t'));
  }
  ecrit('soleil.tsv',
    '# site\tlat\tlon_est\tjj0_ut\thauteur_0h\tazimut_0h\tlever\tcoucher\taube_civile\tcrepuscule_civil\t' +
    'aube_nautique\tcrepuscule_nautique\taube_astronomique\tcrepuscule_astronomique', lignes);
}

// Principal phases: every phase from 100 random dates on, four in a row.
{
  const lignes = [];
  for (let i = 0; i < 100; ++i) {
    let q = A.SearchMoonQuarter(dateDe(jour()));
    for (let j = 0; j < 2; ++j) {
      lignes.push([q.quarter, f(jjDe(q.time), 6)].join('\t'));
      q = A.NextMoonQuarter(q);
    }
  }
  ecrit('phases.tsv', '# indice (0 new, 1 first quarter, 2 full, 3 last quarter)\tjj_ut', lignes);
}
