#include "window/graphe_hauteur.hpp"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "clock/calendrier.hpp"
#include "text/formats.hpp"
#include "text/textes_nuit.hpp"
#include "window/export_image.hpp"

namespace orbitel {

namespace {

constexpr double SecondesParJour = 86400;
constexpr double MargeGauche = 52, MargeDroite = 18, MargeHaut = 44, MargeBas = 50;
// How close to the curve the pointer must come for its values to show, logical pixels.
constexpr double ProximiteCourbe = 14;

QString q(const std::string& texte) {
    return QString::fromStdString(texte);
}

double secondes_tu(double jj) {
    return (jj - JourJulien1970) * SecondesParJour;
}

// The zone's wall clock at a UT instant, seconds from 1970 on that clock.
double secondes_locales(const Fuseau& fuseau, double jj) {
    const double s = secondes_tu(jj);
    return s + fuseau.decalage(s);
}

QFont police(double pixels, bool grasse = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(static_cast<int>(pixels));
    f.setBold(grasse);
    return f;
}

QPen trait(const QColor& c, double largeur, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(c, largeur, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

const char* const noms_bandes[] = {"Jour", "Crépuscule civil", "Nautique", "Astronomique", "Nuit"};

} // namespace

PaletteGraphe palette_graphe(bool papier) {
    if (papier)
        return {QColor(255, 255, 255),
                QColor(0, 0, 0),
                QColor(0, 0, 0, 70),
                QColor(0, 0, 0),
                QColor(0, 0, 0),
                QColor(0, 0, 0),
                QColor(0, 0, 0),
                {QColor(255, 255, 255), QColor(232, 232, 232), QColor(210, 210, 210), QColor(188, 188, 188),
                 QColor(166, 166, 166)}};
    return {
        QColor(0, 0, 0),
        QColor(255, 255, 255),
        QColor(255, 255, 255, 45),
        QColor(255, 255, 128),
        QColor(255, 224, 192),
        QColor(0, 224, 224),
        QColor(255, 160, 64),
        {QColor(62, 98, 156), QColor(42, 66, 118), QColor(26, 42, 84), QColor(14, 22, 50), QColor(4, 4, 12)}};
}

QRectF cadre_courbe() {
    return QRectF(QPointF(MargeGauche, MargeHaut),
                  QPointF(largeur_graphe - MargeDroite, hauteur_graphe - MargeBas));
}

QPointF position_graphe(const Intervalle& i, double jj, double hauteur) {
    const QRectF c = cadre_courbe();
    const double x = c.left() + (jj - i.debut) / i.duree() * c.width();
    const double y =
        c.bottom() - (hauteur - hauteur_min_graphe) / (hauteur_max_graphe - hauteur_min_graphe) * c.height();
    return {x, y};
}

double instant_graphe(const Intervalle& i, double x) {
    const QRectF c = cadre_courbe();
    return i.debut + (x - c.left()) / c.width() * i.duree();
}

void peint_graphe(QPainter& p, const VueGraphe& vue, const PaletteGraphe& palette) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, largeur_graphe, hauteur_graphe), palette.fond);
    const QRectF c = cadre_courbe();
    const Nuit& nuit = *vue.nuit;
    const Intervalle& i = nuit.intervalle;
    const Fuseau& fuseau = *vue.fuseau;
    const bool vide = nuit.points.empty();

