#include "events/lever_coucher.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "clock/calendrier.hpp"
#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/delta_t_precis.hpp"

namespace orbitel {

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Seconde = 1.0 / 86400; // days

// The altitude is not perfectly smooth: the sidereal angle goes through a float, a step of about
// 3e-5 degree. Every bound test keeps this much in hand.
constexpr double Bruit = 1e-4; // degrees

// Two crossings closer than this may go unseen: a grazing touch.
constexpr double EcartMinimal = 60 * Seconde;

// Brent's tolerance: its last bracket is at most twice this wide, so the instant is within 0.1 s.
constexpr double Tolerance = 0.045 * Seconde;

// Scan steps: the shortest keeps the walk from creeping toward a crossing, the longest keeps the
// slope estimate meaningful.
constexpr double PasMinimal = 20 * Seconde;
constexpr double PasMaximal = 0.25;

// Far more than any real day takes (a few tens; the one-minute floor on subdivision keeps even a
// Moon skimming the horizon all day to a few thousand): only a broken input could get here.
constexpr int EvaluationsMaximales = 20000;

struct Point {
    double t = 0; // days from 0 h UT
    double f = 0; // altitude minus HauteurLever, degrees
    Topocentrique topo{};
};

bool positif(double f) {
    return f >= 0;
}

class Recherche {
public:
    Recherche(EtatLune& etat, double jj0, double duree, const Observateur& lieu, EchelleTemps echelle,
              LeverCoucher& resultat)
        : etat_(etat), jj0_(jj0), duree_(duree), lat_(lieu.Lat), lon_est_(lieu.lon_est()), echelle_(echelle),
          bornes_(bornes_hauteur(lieu.Lat)), resultat_(resultat) {}

    void parcourt_le_jour() {
        Point p = evalue(0);
        double pente = std::numeric_limits<double>::quiet_NaN();
        while (!fini() && p.t < duree_) {
            const double t = std::min(duree_, p.t + pas_propose(p, pente));
            const Point q = evalue(t);
            if (fini()) break;
            derniere_racine_ = std::numeric_limits<double>::quiet_NaN();
            examine(p, q);
            // The local slope at q: from the crossing just refined when there was one, which is
            // much closer to q than p is.
            if (std::isfinite(derniere_racine_) && q.t - derniere_racine_ > 0)
                pente = q.f / (q.t - derniere_racine_);
            else
                pente = (q.f - p.f) / (q.t - p.t);
            p = q;
        }
    }

private:
    EtatLune& etat_;
    double jj0_;
    double duree_; // days searched from jj0_
    float lat_;
    float lon_est_;
    EchelleTemps echelle_;
    BornesHauteur bornes_;
    LeverCoucher& resultat_;
    bool abandon_ = false;
    double derniere_racine_ = 0;

    bool fini() const { return abandon_ || (resultat_.lever.trouve && resultat_.coucher.trouve); }

    Point evalue(double t) {
        Point p;
        p.t = t;
        if (++resultat_.evaluations > EvaluationsMaximales) {
            abandon_ = true;
            return p;
        }
        if (echelle_ == EchelleTemps::universel)
            evalue_ephemeride(etat_, jj0_ + t);
        else
            evalue_ephemeride(etat_, jj0_ + t, ecart_echelle_jours(echelle_, jj0_ + t));
        p.topo = calcule_topocentrique_brut(etat_, lat_, lon_est_);
        etat_.Ascension = p.topo.ad;
        etat_.Declinaison = p.topo.decl;
        p.f = p.topo.hauteur - HauteurLever;
        if (!std::isfinite(p.f) || !std::isfinite(p.topo.azimut)) abandon_ = true;
        return p;
    }

    // The next trial instant from the frontier p. Far from the horizon the step is the longest for
    // which the bound can still clear the interval; near it, moving toward a crossing, the step
    // goes just past the crossing the slope predicts, to bracket it at once.
    double pas_propose(const Point& p, double pente) const {
        const double R = bornes_.vitesse;
        const double g = std::fabs(p.f); // distance from the crossing altitude
        double pas = 1.8 * g / R;
        if (std::isfinite(pente)) {
            const double eloignement = positif(p.f) ? pente : -pente; // > 0: moving away
            if (eloignement >= 0) {
                pas = 1.8 * g / (R - std::min(eloignement, 0.9 * R));
            } else if (std::fabs(p.topo.hauteur) <= BornesHauteur::hauteur_courbure) {
                pas = 1.1 * g / -eloignement + PasMinimal;
            } else {
                pas = 1.8 * g / (R - eloignement);
            }
        }
        return std::clamp(pas, PasMinimal, PasMaximal);
    }

