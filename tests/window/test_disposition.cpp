// Layout faults of the forms, with the fonts installed here: every caption fits its control, nothing
// visible overlaps anything else, and everything lies inside its frame and inside the window; in
// real-time mode, in chosen-instant mode, on the printed page and in the About box. The design's own
// exceptions are named below, each with its reason.
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "outils.hpp"
#include "window/apropos.hpp"
#include "window/cadre_focus.hpp"
#include "window/controles.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

// Pairs of controls whose visible parts overlap by design (a frame's pair holds for all it holds).
const std::set<std::pair<QString, QString>> chevauchements_voulus{
    // The entry fields' frame lies over both notices: they are covered while the fields are shown.
    {"Frame1", "Label10_0"},
    {"Frame1", "Label10_1"},
    // The row of buttons is designed in twips with each button 15 twips (one pixel) over the next.
    {"Command2", "Command4"},
    {"Command4", "Command1"},
    {"Command1", "Command3"},
    {"Command3", "Command5"},
    // The printed copy of the drawing is 5505 twips wide and the results frame starts at 5460: the
    // copy covers the frame's bare black margin, left of its shapes.
    {"Image4", "Frame2"},
    // It is also 5250 twips high and the entry fields' frame starts at 5220: the copy covers that
    // frame's bare top margin, above its shape.
    {"Image4", "Frame1"},
};

// Controls that lie outside the window by design.
const std::set<QString> hors_fenetre_voulus{
    "Frame2", // the results frame runs past the window's foot
    "dummy",  // the parked focus stands beyond any screen, so that the focus it takes is never seen
};

std::string nom(const QWidget* w) {
    return w->objectName().toStdString();
}

// The rectangle a label's text takes, laid out as the label lays it out, in the label's coordinates.
QRect place_du_texte(const QLabel* l) {
    const QRect cadre = l->contentsRect();
    const QFontMetrics m(l->font());
    const int retour = l->wordWrap() ? Qt::TextWordWrap : 0;
    const QRect boite =
        m.boundingRect(QRect(0, 0, cadre.width(), 100000), Qt::AlignLeft | Qt::AlignTop | retour, l->text());
    // The glyphs of each line and the leading between lines; the layout's box also counts a spacing
    // below the last line, where nothing is drawn.
    const int lignes = std::max(1, static_cast<int>(std::lround(double(boite.height()) / m.lineSpacing())));
    const QSize taille(boite.width(), lignes * m.height() + (lignes - 1) * m.leading());
    return QStyle::alignedRect(l->layoutDirection(), l->alignment(), taille, cadre);
}

// What a user sees of a control, in the control's coordinates: a label's text or picture, the
// whole of anything else (fields, buttons, frames, shapes, the arrows' pictures). Empty for a label
// with nothing to show.
QRect partie_visible(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        const QPixmap image = l->pixmap();
        if (!image.isNull())
            return QStyle::alignedRect(l->layoutDirection(), l->alignment(),
                                       (QSizeF(image.size()) / image.devicePixelRatio()).toSize(),
                                       l->contentsRect());
        return l->text().isEmpty() ? QRect() : place_du_texte(l);
    }
    return w->rect();
}

QString sans_touche_d_acces(QString texte) {
    return texte.replace(QLatin1String("&&"), QLatin1String("\x01")).remove('&').replace('\x01', '&');
}

// The captions and texts that do not fit their controls.
std::vector<std::string> legendes_coupees(const std::vector<QWidget*>& controles) {
    std::vector<std::string> fautes;
    const auto taille = [](QSize s) { return std::to_string(s.width()) + "x" + std::to_string(s.height()); };
    const auto faute = [&](const QWidget* w, const QString& texte, QSize besoin, QSize place) {
        fautes.push_back(nom(w) + ": \"" + texte.toStdString() + "\" needs " + taille(besoin) + " px, has " +
                         taille(place));
    };
    for (QWidget* w : controles) {
        if (const auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull()) continue;
            const QRect texte = place_du_texte(l);
            if (!l->contentsRect().contains(texte))
                faute(l, l->text(), texte.size(), l->contentsRect().size());
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            option.icon = b->icon();
            option.iconSize = b->iconSize();
            const QRect contenu = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
            const int image = b->icon().isNull() ? 0 : b->iconSize().width();
            const int besoin = b->fontMetrics().horizontalAdvance(sans_touche_d_acces(b->text())) + image;
            if (besoin > contenu.width()) faute(b, b->text(), {besoin, 0}, contenu.size());
        } else if (auto* o = qobject_cast<QRadioButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(o);
            option.text = o->text();
            const QRect contenu = o->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, o);
            const int besoin = o->fontMetrics().horizontalAdvance(o->text());
            if (besoin > contenu.width()) faute(o, o->text(), {besoin, 0}, contenu.size());
        } else if (auto* c = qobject_cast<QLineEdit*>(w)) {
            QStyleOptionFrame option;
            option.initFrom(c);
            option.lineWidth =
                c->hasFrame() ? c->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, c) : 0;
            const QRect contenu = c->style()->subElementRect(QStyle::SE_LineEditContents, &option, c);
            // QLineEdit keeps two pixels between the text and each side of its contents.
            const int place = contenu.marginsRemoved(c->textMargins()).width() - 2 * 2;
            const int besoin = c->fontMetrics().horizontalAdvance(c->text());
            if (besoin > place) faute(c, c->text(), {besoin, 0}, {place, 0});
        }
    }
    return fautes;
}

