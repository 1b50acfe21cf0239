// References for one month of the Moon and the Sun at Paris, January 2027, from astronomy-engine
// 2.1.19 (npm), an independent library. Run: npm install astronomy-engine@2.1.19 && node genere.js
// Writes the .tsv files beside this script; see README.md.
'use strict';
const A = require('astronomy-engine');
const fs = require('fs');
const path = require('path');

const JJ_2000 = 2451545.0; // astronomy-engine's ut is days from J2000 (12 h UT)
const dateDe = (jj) => A.MakeTime(jj - JJ_2000);
const jjDe = (t) => t.ut + JJ_2000;

// Paris, 48 deg 52' N, 2 deg 20' E, at sea level. Europe/Paris keeps UT + 1 h all January.
const obs = new A.Observer(48.8666667, 2.3333333, 0);
const decalage = 1 / 24;
// 0 h UT on 1 January 2027 is JD 2461406.5.
const jjLocal = (jour) => 2461406.5 + (jour - 1) - decalage;

function ecrit(nom, entete, lignes) {
  fs.writeFileSync(path.join(__dirname, nom), entete + '\n' + lignes.join('\n') + '\n');
}
const f = (x, n) => x.toFixed(n);
const cellule = (t, debut, fin) => {
  if (t === null) return '-';
  const jj = jjDe(t);
  return jj < fin ? f(jj, 6) : '-';
};

// Each local day: the first crossing up and down of -0.833 deg by the Moon's topocentric centre
// (geometric, no refraction), the first upper transit and its altitude, the Sun's first crossings
// of -0.833 deg and -18 deg, and at the day's first instant the illuminated fraction and the
// geocentric distance.
{
  const lignes = [];
  for (let j = 1; j <= 31; ++j) {
    const debut = jjLocal(j), fin = jjLocal(j + 1);
    const t0 = dateDe(debut);
    const lever = A.SearchAltitude(A.Body.Moon, obs, +1, t0, 1, -0.833);
    const coucher = A.SearchAltitude(A.Body.Moon, obs, -1, t0, 1, -0.833);
    const passage = A.SearchHourAngle(A.Body.Moon, obs, 0, t0, +1);
    let jjPassage = '-', hauteur = '-';
    if (jjDe(passage.time) < fin) {
      jjPassage = f(jjDe(passage.time), 6);
      const eq = A.Equator(A.Body.Moon, passage.time, obs, true, true);
      hauteur = f(A.Horizon(passage.time, obs, eq.ra, eq.dec, null).altitude, 3);
    }
    const soleil = (dir, h) => cellule(A.SearchAltitude(A.Body.Sun, obs, dir, t0, 1, h), debut, fin);
    const illum = A.Illumination(A.Body.Moon, t0);
    const distance = A.GeoMoon(t0).Length() * A.KM_PER_AU;
    lignes.push([j, f(debut, 6), cellule(lever, debut, fin), cellule(coucher, debut, fin), jjPassage, hauteur,
      soleil(+1, -0.833), soleil(-1, -0.833), soleil(-1, -18), soleil(+1, -18),
      f(100 * illum.phase_fraction, 3), f(distance, 1)].join('\t'));
  }
  ecrit('jours.tsv', '# jour\tjj_debut_ut\tlever\tcoucher\tpassage\thauteur_passage\tsoleil_lever\t' +
    'soleil_coucher\tnuit_debut\tnuit_fin\tphase_pourcent\tdistance_km', lignes);
}

// The month's principal phases (0 new moon, 1 first quarter, 2 full moon, 3 last quarter) and
// apsides, with the last new moon before the month (for the Moon's age).
{
  const debut = jjLocal(1), fin = jjLocal(32);
  const lignes = [];
  let q = A.SearchMoonQuarter(dateDe(debut - 30));
  while (jjDe(q.time) < fin) {
    lignes.push(['phase', q.quarter, f(jjDe(q.time), 6)].join('\t'));
    q = A.NextMoonQuarter(q);
  }
  let ap = A.SearchLunarApsis(dateDe(debut));
  while (jjDe(ap.time) < fin) {
    lignes.push([ap.kind === A.ApsisKind.Pericenter ? 'perigee' : 'apogee', '-', f(jjDe(ap.time), 6)].join('\t'));
    ap = A.NextLunarApsis(ap);
  }
  ecrit('evenements.tsv', '# type\tquartier\tjj_ut', lignes);
}