    // Whether the second-derivative bound holds over [a, b]: the altitude stays within its band.
    bool courbure_valable(const Point& a, const Point& b) const {
        const double h = std::max(std::fabs(a.topo.hauteur), std::fabs(b.topo.hauteur));
        return h + bornes_.vitesse * (b.t - a.t) / 2 <= BornesHauteur::hauteur_courbure;
    }

    // For an interval whose ends lie on the same side: the instant at which the lower bound of the
    // distance from the crossing altitude is smallest, and that bound. Under the curvature bound K
    // the distance u(t) stays above the chord minus K (t - a)(b - t) / 2.
    struct Creux {
        double t;
        double u;
    };
    Creux creux_courbure(const Point& a, const Point& b) const {
        const double K = bornes_.courbure;
        const double w = b.t - a.t;
        const double ua = std::fabs(a.f);
        const double ub = std::fabs(b.f);
        const double tau = std::clamp(w / 2 - (ub - ua) / (K * w), 0.0, w);
        return {a.t + tau, ua + (ub - ua) * tau / w - K / 2 * tau * (w - tau)};
    }

    // Same side at both ends, and provably no crossing in between.
    bool sans_croisement(const Point& a, const Point& b) const {
        const double w = b.t - a.t;
        // Under the rate bound alone, the altitude has to travel from each end to the crossing
        // altitude and back.
        if (std::fabs(a.f) + std::fabs(b.f) - 2 * Bruit >= bornes_.vitesse * w) return true;
        return courbure_valable(a, b) && creux_courbure(a, b).u > Bruit;
    }

    // Opposite sides at both ends, and provably a single crossing in between: the slope cannot
    // change sign, since it stays within K (b - a) of the chord's.
    bool un_seul_croisement(const Point& a, const Point& b) const {
        const double w = b.t - a.t;
        return courbure_valable(a, b) && std::fabs(b.f - a.f) - 2 * Bruit > bornes_.courbure * w * w;
    }

    // Where to look inside an interval that could not be cleared.
    double sonde(const Point& a, const Point& b) const {
        const double w = b.t - a.t;
        double t;
        if (positif(a.f) != positif(b.f)) {
            t = a.t + w * std::fabs(a.f) / (std::fabs(a.f) + std::fabs(b.f)); // the chord's crossing
        } else if (courbure_valable(a, b)) {
            t = creux_courbure(a, b).t;
        } else {
            // The middle of the stretch the rate bound cannot rule out.
            const double debut = a.t + std::fabs(a.f) / bornes_.vitesse;
            const double fin = b.t - std::fabs(b.f) / bornes_.vitesse;
            t = (debut + fin) / 2;
        }
        return std::clamp(t, a.t + w / 16, b.t - w / 16);
    }

    // Finds, in time order, every crossing in [a, b] that is not part of a pair closer than
    // EcartMinimal, until the first rise and the first set are both known.
    void examine(const Point& a, const Point& b) {
        if (fini()) return;
        const bool change = positif(a.f) != positif(b.f);
        if (!change && sans_croisement(a, b)) return;
        if (b.t - a.t < EcartMinimal || (change && un_seul_croisement(a, b))) {
            if (change) affine(a, b);
            return;
        }
        const Point m = evalue(sonde(a, b));
        if (fini()) return;
        examine(a, m);
        examine(m, b);
    }

