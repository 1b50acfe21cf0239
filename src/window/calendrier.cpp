#include "window/calendrier.hpp"

#include <QAccessible>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "clock/calendrier.hpp"
#include "clock/instant_tu.hpp"
#include "text/lieu_compris.hpp"
#include "text/mois.hpp"
#include "window/dessin_lune.hpp"

namespace orbitel {

namespace {

// Days of the engine's calendar counted from 1970-01-01, and back.
double numero_jour(const JourCalendrier& j) {
    Instant i;
    i.jour = j.jour;
    i.mois = j.mois;
    i.an = static_cast<double>(j.annee);
    return std::floor(jour_julien_0h(i) - JourJulien1970 + 0.5);
}

JourCalendrier jour_de_numero(double n) {
    const DateCalendaire c = date_du_jour_julien(n + JourJulien1970);
    return {c.an, static_cast<unsigned>(c.mois), static_cast<unsigned>(c.jour)};
}

QString majuscule(std::string_view t) {
    QString q = QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    if (!q.isEmpty()) q[0] = q[0].toUpper();
    return q;
}

QString titre_mois(std::int64_t annee, unsigned mois) {
    return majuscule(nom_mois(mois)) + QLatin1Char(' ') + QString::number(annee);
}

// The colours of the month: the screen's light on black, the paper's black on white.
struct Apparence {
    QColor fond, texte, secondaire, evenement, trait, aujourdhui, choisi, hors_mois;
    PaletteLune lune;
};

Apparence apparence(bool papier) {
    if (papier) {
        return {Qt::white,
                Qt::black,
                QColor(60, 60, 60),
                Qt::black,
                QColor(120, 120, 120),
                QColor(0, 0, 0),
                QColor(0, 0, 0, 0),
                QColor(235, 235, 235),
                palette_lune(true)};
    }
    PaletteLune lune = palette_lune(false);
    lune.contour = QColor(140, 140, 140); // the faint limb would vanish at this size
    return {Qt::black,
            QColor(240, 240, 240),
            QColor(190, 190, 190),
            QColor(255, 214, 110),
            QColor(90, 90, 90),
            QColor(255, 196, 0),
            QColor(110, 170, 255),
            QColor(22, 22, 22),
            lune};
}

} // namespace

// The grid of the month, painted by hand: seven columns, Monday first, a row a week.
class GrilleMois final : public QWidget {
public:
    explicit GrilleMois(Calendrier& calendrier) : QWidget(&calendrier), c_(calendrier) {
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(7 * 140, 28 + 5 * 112);
        setAccessibleDescription(QStringLiteral(
            "Jours du mois : flèches pour changer de jour, Page précédente et Page suivante pour changer de "
            "mois, Entrée pour afficher le jour dans la fenêtre principale"));
    }

    // Paints the grid in `zone` of any painter, for the screen or for paper.
    static void dessine(QPainter& p, const QRectF& zone, const Calendrier& c, bool papier);

    // The day under a point of the widget, 0 for none.
    unsigned jour_en(QPointF point) const {
        const Disposition d = disposition(QRectF(rect()), c_);
        for (std::size_t i = 0; i < c_.jours_.size(); ++i)
            if (d.case_du_jour(i).contains(point)) return c_.jours_[i].jour;
        return 0;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        dessine(p, QRectF(rect()), c_, false);
        if (hasFocus()) {
            // The focus is the chosen day's frame, drawn thicker.
            const Disposition d = disposition(QRectF(rect()), c_);
            for (std::size_t i = 0; i < c_.jours_.size(); ++i) {
                if (c_.jours_[i].jour != c_.choisi_.jour) continue;
                p.setPen(QPen(apparence(false).choisi, 3));
                p.setBrush(Qt::NoBrush);
                p.drawRect(d.case_du_jour(i).adjusted(2, 2, -2, -2));
            }
        }
    }

    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_Left:
            c_.deplace(-1);
            break;
        case Qt::Key_Right:
            c_.deplace(1);
            break;
        case Qt::Key_Up:
            c_.deplace(-7);
            break;
        case Qt::Key_Down:
            c_.deplace(7);
            break;
        case Qt::Key_Home:
            c_.deplace(1 - static_cast<int>(c_.choisi_.jour));
            break;
        case Qt::Key_End:
            c_.deplace(static_cast<int>(c_.jours_.size() - c_.choisi_.jour));
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            c_.choisit();
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
        }
        e->accept();
    }

    void mousePressEvent(QMouseEvent* e) override {
        const unsigned jour = jour_en(e->position());
        if (jour == 0) return;
        setFocus(Qt::MouseFocusReason);
        c_.deplace(static_cast<int>(jour) - static_cast<int>(c_.choisi_.jour));
        c_.choisit();
    }

    void focusInEvent(QFocusEvent* e) override {
        QWidget::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QWidget::focusOutEvent(e);
        update();
    }

