#include "window/pos_lune.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>
#include <limits>

#include "ephemeris/moteur.hpp"
#include "ephemeris/topocentrique.hpp"
#include "events/delta_t.hpp"
#include "events/lever_coucher.hpp"
#include "events/phases.hpp"
#include "text/formats.hpp"
#include "text/lignes_lever_coucher.hpp"
#include "text/lignes_phases.hpp"
#include "text/note_locale.hpp"
#include "text/lignes_topocentriques.hpp"
#include "text/lignes_geocentriques.hpp"
#include "window/controles.hpp"
#include "window/dessin_lune.hpp"
#include "window/enregistrement.hpp"
#include "window/notice_horloge.hpp"
#include "window/images.hpp"

namespace orbitel {

namespace {

// Delta T of a year, in days, as the phase dates use it; 0 past the years the rule is written for.
float delta_t_jours(long long annee) {
    if (annee < -32767 || annee > 32767) return 0;
    return calcule_delta_t(static_cast<std::int16_t>(annee)).jours;
}

// The window is designed in twips; at 15 twips to a device-independent pixel it keeps its
// proportions at any screen density.
int px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }
QRect tw(int x, int y, int largeur, int hauteur) { return {px(x), px(y), px(largeur), px(hauteur)}; }

constexpr int largeur_fenetre = 9600, hauteur_fenetre = 6525;

const QColor noir(0, 0, 0), blanc(255, 255, 255), creme(255, 255, 192), gris_clair(224, 224, 224),
    gris(192, 192, 192), gris_moyen(128, 128, 128), jaune_pale(255, 255, 128), lavande(192, 192, 255),
    vert(0, 192, 0), rouge(192, 0, 0);

QFont arial() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8.25);
    return f;
}

void couleur_texte(QWidget* w, const QColor& texte) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, texte);
    p.setColor(QPalette::Text, texte);
    w->setPalette(p);
}

void couleur_fond(QWidget* w, const QColor& fond) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, fond);
    p.setColor(QPalette::Base, fond);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QString qt(const std::string& s) { return QString::fromStdString(s); }
std::string texte(const QLineEdit* champ) { return champ->text().toStdString(); }

// A step of start-up, of the mode switch or of the compute action: if it fails, it is abandoned and
// the next one runs; nothing escapes into the event loop.
template <class Etape> void etape(Etape&& e) {
    try {
        e();
    } catch (...) {
    }
}

// The busy pointer for the length of a search, restored however the search ends.
class CurseurOccupe {
  public:
    CurseurOccupe() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CurseurOccupe() { QGuiApplication::restoreOverrideCursor(); }
    CurseurOccupe(const CurseurOccupe&) = delete;
    CurseurOccupe& operator=(const CurseurOccupe&) = delete;
};

} // namespace

PosLune::PosLune(const Horloge& horloge, MagasinReglages& reglages, Navigateur& navigateur, char marque,
                 QWidget* parent)
    : QWidget(parent), horloge_(horloge), reglages_(reglages), navigateur_(navigateur), marque_(marque) {
    fin_programme = [] { QCoreApplication::quit(); };
    setObjectName(QStringLiteral("PosLune"));
    setWindowTitle(QStringLiteral("Notre Satellite, la Lune..."));
    setWindowIcon(icone_orbitel());
    setFixedSize(px(largeur_fenetre), px(hauteur_fenetre));
    QFont defaut(QStringLiteral("Arial"));
    defaut.setPointSizeF(7.5);
    setFont(defaut);
    QPalette p = palette();
    p.setColor(QPalette::Window, noir);
    p.setColor(QPalette::WindowText, blanc);
    setPalette(p);
    setAutoFillBackground(true);

    surface_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    surface_.fill(Qt::transparent);

    cree_controles();
}

PosLune::~PosLune() = default;