    // Title: the night, the zone of its hours, the place.
    p.setPen(palette.texte);
    p.setFont(police(15, true));
    p.drawText(QRectF(c.left(), 4, c.width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Hauteur de la Lune"));
    p.setFont(police(12));
    if (!vide) {
        const double debut = secondes_locales(fuseau, i.debut);
        const double fin = secondes_locales(fuseau, i.fin - 1.0 / SecondesParJour);
        const auto jour = [](double s) { return static_cast<std::int64_t>(std::floor(s / SecondesParJour)); };
        p.drawText(QRectF(c.left(), 22, c.width(), 18), Qt::AlignLeft | Qt::AlignVCenter,
                   q(texte_titre_nuit(jour(debut), jour(fin), fuseau.decalage(secondes_tu(i.debut)))));
    }
    p.drawText(QRectF(c.left(), 4, c.width(), 20), Qt::AlignRight | Qt::AlignVCenter,
               q(texte_lieu_graphe(vue.lieu.Lat, vue.lieu.Lon, vue.marque)));

    // The bands of the sky.
    for (const BandeCiel& b : nuit.bandes) {
        const double x0 = position_graphe(i, b.debut, 0).x(), x1 = position_graphe(i, b.fin, 0).x();
        p.fillRect(QRectF(QPointF(x0, c.top()), QPointF(x1, c.bottom())),
                   palette.bandes[static_cast<int>(b.ciel)]);
    }

    // Altitudes every 15 degrees.
    p.setFont(police(11));
    for (double h = hauteur_min_graphe; h <= hauteur_max_graphe; h += 15) {
        const double y = position_graphe(i, i.debut, h).y();
        p.setPen(trait(palette.grille, 1));
        p.drawLine(QPointF(c.left(), y), QPointF(c.right(), y));
        p.setPen(palette.texte);
        p.drawText(QRectF(0, y - 8, c.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                   q(texte_image(h, "0")) + QStringLiteral("°"));
    }

    // The zone's whole hours, written every hour or every two as room allows.
    if (!vide) {
        const double par_heure = c.width() / (i.duree() * 24);
        const int tous_les = par_heure >= 40 ? 1 : 2;
        const double premiere = std::ceil(secondes_locales(fuseau, i.debut) / 3600 - 1e-6);
        for (int k = 0;; ++k) {
            // A whole hour of the wall clock, back to UT through the zone's offset there.
            const double jj =
                tu_depuis_local(fuseau, (premiere + k) * 3600) / SecondesParJour + JourJulien1970;
            if (jj > i.fin + 1e-9) break;
            if (jj < i.debut - 1e-9) continue;
            const double x = position_graphe(i, jj, 0).x();
            p.setPen(trait(palette.grille, 1));
            p.drawLine(QPointF(x, c.top()), QPointF(x, c.bottom()));
            const int heure = static_cast<int>(std::fmod(std::fmod(premiere + k, 24) + 24, 24));
            p.setPen(trait(palette.texte, 1));
            p.drawLine(QPointF(x, c.bottom()), QPointF(x, c.bottom() + 4));
            if (heure % tous_les == 0)
                p.drawText(QRectF(x - 24, c.bottom() + 5, 48, 15), Qt::AlignCenter,
                           q(texte_heure_axe(heure)));
        }
    }

    // The legend of the bands.
    {
        double x = c.left();
        const double y = c.bottom() + 26;
        p.setFont(police(11));
        for (int b = 0; b < 5; ++b) {
            p.setPen(trait(palette.texte, 1));
            p.setBrush(palette.bandes[b]);
            p.drawRect(QRectF(x, y + 3, 16, 11));
            const QString nom = QString::fromUtf8(noms_bandes[b]);
            const double l = QFontMetricsF(p.font()).horizontalAdvance(nom);
            p.drawText(QRectF(x + 21, y, l + 2, 17), Qt::AlignLeft | Qt::AlignVCenter, nom);
            x += 21 + l + 16;
        }
        p.setBrush(Qt::NoBrush);
    }

    p.setClipRect(c);
    // The horizon: the altitude the Moon rises and sets at.
    {
        const double y = position_graphe(i, i.debut, HauteurLever).y();
        p.setPen(trait(palette.horizon, 1.5, Qt::DashLine));
        p.drawLine(QPointF(c.left(), y), QPointF(c.right(), y));
        p.setPen(palette.horizon);
        p.setFont(police(11));
        p.drawText(QRectF(c.left() + 4, y - 16, 80, 15), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("Horizon"));
    }

    // The curve.
    if (!vide) {
        QPainterPath chemin;
        for (const PointNuit& pt : nuit.points) {
            const QPointF xy = position_graphe(i, pt.jj, pt.hauteur);
            if (chemin.elementCount() == 0)
                chemin.moveTo(xy);
            else
                chemin.lineTo(xy);
        }
        p.setPen(trait(palette.courbe, 2.5));
        p.drawPath(chemin);
    }

    // Rise, transit and set, each a dot on the curve with its time.
    struct Marque {
        EvenementGraphe evenement;
        double jj;
    };
    std::vector<Marque> marques;
    if (nuit.lever.trouve) marques.push_back({EvenementGraphe::lever, nuit.lever.jj});
    if (nuit.passage) marques.push_back({EvenementGraphe::passage, nuit.passage->jj});
    if (nuit.coucher.trouve) marques.push_back({EvenementGraphe::coucher, nuit.coucher.jj});
    p.setFont(police(12, true));
    for (const Marque& m : marques) {
        const auto ha = interpole(nuit, m.jj);
        if (!ha) continue;
        const QPointF xy = position_graphe(i, m.jj, ha->hauteur);
        p.setPen(trait(palette.courbe, 1, Qt::DotLine));
        p.drawLine(QPointF(xy.x(), xy.y()), QPointF(xy.x(), c.bottom()));
        p.setPen(trait(palette.fond, 1.5));
        p.setBrush(palette.courbe);
        p.drawEllipse(xy, 4.5, 4.5);
        p.setBrush(Qt::NoBrush);
        const QString texte = q(texte_evenement_graphe(m.evenement, secondes_locales(fuseau, m.jj)));
        const double l = QFontMetricsF(p.font()).horizontalAdvance(texte) + 4;
        // Beside the dot, on the side with room, above the curve; the transit's above the dot.
        double x = m.evenement == EvenementGraphe::lever     ? xy.x() + 8
                   : m.evenement == EvenementGraphe::coucher ? xy.x() - 8 - l
                                                             : xy.x() - l / 2;
        if (x < c.left() + 2) x = xy.x() + 8;
        if (x + l > c.right() - 2) x = xy.x() - 8 - l;
        double y = xy.y() - 24;
        if (y < c.top() + 2) y = xy.y() + 8;
        const QRectF cadre(x, y, l, 17);
        p.fillRect(cadre, QColor(palette.fond.red(), palette.fond.green(), palette.fond.blue(), 170));
        p.setPen(palette.texte);
        p.drawText(cadre, Qt::AlignCenter, texte);
    }

    // The present instant.
    if (vue.maintenant && *vue.maintenant >= i.debut && *vue.maintenant <= i.fin) {
        const double x = position_graphe(i, *vue.maintenant, 0).x();
        p.setPen(trait(palette.maintenant, 1.5));
        p.drawLine(QPointF(x, c.top()), QPointF(x, c.bottom()));
        p.setFont(police(11));
        p.setPen(palette.maintenant);
        const bool a_gauche = x > c.right() - 80;
        p.drawText(QRectF(a_gauche ? x - 84 : x + 4, c.top() + 2, 80, 15),
                   (a_gauche ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   QStringLiteral("Maintenant"));
    }

    // The keyboard's cursor.
    if (vue.curseur) {
        if (const auto ha = interpole(nuit, *vue.curseur)) {
            const QPointF xy = position_graphe(i, *vue.curseur, ha->hauteur);
            p.setPen(trait(palette.curseur, 1, Qt::DashLine));
            p.drawLine(QPointF(xy.x(), c.top()), QPointF(xy.x(), c.bottom()));
            p.setPen(trait(palette.curseur, 2));
            p.drawEllipse(xy, 6, 6);
        }
    }
    p.setClipping(false);
    p.setPen(trait(palette.texte, 1));
    p.drawRect(c);
    p.restore();
}

// The plot: painted at any size from the graph's own, pointed at and moved along from the keyboard.
class ZoneGraphe final : public QWidget {
public:
    explicit ZoneGraphe(GrapheHauteur& graphe) : QWidget(&graphe), graphe_(graphe) {
        setFixedSize(largeur_graphe, hauteur_graphe);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setAccessibleName(QStringLiteral("Courbe de la hauteur de la Lune"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        graphe_.peint(p, false);
        if (hasFocus()) {
            // Where the keyboard is: a frame just inside the plot's edge.
            p.setPen(QPen(QColor(255, 160, 64), 1, Qt::DotLine));
            p.drawRect(cadre_courbe().adjusted(2, 2, -2, -2));
        }
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        const Nuit& nuit = graphe_.nuit_;
        const QPointF pos = e->position();
        const double jj = instant_graphe(nuit.intervalle, pos.x());
        const auto ha = cadre_courbe().contains(pos) ? interpole(nuit, jj) : std::nullopt;
        if (ha &&
            std::fabs(position_graphe(nuit.intervalle, jj, ha->hauteur).y() - pos.y()) <= ProximiteCourbe) {
            const QString texte = graphe_.texte_point(jj);
            QToolTip::showText(e->globalPosition().toPoint(), texte, this);
            graphe_.ligne_->setText(texte);
        } else {
            QToolTip::hideText();
        }
    }

    void keyPressEvent(QKeyEvent* e) override {
        const bool grand = e->modifiers() & Qt::ShiftModifier;
        switch (e->key()) {
        case Qt::Key_Left:
            graphe_.deplace_curseur(-1, grand);
            break;
        case Qt::Key_Right:
            graphe_.deplace_curseur(1, grand);
            break;
        case Qt::Key_Home:
            graphe_.place_curseur(graphe_.nuit_.intervalle.debut);
            break;
        case Qt::Key_End:
            graphe_.place_curseur(graphe_.nuit_.intervalle.fin);
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
        }
        e->accept();
    }

    void focusInEvent(QFocusEvent* e) override {
        QWidget::focusInEvent(e);
        // The cursor appears with the focus, at the present instant when the night holds it.
        if (!graphe_.curseur_ && !graphe_.nuit_.points.empty()) {
            const Intervalle& i = graphe_.nuit_.intervalle;
            const double depart =
                graphe_.maintenant_ && *graphe_.maintenant_ >= i.debut && *graphe_.maintenant_ <= i.fin
                    ? *graphe_.maintenant_
                    : i.debut;
            graphe_.place_curseur(depart);
        }
        update();
    }

    void focusOutEvent(QFocusEvent* e) override {
        QWidget::focusOutEvent(e);
        update();
    }

private:
    GrapheHauteur& graphe_;
};

GrapheHauteur::GrapheHauteur(const Fuseau& fuseau, const Horloge& horloge, Imprimante& imprimante,
                             char marque, QWidget* parent)
    : QWidget(parent, Qt::Window), fuseau_(&fuseau), horloge_(horloge), imprimante_(imprimante),
      marque_(marque) {
    setWindowTitle(QStringLiteral("Hauteur de la Lune"));
    setAccessibleName(QStringLiteral("Hauteur de la Lune"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    zone_ = new ZoneGraphe(*this);
    ligne_ = new QLabel(this);
    ligne_->setAccessibleName(QStringLiteral("Point de la courbe"));
    ligne_->setMinimumHeight(20);
    ligne_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* png = new QPushButton(QStringLiteral("Exporter en PNG…"), this);
    auto* svg = new QPushButton(QStringLiteral("Exporter en SVG…"), this);
    auto* imprimer = new QPushButton(QStringLiteral("Imprimer…"), this);
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), this);
    png->setAccessibleName(QStringLiteral("Exporter en PNG"));
    svg->setAccessibleName(QStringLiteral("Exporter en SVG"));
    imprimer->setAccessibleName(QStringLiteral("Imprimer"));
    imprimer->setToolTip(QStringLiteral("Imprimer la courbe (Ctrl+P)"));
    fermer->setAccessibleName(QStringLiteral("Fermer"));
    fermer->setToolTip(QStringLiteral("Fermer la fenêtre (Échap)"));
    for (QPushButton* b : {png, svg, imprimer, fermer}) {
        b->setAutoDefault(false);
        b->setPalette(QApplication::palette());
    }
    connect(png, &QPushButton::clicked, this, &GrapheHauteur::demande_png);
    connect(svg, &QPushButton::clicked, this, &GrapheHauteur::demande_svg);
    connect(imprimer, &QPushButton::clicked, this, &GrapheHauteur::imprime);
    connect(fermer, &QPushButton::clicked, this, &QWidget::close);

    auto* boutons = new QHBoxLayout;
    boutons->addWidget(png);
    boutons->addWidget(svg);
    boutons->addWidget(imprimer);
    boutons->addStretch();
    boutons->addWidget(fermer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(zone_);
    colonne->addWidget(ligne_);
    colonne->addLayout(boutons);
    colonne->setSizeConstraint(QLayout::SetFixedSize);

    auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(echap, &QShortcut::activated, this, &QWidget::close);
    auto* ctrl_p = new QShortcut(QKeySequence::Print, this);
    connect(ctrl_p, &QShortcut::activated, this, &GrapheHauteur::imprime);

    minuterie_.setInterval(1000);
    connect(&minuterie_, &QTimer::timeout, this, &GrapheHauteur::actualise);
    zone_->setFocus();
}

void GrapheHauteur::montre(double jj, const Observateur& lieu, EchelleTemps echelle, const Fuseau* fuseau) {
    if (fuseau != nullptr) fuseau_ = fuseau;
    lieu_ = lieu;
    echelle_ = echelle;
    nuit_ = calcule_nuit(etat_, nuit_autour(jj, *fuseau_), lieu, echelle);
    curseur_.reset();
    texte_curseur_.clear();
    ligne_->clear();
    zone_->setAccessibleDescription(QString());
    actualise();
    zone_->update();
}

void GrapheHauteur::actualise() {
    const HorlogeTu t = horloge_.tu();
    const double jj = jour_julien(Instant{static_cast<double>(t.jour), static_cast<double>(t.mois),
                                          static_cast<double>(t.annee), static_cast<double>(t.heure),
                                          static_cast<double>(t.minute),
                                          static_cast<float>(t.seconde + t.millisecondes / 1000.0)});
    const auto x = [&](std::optional<double> m) {
        return m ? std::optional<int>(qRound(position_graphe(nuit_.intervalle, *m, 0).x() * 4))
                 : std::nullopt;
    };
    const bool bouge = x(maintenant_) != x(jj);
    maintenant_ = jj;
    // Repainted only when the line moves on the screen (by a quarter of a pixel, for 2x screens).
    if (bouge) zone_->update();
}

void GrapheHauteur::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    actualise();
    minuterie_.start();
}

void GrapheHauteur::hideEvent(QHideEvent* e) {
    minuterie_.stop();
    QWidget::hideEvent(e);
}

QString GrapheHauteur::texte_point(double jj) {
    const PointNuit p = point_nuit(etat_, jj, lieu_, echelle_);
    return q(texte_point_graphe(secondes_locales(*fuseau_, jj), p.hauteur, p.azimut, marque_));
}

QString GrapheHauteur::texte_curseur() const {
    return curseur_ ? texte_curseur_ : QString();
}

void GrapheHauteur::place_curseur(std::optional<double> jj) {
    if (nuit_.points.empty() || !jj) return;
    const Intervalle& i = nuit_.intervalle;
    curseur_ = std::clamp(*jj, i.debut, i.fin);
    const QString texte = texte_point(*curseur_);
    texte_curseur_ = texte;
    ligne_->setText(texte);
    // Screen readers say the point as the cursor moves.
    zone_->setAccessibleDescription(texte);
    QAccessibleEvent evenement(zone_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&evenement);
    zone_->update();
}

void GrapheHauteur::deplace_curseur(int sens, bool grand_pas) {
    if (nuit_.points.empty()) return;
    const Intervalle& i = nuit_.intervalle;
    const double pas = grand_pas ? 12 * PasNuit : PasNuit;
    // On the grid of 5 minutes from the start, so that a cursor put anywhere comes onto whole
    // minutes of the night at its first step.
    const double arrivee = (curseur_ ? *curseur_ : i.debut) + sens * pas;
    place_curseur(i.debut + std::round((arrivee - i.debut) / PasNuit) * PasNuit);
}

void GrapheHauteur::peint(QPainter& p, bool papier) const {
    VueGraphe vue;
    vue.nuit = &nuit_;
    vue.fuseau = fuseau_;
    vue.lieu = lieu_;
    vue.maintenant = maintenant_;
    vue.curseur = papier ? std::nullopt : curseur_;
    vue.marque = marque_;
    peint_graphe(p, vue, palette_graphe(papier));
}

bool GrapheHauteur::exporte_png(const QString& chemin, qreal ratio, bool papier) const {
    return orbitel::exporte_png(chemin, QSize(largeur_graphe, hauteur_graphe), ratio,
                                palette_graphe(papier).fond, [&](QPainter& p) { peint(p, papier); });
}

bool GrapheHauteur::exporte_svg(const QString& chemin, bool papier) const {
    return orbitel::exporte_svg(
        chemin, QSize(largeur_graphe, hauteur_graphe), QStringLiteral("Hauteur de la Lune"),
        QStringLiteral("Hauteur de la Lune au cours de la nuit"), [&](QPainter& p) { peint(p, papier); });
}

bool GrapheHauteur::imprime() {
    if (!imprimante_.choisit(this)) return false;
    return imprimante_.imprime_page([&](QPainter& p, const QRectF& page) {
        const QRectF place = place_sur_page(QSizeF(largeur_graphe, hauteur_graphe), page);
        p.translate(place.topLeft());
        p.scale(place.width() / largeur_graphe, place.height() / hauteur_graphe);
        peint(p, true);
    });
}

void GrapheHauteur::demande_png() {
    const QString chemin = QFileDialog::getSaveFileName(this, QStringLiteral("Exporter en PNG"),
                                                        QStringLiteral("hauteur-lune.png"),
                                                        QStringLiteral("Images PNG (*.png)"));
    if (!chemin.isEmpty()) exporte_png(chemin);
}

void GrapheHauteur::demande_svg() {
    const QString chemin = QFileDialog::getSaveFileName(this, QStringLiteral("Exporter en SVG"),
                                                        QStringLiteral("hauteur-lune.svg"),
                                                        QStringLiteral("Images SVG (*.svg)"));
    if (!chemin.isEmpty()) exporte_svg(chemin);
}

} // namespace orbitel
