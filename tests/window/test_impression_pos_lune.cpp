// Printing the real main window to a PDF file through the same steps as the print button, and the
// About box opened from the window.
#include <QApplication>
#include <QFile>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <map>
#include <stdexcept>

#include "outils.hpp"
#include "version_orbitel.hpp"
#include "window/apropos.hpp"
#include "window/controles.hpp"
#include "window/impression.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

struct Aspect {
    QPalette palette;
    bool propre;
    bool remplit;
    QString style;
    bool cache;
    QVariant contour;
    QString texte;
};

std::map<QString, Aspect> aspects(QWidget& racine) {
    std::map<QString, Aspect> m;
    std::vector<QWidget*> tous{&racine};
    for (QWidget* w : racine.findChildren<QWidget*>()) {
        tous.push_back(w);
    }
    for (QWidget* w : tous) {
        if (w->objectName().isEmpty() || (w->isWindow() && w != &racine)) {
            continue;
        }
        const auto* l = qobject_cast<QLabel*>(w);
        m[w->objectName()] = {w->palette(),
                              w->testAttribute(Qt::WA_SetPalette),
                              w->autoFillBackground(),
                              w->styleSheet(),
                              w->isHidden(),
                              w->property("contour"),
                              l != nullptr ? l->text() : QString()};
    }
    return m;
}

void compare(const std::map<QString, Aspect>& avant, const std::map<QString, Aspect>& apres,
             bool textes = false) {
    ASSERT_EQ(avant.size(), apres.size());
    for (const auto& [nom, a] : avant) {
        SCOPED_TRACE(nom.toStdString());
        const Aspect& b = apres.at(nom);
        EXPECT_TRUE(a.palette == b.palette);
        EXPECT_EQ(a.palette.color(QPalette::WindowText), b.palette.color(QPalette::WindowText));
        EXPECT_EQ(a.palette.color(QPalette::Base), b.palette.color(QPalette::Base));
        EXPECT_EQ(a.propre, b.propre);
        EXPECT_EQ(a.remplit, b.remplit);
        EXPECT_EQ(a.style, b.style);
        EXPECT_EQ(a.cache, b.cache);
        EXPECT_EQ(a.contour, b.contour);
        if (textes) {
            EXPECT_EQ(a.texte, b.texte);
        }
    }
}

QByteArray poppler(const char* outil, const QStringList& arguments) {
    QProcess p;
    p.start(outil, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return {};
    }
    return p.readAllStandardOutput();
}