private:
    struct Disposition {
        QRectF entete; // the weekdays' names
        double x0 = 0, y0 = 0, largeur = 0, hauteur = 0;
        int decalage = 0; // column of the 1st
        QRectF case_du_jour(std::size_t i) const {
            const auto n = static_cast<int>(i) + decalage;
            return {x0 + (n % 7) * largeur, y0 + (n / 7) * hauteur, largeur, hauteur};
        }
    };

    static Disposition disposition(const QRectF& zone, const Calendrier& c) {
        Disposition d;
        if (c.jours_.empty()) return d;
        const JourLunaire& premier = c.jours_.front();
        d.decalage = jour_semaine(premier.annee, premier.mois, premier.jour);
        const int semaines = (d.decalage + static_cast<int>(c.jours_.size()) + 6) / 7;
        const double entete = std::max(16.0, zone.height() / 26);
        d.entete = QRectF(zone.left(), zone.top(), zone.width(), entete);
        d.x0 = zone.left();
        d.y0 = zone.top() + entete;
        d.largeur = zone.width() / 7;
        d.hauteur = (zone.height() - entete) / std::max(semaines, 5);
        return d;
    }

    Calendrier& c_;
};

void GrilleMois::dessine(QPainter& p, const QRectF& zone, const Calendrier& c, bool papier) {
    const Apparence a = apparence(papier);
    const Disposition d = disposition(zone, c);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(zone, a.fond);

    QFont police = p.font();
    police.setPixelSize(std::max(9, static_cast<int>(d.entete.height() * 0.55)));
    police.setBold(true);
    p.setFont(police);
    p.setPen(a.secondaire);
    for (int k = 0; k < 7; ++k) {
        const QRectF r(d.x0 + k * d.largeur, d.entete.top(), d.largeur, d.entete.height());
        p.drawText(r, Qt::AlignCenter, majuscule(nom_jour_semaine(k)));
    }

    const JourCalendrier aujourdhui = c.aujourdhui();
    // Every cell has the same room: one size of text for the times, beside the Moon, and one for
    // the events, across the cell, each the largest at which the longest text of its kind fits.
    const auto interieur = [](const QRectF& r) {
        return r.adjusted(r.width() * 0.05, r.height() * 0.04, -r.width() * 0.04, -r.height() * 0.03);
    };
    const QRectF modele = interieur(d.case_du_jour(0));
    // The day's number, then up to five lines: rise, transit, set, and two events at most (phases
    // are a week apart, apsides two).
    const double ligne = modele.height() / 6.6;
    const double cote = std::min(modele.width() * 0.3, ligne * 2.4);
    const auto taille = [&](const QString& texte, bool gras, double largeur) {
        QFont f = police;
        f.setBold(gras);
        f.setPixelSize(std::max(7, static_cast<int>(ligne * 0.8)));
        const double naturelle = QFontMetricsF(f, p.device()).horizontalAdvance(texte);
        if (naturelle > largeur)
            f.setPixelSize(std::max(6, static_cast<int>(f.pixelSize() * largeur / naturelle)));
        return f;
    };
    const QFont police_heures =
        taille(QStringLiteral("Passage 00:00"), false, modele.width() - cote - ligne * 0.2);
    const QFont police_evenements = taille(QStringLiteral("Premier quartier 00:00"), true, modele.width());
    for (std::size_t i = 0; i < c.jours_.size(); ++i) {
        const JourLunaire& j = c.jours_[i];
        const QRectF r = d.case_du_jour(i);
        p.setPen(QPen(a.trait, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        const QRectF dedans = interieur(r);

        // The Moon at the day's first instant, top right, drawn from the 5000-twip square.
        const QRectF lune(dedans.right() - cote, dedans.top(), cote, cote);
        if (j.phase) {
            p.save();
            p.setClipRect(lune);
            p.translate(lune.center());
            p.scale(cote / lune_cote, cote / lune_cote);
            p.translate(-lune_cx, -lune_cy);
            bool droite = j.cote == "Est";
            if (c.lieu_.Lat < 0) droite = !droite;
            PaletteLune pal = a.lune;
            if (!papier) pal.sombre = a.fond;
            dessine_phase(p, *j.phase / 100, droite, pal);
            p.restore();
        }

        const QStringList textes = c.lignes_case(j.jour);
        QFont numero = police;
        numero.setPixelSize(std::max(10, static_cast<int>(ligne * 1.15)));
        numero.setBold(true);
        p.setFont(numero);
        const bool est_aujourdhui = !papier && aujourdhui == JourCalendrier{j.annee, j.mois, j.jour};
        p.setPen(est_aujourdhui ? a.aujourdhui : a.texte);
        p.drawText(QRectF(dedans.left(), dedans.top(), dedans.width() - cote, ligne * 1.4),
                   Qt::AlignLeft | Qt::AlignVCenter, textes.value(0));
        if (est_aujourdhui) {
            p.setPen(QPen(a.aujourdhui, 2));
            p.drawRect(r.adjusted(1, 1, -1, -1));
        }

        double y = dedans.top() + ligne * 1.45;
        for (qsizetype k = 1; k < textes.size(); ++k) {
            const bool evenement = k > 3;
            p.setFont(evenement ? police_evenements : police_heures);
            p.setPen(evenement ? a.evenement : a.texte);
            p.drawText(QRectF(dedans.left(), y, dedans.width(), ligne), Qt::AlignLeft | Qt::AlignVCenter,
                       textes[k]);
            y += ligne;
        }
    }
    p.restore();
}

Calendrier::Calendrier(const Observateur& lieu, const Fuseau& zone, EchelleTemps echelle,
                       const Horloge& horloge, Imprimante& imprimante, JourCalendrier jour, char marque,
                       QWidget* parent)
    : QDialog(parent), lieu_(lieu), zone_(&zone), echelle_(echelle), horloge_(horloge),
      imprimante_(imprimante), marque_(marque) {
    setWindowTitle(QStringLiteral("Calendrier lunaire"));
    setAccessibleName(QStringLiteral("Calendrier lunaire"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(240, 240, 240));
    setPalette(pal);

    precedent_ = new QPushButton(QStringLiteral("Mois précédent"), this);
    suivant_ = new QPushButton(QStringLiteral("Mois suivant"), this);
    impression_ = new QPushButton(QStringLiteral("Imprimer"), this);
    precedent_->setAccessibleName(QStringLiteral("Mois précédent"));
    suivant_->setAccessibleName(QStringLiteral("Mois suivant"));
    impression_->setAccessibleName(QStringLiteral("Imprimer le mois"));
    precedent_->setToolTip(QStringLiteral("Mois précédent (Page précédente)"));
    suivant_->setToolTip(QStringLiteral("Mois suivant (Page suivante)"));
    impression_->setToolTip(QStringLiteral("Imprimer le mois (Ctrl+P)"));
    for (QPushButton* b : {precedent_, suivant_, impression_})
        b->setAutoDefault(false);

    titre_ = new QLabel(this);
    QFont grande = titre_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.5);
    grande.setBold(true);
    titre_->setFont(grande);
    titre_->setAlignment(Qt::AlignCenter);
    sous_titre_ = new QLabel(this);
    sous_titre_->setAlignment(Qt::AlignCenter);

    grille_ = new GrilleMois(*this);
    titre_->setBuddy(grille_);

    auto* haut = new QHBoxLayout;
    haut->addWidget(precedent_);
    haut->addWidget(titre_, 1);
    haut->addWidget(suivant_);
    haut->addWidget(impression_);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut);
    colonne->addWidget(sous_titre_);
    colonne->addWidget(grille_, 1);
    setTabOrder(grille_, precedent_);
    setTabOrder(precedent_, suivant_);
    setTabOrder(suivant_, impression_);

    connect(precedent_, &QPushButton::clicked, this, [this] { change_mois(-1); });
    connect(suivant_, &QPushButton::clicked, this, [this] { change_mois(1); });
    connect(impression_, &QPushButton::clicked, this, [this] { imprime(); });
    auto* page_precedente = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    auto* page_suivante = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    auto* impression = new QShortcut(QKeySequence::Print, this);
    connect(page_precedente, &QShortcut::activated, this, [this] { change_mois(-1); });
    connect(page_suivante, &QShortcut::activated, this, [this] { change_mois(1); });
    connect(impression, &QShortcut::activated, this, [this] { imprime(); });

    montre(jour);
    grille_->setFocus(Qt::OtherFocusReason);
}

Calendrier::~Calendrier() = default;

void Calendrier::definit(const Observateur& lieu, const Fuseau& zone, EchelleTemps echelle) {
    if (lieu.Lat == lieu_.Lat && lieu.Lon == lieu_.Lon && &zone == zone_ && echelle == echelle_) return;
    lieu_ = lieu;
    zone_ = &zone;
    echelle_ = echelle;
    jours_.clear();
    montre(choisi_);
}

void Calendrier::montre(JourCalendrier jour) {
    const bool autre_mois =
        jours_.empty() || jours_.front().annee != jour.annee || jours_.front().mois != jour.mois;
    if (autre_mois) jours_ = mois_lunaire(jour.annee, jour.mois, *zone_, lieu_, echelle_);
    if (jours_.empty()) return;
    jour.jour = std::clamp<unsigned>(jour.jour, 1, jours_.back().jour);
    // A day the calendar skips (5 to 14 October 1582) gives the next one shown.
    const auto j =
        std::find_if(jours_.begin(), jours_.end(), [&](const JourLunaire& x) { return x.jour >= jour.jour; });
    choisi_ = {j->annee, j->mois, j->jour};
    met_a_jour_textes();
}

QStringList Calendrier::lignes_case(unsigned jour) const {
    const auto j =
        std::find_if(jours_.begin(), jours_.end(), [&](const JourLunaire& x) { return x.jour == jour; });
    if (j == jours_.end()) return {};
    const TextesJour t = textes_jour(*j, *zone_, marque_);
    QStringList l{QString::number(j->jour), QStringLiteral("Lever ") + QString::fromStdString(t.lever),
                  QStringLiteral("Passage ") + QString::fromStdString(t.passage),
                  QStringLiteral("Coucher ") + QString::fromStdString(t.coucher)};
    for (const std::string& e : t.evenements)
        l << QString::fromStdString(e);
    return l;
}

JourCalendrier Calendrier::aujourdhui() const {
    const double tu = lit_horloge_tu(horloge_).instant.secondes;
    const double local = tu + zone_->decalage(tu);
    return jour_de_numero(std::floor(local / 86400));
}

void Calendrier::deplace(int jours) {
    montre(jour_de_numero(numero_jour(choisi_) + jours));
}

void Calendrier::change_mois(int sens) {
    JourCalendrier j = choisi_;
    if (sens < 0) {
        if (j.mois == 1) {
            j.mois = 12;
            --j.annee;
        } else {
            --j.mois;
        }
    } else if (j.mois == 12) {
        j.mois = 1;
        ++j.annee;
    } else {
        ++j.mois;
    }
    if (j.annee < AnneeMin || j.annee > AnneeMax) return;
    // The same day of the month, or the month's last one.
    j.jour = std::min(j.jour, jours_du_mois(j.annee, j.mois));
    montre(j);
}

void Calendrier::choisit() {
    emit jourChoisi(static_cast<int>(choisi_.annee), static_cast<int>(choisi_.mois),
                    static_cast<int>(choisi_.jour));
}

void Calendrier::met_a_jour_textes() {
    titre_->setText(titre_mois(choisi_.annee, choisi_.mois));
    titre_->setAccessibleName(titre_->text());
    sous_titre_->setText(
        QString::fromStdString(texte_lieu(lieu_) + ", heures en " + texte_decalages_mois(jours_, *zone_)));
    const auto j = std::find_if(jours_.begin(), jours_.end(),
                                [&](const JourLunaire& x) { return x.jour == choisi_.jour; });
    if (j != jours_.end()) {
        grille_->setAccessibleName(QString::fromStdString(resume_jour(*j, *zone_, marque_)));
        if (QAccessible::isActive()) {
            QAccessibleEvent e(grille_, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&e);
        }
    }
    grille_->update();
}

bool Calendrier::imprime() {
    if (!imprimante_.choisit(this)) return false;
    return imprimante_.imprime_page([this](QPainter& p, const QRectF& page) { dessine_page(p, page); });
}

void Calendrier::dessine_page(QPainter& p, const QRectF& page) const {
    p.save();
    p.fillRect(page, Qt::white);
    const double marge = page.height() * 0.02;
    const QRectF dedans = page.adjusted(marge, marge, -marge, -marge);
    const double h_titre = dedans.height() * 0.06;
    QFont police = p.font();
    police.setPixelSize(static_cast<int>(h_titre * 0.7));
    police.setBold(true);
    p.setFont(police);
    p.setPen(Qt::black);
    p.drawText(QRectF(dedans.left(), dedans.top(), dedans.width(), h_titre), Qt::AlignCenter,
               QStringLiteral("Calendrier lunaire : ") + titre_mois(choisi_.annee, choisi_.mois));
    police.setBold(false);
    police.setPixelSize(static_cast<int>(h_titre * 0.4));
    p.setFont(police);
    const double h_sous_titre = h_titre * 0.6;
    p.drawText(QRectF(dedans.left(), dedans.top() + h_titre, dedans.width(), h_sous_titre), Qt::AlignCenter,
               sous_titre_->text());
    GrilleMois::dessine(p, dedans.adjusted(0, h_titre + h_sous_titre + marge / 2, 0, 0), *this, true);
    p.restore();
}

} // namespace orbitel