// Every shown control of `racine` but the focus frame, which draws only around the focused control.
std::vector<QWidget*> controles_montres(QWidget& racine) {
    std::vector<QWidget*> montres;
    for (QWidget* w : racine.findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(&racine) || qobject_cast<CadreFocus*>(w) != nullptr) continue;
        montres.push_back(w);
    }
    return montres;
}

QRect dans_la_fenetre(QWidget& racine, const QWidget* w, const QRect& r) {
    return r.translated(w->mapTo(&racine, QPoint(0, 0)));
}

bool voulu(const QWidget* a, const QWidget* b) {
    for (const QWidget* x = a; x != nullptr; x = x->parentWidget())
        for (const QWidget* y = b; y != nullptr; y = y->parentWidget())
            if (chevauchements_voulus.count({x->objectName(), y->objectName()}) != 0 ||
                chevauchements_voulus.count({y->objectName(), x->objectName()}) != 0)
                return true;
    return false;
}

// Overlaps, and controls cut by their frame or the window. A shape (the rounded outline around a
// group) must hold a control whole or keep clear of it.
std::vector<std::string> fautes_de_place(QWidget& racine) {
    std::vector<std::string> fautes;
    const std::vector<QWidget*> controles = controles_montres(racine);
    const QRect fenetre = racine.rect();
    for (QWidget* w : controles) {
        const QRect visible = partie_visible(w);
        if (visible.isEmpty()) continue;
        if (!w->parentWidget()->rect().contains(visible.translated(w->pos())) && w->parentWidget() != &racine)
            fautes.push_back(nom(w) + " is cut by its frame " + nom(w->parentWidget()));
        if (!fenetre.contains(dans_la_fenetre(racine, w, visible)) &&
            !hors_fenetre_voulus.count(w->objectName()))
            fautes.push_back(nom(w) + " lies outside the window");
    }
    for (std::size_t i = 0; i < controles.size(); ++i) {
        for (std::size_t j = i + 1; j < controles.size(); ++j) {
            QWidget* a = controles[i];
            QWidget* b = controles[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a) || voulu(a, b)) continue;
            const QRect ra = dans_la_fenetre(racine, a, partie_visible(a));
            const QRect rb = dans_la_fenetre(racine, b, partie_visible(b));
            if (ra.isEmpty() || rb.isEmpty() || !ra.intersects(rb)) continue;
            const bool forme_a = qobject_cast<Forme*>(a) != nullptr;
            const bool forme_b = qobject_cast<Forme*>(b) != nullptr;
            if ((forme_a && ra.contains(rb)) || (forme_b && rb.contains(ra))) continue;
            fautes.push_back(nom(a) + " and " + nom(b) + " overlap");
        }
    }
    return fautes;
}

std::string liste(const std::vector<std::string>& fautes) {
    std::string t;
    for (const std::string& f : fautes)
        t += "\n  " + f;
    return t;
}

void verifie_disposition(QWidget& racine, const char* etat) {
    EXPECT_TRUE(fautes_de_place(racine).empty()) << etat << ":" << liste(fautes_de_place(racine));
    EXPECT_TRUE(legendes_coupees(controles_montres(racine)).empty())
        << etat << ":" << liste(legendes_coupees(controles_montres(racine)));
}

// A printer that checks the window as its page is printed.
class ImprimanteQuiVerifie final : public Imprimante {
public:
    bool choisit(QWidget*) override { return true; }
    bool imprime(QWidget& fenetre) override {
        verifie_disposition(fenetre, "printed page");
        ++pages;
        return true;
    }
    int pages = 0;
};

} // namespace