// The system's zone (TZ) for the length of a test.
class FuseauSysteme {
public:
    explicit FuseauSysteme(const char* zone)
        : avant_(qgetenv("TZ")), avait_(qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~FuseauSysteme() {
        if (avait_) {
            qputenv("TZ", avant_);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }
    FuseauSysteme(const FuseauSysteme&) = delete;
    FuseauSysteme& operator=(const FuseauSysteme&) = delete;

private:
    QByteArray avant_;
    bool avait_;
};

// A page printed in the given zone for a typed instant, and the note it must carry.
struct Page {
    const char* nom;
    const char* zone;
    std::array<const char*, 6> instant; // day, month, year, hours, minutes, seconds
    std::string note;
};

// The window started and put in chosen-instant mode, where the print button is, on a clock of
// 7 December 2026: winter in the north.
struct Impression : ::testing::TestWithParam<Page> {
    FuseauSysteme zone{GetParam().zone};
    Banc banc{tu_de(2026, 12, 7, 5, 41, 7), 60};
    PosLune& f = *banc.fenetre;
    void SetUp() override {
        f.demarre();
        f.bascule_mode();
        ASSERT_FALSE(f.temps_reel());
        for (int i = 0; i < 3; ++i) {
            ui(f).Date[i]->setText(GetParam().instant[i]);
            ui(f).Heure[i]->setText(GetParam().instant[i + 3]);
        }
        f.calcul();
    }
};

} // namespace

TEST_P(Impression, PageNoirSurBlancEtEcranRetrouve) {
    if (std::string(ORBITEL_PDFTOPPM).empty() || std::string(ORBITEL_PDFTOTEXT).empty()) {
        FAIL() << "pdftoppm and pdftotext (poppler-utils, installed by scripts/test) are needed";
    }
    const std::string& note = GetParam().note;
    const auto avant = aspects(f);
    const std::string ligne9 = texte(ui(f).Label9);
    QTemporaryDir dossier;
    const QString pdf = qEnvironmentVariableIsSet("ORBITEL_GARDE_PDF")
                            ? qEnvironmentVariable("ORBITEL_GARDE_PDF")
                            : dossier.filePath("page.pdf");
    ImprimantePdf imprimante(pdf);
    banc.imprimante.remplacante = &imprimante;
    ASSERT_EQ(f.imprime(), IssueImpression::imprimee);
    ASSERT_TRUE(QFile::exists(pdf));

    // The screen as it was: every control's colours, the pictures, the buttons.
    const auto apres = aspects(f);
    compare(avant, apres);
    EXPECT_FALSE(f.mode_impression());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(ui(f).Image4->isHidden());
    EXPECT_TRUE(ui(f).Image1->isVisible());
    EXPECT_TRUE(ui(f).Image2->isVisible());
    EXPECT_TRUE(ui(f).Image3->isVisible());
    EXPECT_TRUE(ui(f).Command5->isVisible());
    EXPECT_EQ(texte(ui(f).Label19), note);
    EXPECT_EQ(texte(ui(f).Label9), ligne9);
    EXPECT_EQ(ui(f).LabPhase[0]->palette().color(QPalette::WindowText), QColor(224, 224, 224));

    const QString lu = QString::fromUtf8(poppler(ORBITEL_PDFTOTEXT, {pdf, "-"})).simplified();
    EXPECT_TRUE(lu.contains(QString::fromStdString(note))) << lu.toStdString();
    EXPECT_TRUE(lu.contains(QString::fromStdString(ligne9).simplified())) << lu.toStdString();
    for (const char* bouton : {"Quitter", "Propos", "Calcul", "Temps"}) {
        EXPECT_FALSE(lu.contains(bouton)) << bouton;
    }

    const QString base = dossier.filePath("page");
    poppler(ORBITEL_PDFTOPPM, {"-r", "60", "-png", "-singlefile", pdf, base});
    QImage page(base + ".png");
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()); // landscape
    page = page.convertToFormat(QImage::Format_RGB32);
    long colores = 0, blancs = 0, sombres = 0, lune = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            const int teinte =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            colores += teinte > 24;
            blancs += c.lightness() >= 250;
            sombres += c.lightness() < 80;
            lune += std::abs(c.red() - 200) <= 3 && teinte <= 3;
        }
    }
    const long total = static_cast<long>(page.width()) * page.height();
    EXPECT_EQ(colores, 0);
    EXPECT_GT(blancs, total / 2);
    EXPECT_GT(sombres, 200);
    // The lit part of the Moon in the print palette, light grey (a waxing crescent on that day
    // is still a good part of the page).
    EXPECT_GT(lune, total / 200);
}

// The note gives the zone's offset at the printed instant, not the clock's of the day of printing.
INSTANTIATE_TEST_SUITE_P(Fuseaux, Impression,
                         ::testing::Values(Page{"EteImprimeEnHiver",
                                                "Europe/Paris",
                                                {"12", "04", "1992", "00", "00", "00"},
                                                "Pour obtenir l'heure locale veuillez ajouter 2 heures."},
                                           Page{"HiverAParis",
                                                "Europe/Paris",
                                                {"07", "12", "2026", "05", "41", "07"},
                                                "Pour obtenir l'heure locale veuillez ajouter 1 heure."},
                                           Page{"Retard",
                                                "America/New_York",
                                                {"07", "12", "2026", "05", "41", "07"},
                                                "Pour obtenir l'heure locale veuillez retirer 5 heures."},
                                           Page{"DemiHeure",
                                                "Australia/Lord_Howe",
                                                {"15", "07", "2027", "12", "00", "00"},
                                                "Pour obtenir l'heure locale veuillez ajouter 10:30."}),
                         [](const auto& info) { return info.param.nom; });

namespace {

// A printer that notes how the window stands when its page is printed, and may refuse the dialog,
// fail the printout or throw from it.
class ImprimanteEspion final : public Imprimante {
public:
    enum class Issue { imprimee, ratee, panne };
    ImprimanteEspion(PosLune& f, bool accepte, Issue issue = Issue::imprimee)
        : f_(f), accepte_(accepte), issue_(issue) {}