    // Brent's method on a bracket holding one crossing, then the event is recorded.
    void affine(Point a, Point b) {
        const bool montee = b.f > a.f;
        Point c = a;
        double d = b.t - a.t;
        double e = d;
        while (true) {
            // b is the best estimate, c the other end of the bracket, a the previous b.
            if (std::fabs(c.f) < std::fabs(b.f)) {
                a = b;
                b = c;
                c = a;
            }
            const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b.t) + 0.5 * Tolerance;
            const double xm = 0.5 * (c.t - b.t);
            if (std::fabs(xm) <= tol || b.f == 0) break;
            if (std::fabs(e) >= tol && std::fabs(a.f) > std::fabs(b.f)) {
                const double s = b.f / a.f;
                double p, q;
                if (a.t == c.t) { // secant
                    p = 2 * xm * s;
                    q = 1 - s;
                } else { // inverse quadratic interpolation
                    const double qa = a.f / c.f;
                    const double r = b.f / c.f;
                    p = s * (2 * xm * qa * (qa - r) - (b.t - a.t) * (r - 1));
                    q = (qa - 1) * (r - 1) * (s - 1);
                }
                if (p > 0)
                    q = -q;
                else
                    p = -p;
                if (2 * p < 3 * xm * q - std::fabs(tol * q) && p < std::fabs(0.5 * e * q)) {
                    e = d;
                    d = p / q;
                } else {
                    d = xm;
                    e = d;
                }
            } else {
                d = xm;
                e = d;
            }
            a = b;
            const double t = b.t + (std::fabs(d) > tol ? d : std::copysign(tol, xm));
            b = evalue(t);
            if (fini()) return;
            if (positif(b.f) == positif(c.f)) { // the crossing now lies between a and b
                c = a;
                d = b.t - a.t;
                e = d;
            }
        }
        derniere_racine_ = b.t;
        if (b.t >= duree_) return; // the end belongs to the next day
        EvenementHorizon& evenement = montee ? resultat_.lever : resultat_.coucher;
        if (evenement.trouve) return;
        evenement.trouve = true;
        evenement.jj = jj0_ + b.t;
        evenement.azimut = arrondi_quatre_decimales(b.topo.azimut);
    }
};

} // namespace

BornesHauteur bornes_hauteur(float lat) {
    // Everything in radians and days first. The Moon as seen from the Earth's centre: its hour
    // angle turns at most at the sidereal rate (its right ascension only ever increases), its
    // declination changes by less than 9 degrees a day. With A the azimuth and q the parallactic
    // angle, dh/dt = -dH/dt cos(lat) sin(A) + d(decl)/dt cos(q).
    const double c = std::isfinite(lat) ? std::fabs(std::cos(lat * Pi / 180)) : 1.0;
    const double omega = 361.0 * Pi / 180;
    const double declinaison = 9.0 * Pi / 180;
    const double vitesse_geo = omega * c + declinaison;
    // From the surface the altitude moves at most r / (r - 1) times as fast, r >= 55 Earth radii
    // being the distance; the change of distance adds well under a degree a day.
    const double vitesse = 1.02 * vitesse_geo + Pi / 180;
    // Second derivative of sin h: the hour angle's rotation, cross terms with the declination's
    // motion, the right ascension's and the declination's own accelerations (under 0.1).
    const double sin_h_seconde =
        (omega * omega + 2 * omega * declinaison + 0.1) * c + declinaison * declinaison + 0.1;
    // h'' = ((sin h)'' + sin h h'^2) / cos h, taken within 12 degrees of the horizon (the band plus
    // the parallax), then through the map from geocentric to topocentric altitude.
    const double sin12 = std::sin(12 * Pi / 180);
    const double cos12 = std::cos(12 * Pi / 180);
    const double courbure_geo = (sin_h_seconde + sin12 * vitesse * vitesse) / cos12;
    const double courbure = 1.1 * (1.02 * courbure_geo + 0.02 * vitesse * vitesse + 0.1);
    return {vitesse * 180 / Pi, courbure * 180 / Pi};
}

LeverCoucher lever_coucher_entre(EtatLune& etat, double jj_debut, double duree, const Observateur& lieu,
                                 EchelleTemps echelle) {
    LeverCoucher resultat;
    // Past JourJulienLimite the day's instants are no longer told apart, nor written.
    if (!(std::fabs(jj_debut) < JourJulienLimite) || !(duree > 0 && duree <= 2)) return resultat;
    Recherche(etat, jj_debut, duree, lieu, echelle, resultat).parcourt_le_jour();
    return resultat;
}

LeverCoucher lever_coucher_jour(EtatLune& etat, double jj0, const Observateur& lieu) {
    return lever_coucher_entre(etat, jj0, 1, lieu);
}

LeverCoucher lever_coucher(EtatLune& etat, const Instant& instant, const Observateur& lieu) {
    return lever_coucher_jour(etat, jour_julien_0h(instant), lieu);
}

} // namespace orbitel