TEST(Disposition, LesDeuxModesEtLaPageImprimee) {
    // The local clock ten hours behind: the longest note of the printed page.
    Banc banc{tu_de(2024, 12, 30, 23, 59, 59), -600};
    PosLune& f = *banc.fenetre;
    f.demarre();
    verifie_disposition(f, "real-time mode");

    f.bascule_mode();
    f.calcul();
    verifie_disposition(f, "chosen-instant mode");
    // The widest values the fields take: a four-digit year, the largest degrees and minutes.
    ui(f).Date[2]->setText("2024");
    ui(f).TLat[0]->setText("90");
    ui(f).TLat[1]->setText("59");
    ui(f).TLon[0]->setText("180");
    ui(f).TLon[1]->setText("59");
    EXPECT_TRUE(
        legendes_coupees({ui(f).Date[2], ui(f).TLat[0], ui(f).TLat[1], ui(f).TLon[0], ui(f).TLon[1]}).empty())
        << liste(
               legendes_coupees({ui(f).Date[2], ui(f).TLat[0], ui(f).TLat[1], ui(f).TLon[0], ui(f).TLon[1]}));
    ui(f).TLon[0]->setText("2");
    f.calcul();
    // Local time: every instant carries its offset, the longest a half hour's.
    {
        const Variable zone("TZ", "Asia/Kolkata");
        f.essai_heure_locale(true);
        verifie_disposition(f, "local time");
        f.essai_heure_locale(false);
    }

    ImprimanteQuiVerifie imprimante;
    banc.imprimante.remplacante = &imprimante;
    EXPECT_EQ(f.imprime(), IssueImpression::imprimee);
    EXPECT_EQ(imprimante.pages, 1);
}

TEST(Disposition, LegendesSurLeursChampsEtCadreSurLesNotices) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    for (int i = 0; i < 3; ++i) {
        for (const auto& [legende, champ] :
             {std::pair{ui(f).Label11[i], ui(f).Date[i]}, std::pair{ui(f).Label11[i + 3], ui(f).Heure[i]}}) {
            EXPECT_EQ(legende->geometry().center().x(), champ->geometry().center().x()) << nom(champ);
            EXPECT_LT(place_du_texte(legende).translated(legende->pos()).bottom(), champ->y()) << nom(champ);
        }
    }
    // The exception named above holds whole: the notices are covered, not half covered.
    EXPECT_TRUE(ui(f).Frame1->geometry().contains(ui(f).Label10[0]->geometry()));
    EXPECT_TRUE(ui(f).Frame1->geometry().contains(ui(f).Label10[1]->geometry()));
}

TEST(Disposition, BoiteAPropos) {
    application();
    NavigateurEspion navigateur;
    About boite(navigateur, nullptr, {12, 345, 6789});
    verifie_disposition(boite, "About box");
}

TEST(Disposition, LesVerificationsTrouventLesFautes) {
    // A caption too long for its button, a label that runs into another, a field cut by its frame.
    application();
    QWidget fenetre;
    fenetre.resize(200, 100);
    auto* bouton = new QPushButton(QStringLiteral("&Une légende bien trop longue"), &fenetre);
    bouton->setObjectName("bouton");
    bouton->setGeometry(10, 10, 60, 24);
    auto* a = new QLabel(QStringLiteral("Gauche gauche"), &fenetre);
    a->setObjectName("a");
    a->setGeometry(10, 50, 100, 14);
    auto* b = new QLabel(QStringLiteral("Droite"), &fenetre);
    b->setObjectName("b");
    b->setGeometry(40, 50, 100, 14);
    b->setAlignment(Qt::AlignCenter);
    auto* cadre = new QFrame(&fenetre);
    cadre->setObjectName("cadre");
    cadre->setGeometry(120, 10, 40, 40);
    auto* champ = new QLineEdit(cadre);
    champ->setObjectName("champ");
    champ->setGeometry(20, 10, 35, 21);
    champ->setText("123456789");
    auto* forme = new Forme(&fenetre);
    forme->setObjectName("forme");
    forme->setGeometry(100, 5, 30, 90); // crosses the frame's edge

    const std::vector<std::string> places = fautes_de_place(fenetre);
    const std::vector<std::string> attendues{"champ is cut by its frame cadre", "a and b overlap",
                                             "cadre and forme overlap"};
    for (const std::string& f : attendues)
        EXPECT_NE(std::find(places.begin(), places.end(), f), places.end())
            << f << " not found in" << liste(places);
    const std::vector<std::string> coupees = legendes_coupees(controles_montres(fenetre));
    ASSERT_EQ(coupees.size(), 2u) << liste(coupees);
    EXPECT_EQ(coupees[0].rfind("bouton:", 0), 0u);
    EXPECT_EQ(coupees[1].rfind("champ:", 0), 0u);
}