    bool choisit(QWidget* parent) override {
        ++dialogues;
        parent_ = parent;
        return accepte_;
    }
    bool imprime(QWidget& fenetre) override {
        ++pages;
        pendant.cachee = fenetre.isHidden();
        pendant.pr = f_.mode_impression();
        pendant.quitte_a_la_fermeture = QGuiApplication::quitOnLastWindowClosed();
        pendant.note = ui(f_).Label19->text();
        pendant.image4 = !ui(f_).Image4->isHidden();
        pendant.images_cachees =
            ui(f_).Image1->isHidden() && ui(f_).Image2->isHidden() && ui(f_).Image3->isHidden();
        pendant.boutons_caches = ui(f_).Command1->isHidden() && ui(f_).Command5->isHidden();
        pendant.phase0 = ui(f_).LabPhase[0]->palette().color(QPalette::WindowText);
        pendant.contour = ui(f_).Shape1[5]->contour();
        if (issue_ == Issue::panne) throw std::runtime_error("panne de l'imprimante");
        return issue_ == Issue::imprimee;
    }

    int dialogues = 0, pages = 0;
    QWidget* parent_ = nullptr;
    struct {
        bool cachee = false, pr = false, quitte_a_la_fermeture = true, image4 = false;
        bool images_cachees = false, boutons_caches = false;
        QString note;
        QColor phase0, contour;
    } pendant;

private:
    PosLune& f_;
    bool accepte_;
    Issue issue_;
};

struct ImpressionEspionnee : ::testing::Test {
    FuseauSysteme zone{"Europe/Paris"};
    Banc banc{tu_de(2026, 12, 7, 5, 41, 7), 60};
    PosLune& f = *banc.fenetre;
    void SetUp() override {
        f.demarre();
        f.bascule_mode();
        f.calcul();
    }
};

} // namespace

TEST_F(ImpressionEspionnee, DialogueRefuseRienNeChange) {
    ui(f).Label19->setText("note d'avant");
    const auto avant = aspects(f);
    ImprimanteEspion espion(f, false);
    banc.imprimante.remplacante = &espion;
    EXPECT_EQ(f.imprime(), IssueImpression::annulee);
    EXPECT_EQ(espion.dialogues, 1);
    EXPECT_EQ(espion.pages, 0);
    EXPECT_EQ(espion.parent_, &f);
    compare(avant, aspects(f), true);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.mode_impression());
    EXPECT_EQ(ui(f).Label19->text(), "note d'avant");
}

TEST_F(ImpressionEspionnee, PagePapierPuisEcranRetrouve) {
    const auto avant = aspects(f);
    ImprimanteEspion espion(f, true);
    banc.imprimante.remplacante = &espion;
    const bool quitte = QGuiApplication::quitOnLastWindowClosed();
    EXPECT_EQ(f.imprime(), IssueImpression::imprimee);
    EXPECT_EQ(espion.pages, 1);
    EXPECT_TRUE(espion.pendant.cachee);
    EXPECT_TRUE(espion.pendant.pr);
    EXPECT_TRUE(espion.pendant.image4);
    EXPECT_TRUE(espion.pendant.images_cachees);
    EXPECT_TRUE(espion.pendant.boutons_caches);
    EXPECT_FALSE(espion.pendant.quitte_a_la_fermeture);
    EXPECT_EQ(espion.pendant.note, "Pour obtenir l'heure locale veuillez ajouter 1 heure.");
    // The compute before the page runs in the paper palette, the one after in the screen's.
    EXPECT_EQ(espion.pendant.phase0, QColor(Qt::black));
    EXPECT_EQ(espion.pendant.contour, QColor(Qt::black));

    compare(avant, aspects(f));
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.mode_impression());
    EXPECT_TRUE(ui(f).Image4->isHidden());
    for (QWidget* w : {static_cast<QWidget*>(ui(f).Image1), static_cast<QWidget*>(ui(f).Image2),
                       static_cast<QWidget*>(ui(f).Image3)})
        EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(QGuiApplication::quitOnLastWindowClosed(), quitte);
    // The note stays until the next printout.
    EXPECT_EQ(texte(ui(f).Label19), "Pour obtenir l'heure locale veuillez ajouter 1 heure.");

    // A second printout finds the same screen look to restore, and asks the system's zone afresh.
    {
        const FuseauSysteme new_york("America/New_York");
        EXPECT_EQ(f.imprime(), IssueImpression::imprimee);
        compare(avant, aspects(f));
        EXPECT_EQ(espion.pendant.note, "Pour obtenir l'heure locale veuillez retirer 5 heures.");
    }
    // A page whose instant cannot be written has no time to convert, and no note.
    ui(f).Date[2]->setText("1E30");
    EXPECT_EQ(f.imprime(), IssueImpression::imprimee);
    EXPECT_EQ(texte(ui(f).Label9).find(" à "), std::string::npos) << texte(ui(f).Label9);
    EXPECT_EQ(espion.pendant.note, "");
}