void PosLune::cree_controles() {
    const auto nomme = [](QObject* o, const QString& nom) { o->setObjectName(nom); };
    const auto indice = [](const char* nom, int i) { return QStringLiteral("%1_%2").arg(QLatin1String(nom)).arg(i); };

    // Notices first, so that Frame1 covers them while the entry fields are shown.
    const std::array<int, 2> hauts_notices{5265, 5715};
    const std::array<QColor, 2> couleurs_notices{gris_moyen, gris_clair};
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(QStringLiteral("xxx"), this);
        nomme(l, indice("Label10", i));
        l->setGeometry(tw(150, hauts_notices[i], 4800, i == 0 ? 450 : 300));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        couleur_texte(l, couleurs_notices[i]);
        Label10[i] = l;
    }

    Label19 = new QLabel(this);
    nomme(Label19, QStringLiteral("Label19"));
    Label19->setGeometry(tw(150, 6075, 4950, 300));

    Image4 = new QLabel(this);
    nomme(Image4, QStringLiteral("Image4"));
    Image4->setGeometry(tw(0, 0, 5505, 5250));
    Image4->hide();

    // The chosen instant's entry fields.
    Frame1 = new QFrame(this);
    nomme(Frame1, QStringLiteral("Frame1"));
    Frame1->setGeometry(tw(105, 5220, 4860, 795));
    couleur_fond(Frame1, noir);
    Shape1[0] = new Forme(Frame1);
    Shape1[0]->setGeometry(tw(120, 30, 4620, 720));
    const std::array<int, 3> gauches_date{225, 825, 1410}, gauches_heure{2235, 2985, 3705};
    const std::array<const char*, 6> legendes{"Jour", "Mois", "An", "Heures", "minutes", "secondes"};
    for (int i = 0; i < 3; ++i) {
        Date[i] = new QLineEdit(Frame1);
        nomme(Date[i], indice("Date", i));
        Date[i]->setGeometry(tw(gauches_date[i], 330, 525, 315));
        Heure[i] = new QLineEdit(Frame1);
        nomme(Heure[i], indice("Heure", i));
        Heure[i]->setGeometry(tw(gauches_heure[i], 330, 525, 315));
    }
    for (int i = 0; i < 6; ++i) {
        const int gauche = i < 3 ? gauches_date[i] : gauches_heure[i - 3];
        auto* l = new QLabel(QString::fromUtf8(legendes[i]), Frame1);
        nomme(l, indice("Label11", i));
        l->setGeometry(tw(gauche - 135, 105, 795, 210));
        l->setAlignment(Qt::AlignCenter);
        couleur_texte(l, gris_clair);
        Label11[i] = l;
    }
    for (QLineEdit* champ : {Date[0], Date[1], Date[2], Heure[0], Heure[1], Heure[2]}) {
        champ->setFont(arial());
        couleur_fond(champ, creme);
        couleur_texte(champ, noir);
    }
    Frame1->hide();

    // The button row.
    const auto bouton = [&](QPushButton*& b, const char* nom, const QString& legende, int gauche, int largeur) {
        b = new QPushButton(legende, this);
        nomme(b, QLatin1String(nom));
        b->setGeometry(tw(gauche, 6060, largeur, 360));
        b->setFocusPolicy(Qt::TabFocus);
    };
    bouton(Command2, "Command2", QStringLiteral("&Quitter"), 150, 930);
    bouton(Command4, "Command4", QStringLiteral("&A Propos"), 1065, 1065);
    bouton(Command1, "Command1", QStringLiteral("Choisir un &Instant"), 2115, 1470);
    bouton(Command3, "Command3", QStringLiteral("&Calcul"), 3570, 945);
    bouton(Command5, "Command5", QString(), 4500, 615);
    for (QPushButton* b : {Command1, Command2, Command3, Command4}) b->setFont(arial());
    Command5->setIcon(QIcon(image_imprimante(devicePixelRatioF())));
    Command5->setIconSize(QSize(16, 16));
    Command5->setToolTip(QStringLiteral("Imprimer"));
    Command3->hide();
    Command5->hide();

    dummy = new QLineEdit(this);
    nomme(dummy, QStringLiteral("dummy"));
    dummy->setGeometry(px(245745), 0, px(525), px(315));

    // The results panel.
    Frame2 = new QFrame(this);
    nomme(Frame2, QStringLiteral("Frame2"));
    Frame2->setGeometry(tw(5460, 75, 4035, 7200));
    couleur_fond(Frame2, noir);

    Shape1[1] = new Forme(Frame2);
    Shape1[1]->setGeometry(tw(45, 15, 3945, 2700));
    const auto ligne = [&](QLabel*& l, const char* nom, const QColor& couleur) {
        l = new QLabel(QStringLiteral("Info"), Frame2);
        nomme(l, QLatin1String(nom));
        l->setFont(arial());
        l->move(px(135), 0);
        couleur_texte(l, couleur);
        l->adjustSize();
    };
    ligne(Label1, "Label1", gris_clair);
    ligne(Label2, "Label2", gris_clair);
    ligne(Label3, "Label3", gris_clair);
    ligne(Label4, "Label4", gris_clair);
    ligne(Label5, "Label5", gris_clair);
    ligne(Label6, "Label6", gris_clair);
    ligne(Label7, "Label7", gris_clair);
    ligne(Label8, "Label8", gris_clair);
    ligne(Label9, "Label9", lavande);
    ligne(Label14, "Label14", jaune_pale);
    ligne(Label15, "Label15", jaune_pale);
    ligne(Label16, "Label16", jaune_pale);
    for (QLabel* l : {Label14, Label15, Label16}) {
        l->setText(QStringLiteral("---"));
        l->adjustSize();
    }

    Shape1[3] = new Forme(Frame2);
    Shape1[3]->setGeometry(tw(45, 2775, 3945, 330));
    ligne(Label12, "Label12", gris_clair);
    ligne(Label13, "Label13", gris_clair);
    Label12->move(px(135), px(2835));
    Label13->move(px(2085), px(2835));
    for (QLabel* l : {Label12, Label13}) {
        l->setText(QStringLiteral("---"));
        l->adjustSize();
    }

    // The place.
    Shape1[4] = new Forme(Frame2);
    Shape1[4]->setGeometry(tw(45, 3165, 3945, 600));
    Label17[0] = new QLabel(QStringLiteral("Coordonnées du lieu"), Frame2);
    Label17[0]->setGeometry(tw(135, 3195, 1800, 210));
    const auto champ_lieu = [&](QLineEdit*& c, const char* nom, int i, int gauche) {
        c = new QLineEdit(Frame2);
        nomme(c, indice(nom, i));
        c->setGeometry(tw(gauche, 3405, 360, 315));
        // The field holds whatever the store gave back, however long: the text is kept as saved.
        c->setMaxLength(std::numeric_limits<int>::max());
        couleur_fond(c, creme);
        couleur_texte(c, noir);
    };
    champ_lieu(TLat[0], "TLat", 0, 120);
    champ_lieu(TLat[1], "TLat", 1, 510);
    champ_lieu(TLon[0], "TLon", 0, 1995);
    champ_lieu(TLon[1], "TLon", 1, 2385);
    const auto hemisphere = [&](QFrame*& cadre, const char* nom_cadre, std::array<QRadioButton*, 2>& options,
                                const char* nom, const char* a, const char* b, int gauche) {
        cadre = new QFrame(Frame2);
        nomme(cadre, QLatin1String(nom_cadre));
        cadre->setGeometry(tw(gauche, 3390, 1035, 345));
        couleur_fond(cadre, gris_moyen);
        const std::array<const char*, 2> legendes_options{a, b};
        for (int i = 0; i < 2; ++i) {
            auto* o = new QRadioButton(QLatin1String(legendes_options[i]), cadre);
            nomme(o, indice(nom, i));
            o->setGeometry(tw(30 + i * 495, 30, 480, 285));
            // White on black, the indicator keeping its own light face with a dark mark: the
            // frame's grey would otherwise fill it, and a checked option would hardly differ from
            // an unchecked one.
            QPalette pal = o->palette();
            pal.setColor(QPalette::Window, noir);
            pal.setColor(QPalette::Button, noir);
            pal.setColor(QPalette::WindowText, blanc);
            pal.setColor(QPalette::ButtonText, blanc);
            pal.setColor(QPalette::Base, blanc);
            pal.setColor(QPalette::Text, noir);
            o->setPalette(pal);
            o->setAutoFillBackground(true);
            options[i] = o;
        }
        options[0]->setChecked(true);
    };
    hemisphere(Frame3, "Frame3", Option1, "Option1", "N", "S", 915);
    hemisphere(Frame4, "Frame4", Option2, "Option2", "E", "O", 2790);

    // Rise and set.
    Shape1[5] = new Forme(Frame2);
    Shape1[5]->setGeometry(tw(45, 3810, 3945, 660));
    Label17[1] = new QLabel(QStringLiteral("T.U."), Frame2);
    Label17[1]->setGeometry(tw(135, 3840, 600, 210));
    for (QLabel* l : Label17) {
        couleur_fond(l, noir);
        couleur_texte(l, gris);
    }
    nomme(Label17[0], indice("Label17", 0));
    nomme(Label17[1], indice("Label17", 1));
    const std::array<QColor, 2> couleurs_lever{vert, rouge};
    for (int i = 0; i < 2; ++i) {
        Label18[i] = new QLabel(QStringLiteral("---"), Frame2);
        nomme(Label18[i], indice("Label18", i));
        Label18[i]->setGeometry(tw(135, 4035 + i * 210, 3780, 210));
        couleur_texte(Label18[i], couleurs_lever[i]);
    }

    // The phase panel.
    Shape1[2] = new Forme(Frame2);
    Shape1[2]->setGeometry(tw(45, 4515, 3945, 1920));
    Image1 = new QLabel(Frame2);
    nomme(Image1, QStringLiteral("Image1"));
    Image1->setGeometry(tw(105, 4575, 390, 1815));
    Image1->setPixmap(image_petites_lunes(devicePixelRatioF()));
    const std::array<QColor, 5> couleurs_phases{gris_clair, gris_clair, blanc, gris_clair, lavande};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(QStringLiteral("---"), Frame2);
        nomme(l, indice("LabPhase", i));
        l->setGeometry(tw(525, 4575 + i * 363 + 75, 3450, 210));
        couleur_texte(l, couleurs_phases[i]);
        LabPhase[i] = l;
    }

    for (int i = 0; i < 6; ++i) nomme(Shape1[i], indice("Shape1", i));

    // Stepping through the lunations, at the right edge of the drawing.
    Image2 = new ImageCliquable(this);
    nomme(Image2, QStringLiteral("Image2"));
    Image2->setGeometry(tw(5130, 4575, 315, 285));
    Image2->setPixmap(image_fleche(true, devicePixelRatioF()));
    Image2->setToolTip(QStringLiteral("Cycle précédent"));
    Image3 = new ImageCliquable(this);
    nomme(Image3, QStringLiteral("Image3"));
    Image3->setGeometry(tw(5130, 5970, 315, 285));
    Image3->setPixmap(image_fleche(false, devicePixelRatioF()));
    Image3->setToolTip(QStringLiteral("Cycle suivant"));

    Timer1 = new QTimer(this);
    nomme(Timer1, QStringLiteral("Timer1"));
    Timer1->setInterval(500);

    Frame1->raise();

    // Events. Every handler is a step of its own: a failure inside is dropped there, never thrown
    // into the event loop.
    connect(Timer1, &QTimer::timeout, this, [this] { etape([this] { tick(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { etape([this] { bascule_mode(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { etape([this] { quitte(); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { etape([this] { calcul(); }); });
    connect(Command4, &QPushButton::clicked, this, [this] { etape([this] { a_propos(); }); });
    connect(Command5, &QPushButton::clicked, this, [this] { etape([this] { imprime(); }); });
    connect(Image2, &ImageCliquable::clic, this, [this] { etape([this] { cycle_precedent(); }); });
    connect(Image3, &ImageCliquable::clic, this, [this] { etape([this] { cycle_suivant(); }); });
    for (QLineEdit* champ : {TLat[0], TLat[1], TLon[0], TLon[1]})
        connect(champ, &QLineEdit::textChanged, this, [this] { etape([this] { lit_lieu(); }); });
    for (QRadioButton* o : {Option1[0], Option1[1], Option2[0], Option2[1]})
        connect(o, &QRadioButton::clicked, this, [this] { etape([this] { lit_lieu(); }); });

    Timer1->start();
}

// ---- Start-up -------------------------------------------------------------------------------

void PosLune::demarre() {
    etape([this] { place_etiquettes(); });
    etape([this] { applique_lieu(restaure_lieu(reglages_)); });
    etape([this] { calcule_lune(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_phases_de_l_instant(); });
    etape([this] {
        show();
        QCoreApplication::processEvents();
    });
    etape([this] { lever_coucher(); });
    etape([this] { Label17[0]->setProperty("Tag", QStringLiteral("OK")); });
    etape([this] { ecrit_notice_horloge(); });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::place_etiquettes() {
    int haut = 60;
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5, Label6, Label14, Label15, Label16, Label7, Label8,
                      Label9}) {
        l->move(l->x(), px(haut));
        haut += 220;
    }
}

bool PosLune::demarrage_termine() const { return Label17[0]->property("Tag").toString() == QStringLiteral("OK"); }

void PosLune::ecrit_notice_horloge() {
    ecrit_notice_ecart_local(*Label10[1], ecart_local_plausible(horloge_tu, horloge_.locale()));
}

void PosLune::donne_focus_dummy() { dummy->setFocus(Qt::OtherFocusReason); }

// ---- The place ------------------------------------------------------------------------------

void PosLune::applique_lieu(const ChampsLieu& lieu) {
    // In the restore's order, each on its own; every change reads the place again, as a user's
    // would, while the guard keeps the search from running.
    etape([&] { TLat[0]->setText(qt(lieu.lat0)); });
    etape([&] { TLat[1]->setText(qt(lieu.lat1)); });
    etape([&] { TLon[0]->setText(qt(lieu.lon0)); });
    etape([&] { TLon[1]->setText(qt(lieu.lon1)); });
    etape([&] {
        Option1[lieu.nord ? 0 : 1]->setChecked(true);
        lit_lieu();
    });
    etape([&] {
        Option2[lieu.est ? 0 : 1]->setChecked(true);
        lit_lieu();
    });
}

ChampsLieu PosLune::lieu_affiche() const {
    ChampsLieu l;
    l.lat0 = texte(TLat[0]);
    l.lat1 = texte(TLat[1]);
    l.lon0 = texte(TLon[0]);
    l.lon1 = texte(TLon[1]);
    l.nord = Option1[0]->isChecked();
    l.est = Option2[0]->isChecked();
    return l;
}

void PosLune::lit_lieu() {
    lieu_ = orbitel::lit_lieu(lieu_affiche());
    if (lieu_) {
        Lat = lieu_->Lat;
        Lon = lieu_->Lon;
    }
    if (demarrage_termine()) lever_coucher();
}

void PosLune::sauve_lieu() {
    if (decharge_) return;
    decharge_ = true;
    enregistre_lieu_en_quittant(*this, reglages_, lieu_affiche());
}

void PosLune::closeEvent(QCloseEvent* e) {
    etape([this] { sauve_lieu(); });
    e->accept();
}

// ---- Computing ------------------------------------------------------------------------------

bool PosLune::temps_reel() const { return Timer1->isActive(); }

void PosLune::acquiert_instant() {
    if (temps_reel()) {
        lit_instant(instant, horloge_tu, horloge_);
    } else {
        ChampsInstant champs;
        champs.heures = texte(Heure[0]);
        champs.minutes = texte(Heure[1]);
        champs.secondes = texte(Heure[2]);
        champs.jour = texte(Date[0]);
        champs.mois = texte(Date[1]);
        champs.an = texte(Date[2]);
        lit_instant(instant, champs);
    }
}

void PosLune::ecrit_ligne(QLabel* label, const std::string& t) {
    label->setText(qt(t));
    label->adjustSize();
}

void PosLune::calcule_lune() {
    acquiert_instant();
    orbitel::calcule_lune(etat, instant);
    const LignesGeocentriques l = lignes_geocentriques(etat, marque_);
    ecrit_ligne(Label9, l.Label9);
    ecrit_ligne(Label1, l.Label1);
    ecrit_ligne(Label2, l.Label2);
    ecrit_ligne(Label3, l.Label3);
    ecrit_ligne(Label4, l.Label4);
    ecrit_ligne(Label5, l.Label5);
    ecrit_ligne(Label6, l.Label6);
    ecrit_ligne(Label7, l.Label7);
    Label7->setToolTip(qt(l.infobulle_Label7));
    ecrit_ligne(Label8, l.Label8);
}

void PosLune::dessine_phase_calculee() {
    // An instant that cannot be computed shows nothing new: the last drawing stays.
    if (est_calculable(etat)) dessine_lune(etat.Phase / 100);
}

void PosLune::dessine_lune(double partie_illuminee) {
    if (!std::isfinite(partie_illuminee)) return;
    const qreal ratio = devicePixelRatioF();
    const PaletteLune palette = palette_lune(PR);
    // The surface is opaque, in the palette's background, around the drawing too: a transparent
    // surround would print as a grey seam along the drawing's box once the page is scaled.
    if (surface_.devicePixelRatio() != ratio || surface_.size() != size() * ratio ||
        fond_surface_ != palette.sombre) {
        surface_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        surface_.setDevicePixelRatio(ratio);
        surface_.fill(palette.sombre);
        fond_surface_ = palette.sombre;
    }
    bool droite = etat.EstOuest == "Est";
    if (Lat < 0) droite = !droite;
    QPainter p(&surface_);
    p.scale(1 / 15.0, 1 / 15.0); // the image's own ratio maps pixels to device pixels
    dessine_phase(p, partie_illuminee, droite, palette);
    p.end();
    update();
}

void PosLune::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), surface_);
}

void PosLune::affiche_hauteur_azimut() {
    LignesTopocentriques l = lignes_topocentriques_absentes();
    if (lieu_ && est_calculable(etat)) {
        // Like the engine, the topocentric step leaves its right ascension and declination in etat.
        const Topocentrique t = calcule_topocentrique(etat, lieu_->Lat, lieu_->lon_est());
        etat.Ascension = t.ad;
        etat.Declinaison = t.decl;
        l = lignes_topocentriques(t, marque_);
    }
    ecrit_ligne(Label14, l.Label14);
    ecrit_ligne(Label16, l.Label16);
    ecrit_ligne(Label15, l.Label15);
    if (!PR) couleur_texte(Label12, l.sous_horizon ? rouge : vert);
    ecrit_ligne(Label12, l.Label12);
    ecrit_ligne(Label13, l.Label13);
}

void PosLune::lever_coucher() {
    emit rechercheLeverCoucher();
    const CurseurOccupe occupe;
    Label18[0]->setText(QStringLiteral("Lever: ---"));
    Label18[1]->setText(QStringLiteral("Coucher: ---"));
    acquiert_instant();
    date_recherche_ = std::array<double, 3>{instant.jour, instant.mois, instant.an};
    if (!lieu_) return;
    const LignesLeverCoucher l = lignes_lever_coucher(orbitel::lever_coucher(etat, instant, *lieu_), marque_);
    Label18[0]->setText(qt(l.Label18_0));
    Label18[1]->setText(qt(l.Label18_1));
}

// ---- The phase panel ------------------------------------------------------------------------

void PosLune::affiche_phases_de_l_instant() {
    if (const auto r = date_de_instant(instant)) affiche_phases(*r);
}

void PosLune::affiche_phases(const DateHeure& reference) {
    reference_ = reference;
    DeltaT = delta_t_jours(reference.annee());
    const LignesPhases l = lignes_phases(reference, marque_);
    Label10[0]->setText(qt(l.Label10_0));
    for (int i = 0; i < 5; ++i) LabPhase[i]->setText(qt(l.LabPhase[i]));
}

void PosLune::cycle_precedent() {
    if (!reference_) return;
    if (const auto r = pas_de_cycle(*reference_, SensCycle::precedent)) affiche_phases(*r);
}

void PosLune::cycle_suivant() {
    if (!reference_) return;
    if (const auto r = pas_de_cycle(*reference_, SensCycle::suivant)) affiche_phases(*r);
}

// ---- Handlers -------------------------------------------------------------------------------

void PosLune::tick() {
    etape([this] { calcule_lune(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] { affiche_hauteur_azimut(); });
    // A daylight-saving switch while the program runs: the notice follows at the first tick.
    etape([this] {
        if (demarrage_termine() && temps_reel()) ecrit_notice_horloge();
    });
    // Past midnight UT the rise and set lines would describe yesterday: search the new day.
    etape([this] {
        const std::array<double, 3> date{instant.jour, instant.mois, instant.an};
        if (demarrage_termine() && temps_reel() && date_recherche_ && *date_recherche_ != date) lever_coucher();
    });
}

void PosLune::bascule_mode() {
    etape([this] {
        if (Timer1->isActive()) {
            Timer1->stop();
        } else {
            Timer1->start();
        }
    });
    if (!temps_reel()) {
        etape([this] {
            Date[0]->setText(qt(texte_image(instant.jour, "00", marque_)));
            Date[1]->setText(qt(texte_image(instant.mois, "00", marque_)));
            Date[2]->setText(qt(texte_image(instant.an, "0000", marque_)));
            Heure[0]->setText(qt(texte_image(instant.heures, "00", marque_)));
            Heure[1]->setText(qt(texte_image(instant.minutes, "00", marque_)));
            Heure[2]->setText(qt(texte_image(instant.secondes, "00", marque_)));
        });
        etape([this] {
            Frame1->show();
            Command5->show();
        });
        etape([this] { Command1->setText(QStringLiteral("&Temps réel")); });
    } else {
        etape([this] {
            Frame1->hide();
            Command5->hide();
        });
        etape([this] { Command1->setText(QStringLiteral("Choisir un &Instant")); });
        etape([] { QCoreApplication::processEvents(); });
        etape([this] { affiche_phases_de_l_instant(); });
        etape([this] { lever_coucher(); });
        // Delta T follows the present year; the notice keeps describing the panel's hours.
        etape([this] { DeltaT = delta_t_jours(horloge_.locale().annee); });
    }
    etape([this] {
        Command3->setVisible(!Frame1->isHidden());
        Command5->setVisible(!Frame1->isHidden());
    });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::calcul() {
    etape([this] { calcule_lune(); });
    etape([this] { dessine_phase_calculee(); });
    etape([this] {
        if (date_valide(instant)) affiche_phases_de_l_instant();
    });
    etape([this] { affiche_hauteur_azimut(); });
    etape([this] { lever_coucher(); });
    etape([this] { donne_focus_dummy(); });
}

void PosLune::quitte() {
    etape([this] { sauve_lieu(); });
    close();
    if (fin_programme) fin_programme();
}

void PosLune::a_propos() {
    if (action_a_propos) action_a_propos(*this);
    donne_focus_dummy();
}

void PosLune::imprime() {
    if (action_impression) action_impression(*this);
    donne_focus_dummy();
}

} // namespace orbitel