TEST_F(ImpressionEspionnee, ImpressionRateeRendLEcranQuandMeme) {
    const auto avant = aspects(f);
    for (const auto issue : {ImprimanteEspion::Issue::ratee, ImprimanteEspion::Issue::panne}) {
        ImprimanteEspion espion(f, true, issue);
        banc.imprimante.remplacante = &espion;
        EXPECT_EQ(f.imprime(), IssueImpression::echouee);
        EXPECT_EQ(espion.pages, 1);
        compare(avant, aspects(f));
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(f.mode_impression());
        EXPECT_TRUE(ui(f).Image4->isHidden());
    }
    // A PDF file that cannot be written.
    ImprimantePdf impossible("/repertoire-absent/sous-repertoire/page.pdf");
    banc.imprimante.remplacante = &impossible;
    EXPECT_EQ(f.imprime(), IssueImpression::echouee);
    compare(avant, aspects(f));
    EXPECT_TRUE(f.isVisible());
}

TEST(ImpressionFenetre, FenetreJamaisMontreeLeResteApres) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    ImprimanteEspion espion(f, true);
    banc.imprimante.remplacante = &espion;
    EXPECT_EQ(f.imprime(), IssueImpression::imprimee);
    EXPECT_EQ(espion.pages, 1);
    EXPECT_FALSE(f.isVisible());
}

TEST(ImpressionFenetre, DialogueAnnuleRienNeChange) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    f.bascule_mode();
    ImprimanteSysteme systeme;
    banc.imprimante.remplacante = &systeme;
    const auto avant = aspects(f);
    const std::string ligne9 = texte(ui(f).Label9);
    bool vu = false;
    QTimer::singleShot(0, [&] {
        auto* dialogue = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        vu = dialogue != nullptr;
        if (dialogue != nullptr) {
            dialogue->reject();
        }
    });
    QTest::mouseClick(ui(f).Command5, Qt::LeftButton);
    EXPECT_TRUE(vu) << "the print dialog did not open";
    compare(avant, aspects(f), true);
    EXPECT_EQ(texte(ui(f).Label9), ligne9);
    EXPECT_FALSE(f.mode_impression());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(ui(f).Image4->isHidden());
}

TEST(ImpressionFenetre, AProposDepuisLaFenetre) {
    Banc banc;
    PosLune& f = *banc.fenetre;
    f.demarre();
    bool vu = false;
    QTimer::singleShot(0, [&] {
        auto* boite = qobject_cast<About*>(QApplication::activeModalWidget());
        vu = boite != nullptr;
        if (boite == nullptr) {
            return;
        }
        EXPECT_EQ(boite->label1(2)->text(), QString::fromStdString(texte_version(version_programme())));
        EXPECT_EQ(boite->windowIcon().isNull(), f.windowIcon().isNull());
        QTest::mouseClick(boite->label2(), Qt::LeftButton);
        QTest::mouseClick(boite->label3(), Qt::LeftButton);
        EXPECT_TRUE(boite->isVisible());
        QTest::mouseClick(boite->command1(), Qt::LeftButton);
    });
    QTest::mouseClick(ui(f).Command4, Qt::LeftButton);
    EXPECT_TRUE(vu) << "the About box did not open";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(banc.navigateur.adresses.size(), 2u);
    EXPECT_EQ(banc.navigateur.adresses[0], page_contact() + "?sub=Orbitel%20V" +
                                               std::to_string(construction::version_majeure) + "." +
                                               std::to_string(construction::version_mineure) + "." +
                                               std::to_string(construction::version_revision));
    EXPECT_EQ(banc.navigateur.adresses[1], adresse_site());
    EXPECT_TRUE(f.isVisible());
}
