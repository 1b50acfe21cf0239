#include "text/note_locale.hpp"
#include "window/impression.hpp"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace orbitel;

// A rounded outline whose colour is a property, as the window's shapes are.
class Contour : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor contour READ contour WRITE setContour)
public:
    using QWidget::QWidget;
    QColor contour() const { return contour_; }
    void setContour(const QColor& c) {
        contour_ = c;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(contour_, 2));
        p.drawRoundedRect(rect().adjusted(1, 1, -1, -1), 6, 6);
    }

private:
    QColor contour_{255, 224, 192};
};

namespace {

// A small stand-in for the main window: light texts on black, coloured entry fields, a text
// coloured by style sheet, a shape, pictures and buttons, a drawing and the print picture.
class FenetreTemoin final : public FenetreImprimable {
public:
    FenetreTemoin() {
        racine.setObjectName("PosLune");
        racine.resize(640, 435);
        peint(racine, QPalette::Window, Qt::black);
        peint(racine, QPalette::WindowText, Qt::white);
        racine.setAutoFillBackground(true);

        dessin = etiquette("Dessin", {0, 0, 367, 350});
        auto* cadre = new QFrame(&racine);
        cadre->setObjectName("Frame2");
        cadre->setGeometry(364, 5, 269, 420);
        peint(*cadre, QPalette::Window, Qt::black);
        cadre->setAutoFillBackground(true);
        for (int i = 0; i < 5; ++i) {
            auto* l = new QLabel(QString("Lune du %1 septembre").arg(i + 1), cadre);
            l->setObjectName(QString("LabPhase%1").arg(i));
            l->setGeometry(40, 200 + 20 * i, 220, 18);
            peint(*l, QPalette::WindowText,
                  i == 2   ? QColor(255, 255, 255)
                  : i == 4 ? QColor(192, 192, 255)
                           : QColor(224, 224, 224));
        }
        auto* herite = new QLabel("Coordonnées du lieu", cadre); // palette of its frame
        herite->setObjectName("Label17");
        herite->setGeometry(10, 320, 200, 18);
        auto* champ = new QLineEdit("48", cadre);
        champ->setObjectName("TLat0");
        champ->setGeometry(10, 345, 40, 22);
        peint(*champ, QPalette::Base, QColor(255, 255, 192));
        peint(*champ, QPalette::Text, Qt::black);
        auto* lever = new QLabel("Lever 05:12", cadre);
        lever->setObjectName("Label18_0");
        lever->setGeometry(10, 380, 200, 18);
        lever->setStyleSheet("color: rgb(0, 192, 0);");
        forme = new Contour(cadre);
        forme->setObjectName("Shape1_5");
        forme->setGeometry(5, 375, 250, 28);

        for (int i = 1; i <= 3; ++i) {
            QPixmap p(24, 24);
            p.fill(i == 1 ? Qt::red : Qt::blue);
            auto* l = etiquette(QString("Image%1").arg(i), {340, 300 + 30 * i, 24, 24});
            l->setPixmap(p);
            images.push_back(l);
        }
        for (const char* nom : {"Command2", "Command4", "Command1", "Command3", "Command5"}) {
            auto* b = new QPushButton(nom == std::string("Command3") ? "Calcul" : "Bouton", &racine);
            b->setObjectName(nom);
            b->setGeometry(10 + 70 * static_cast<int>(boutons.size()), 404, 66, 24);
            boutons.push_back(b);
        }
        image4 = etiquette("Image4", {0, 0, 367, 350});
        image4->hide();
        label19 = etiquette("Label19", {10, 380, 340, 18});
        dessine();
    }

    QWidget& fenetre() override { return racine; }
    void met_mode_impression(bool actif) override {
        journal.push_back(actif ? "PR vrai" : "PR faux");
        lance("PR");
        pr = actif;
    }
    void palette_papier() override {
        journal.push_back("papier");
        vu_cache_avant_papier = racine.isHidden();
        lance("papier");
        for (QWidget* w : racine.findChildren<QWidget*>()) {
            w->setStyleSheet({});
        }
        applique_papier(racine);
        for (QLabel* l : images) {
            l->hide();
        }
        for (QPushButton* b : boutons) {
            b->hide();
        }
        forme->setContour(Qt::black);
    }
    void calcule() override {
        journal.push_back("calcul");
        couleurs_au_calcul.push_back(
            racine.findChild<QLabel*>("LabPhase0")->palette().color(QPalette::WindowText));
        lance("calcul");
        dessine();
    }
    void copie_dessin() override {
        journal.push_back("copie");
        lance("copie");
        image4->setPixmap(dessin->pixmap());
        image4->show();
    }
    void ecrit_note() override {
        journal.push_back("note");
        lance("note");
        label19->setText(QString::fromStdString(note_heure_locale(ecart_minutes)));
    }

    QWidget racine;
    QLabel* dessin = nullptr;
    QLabel* image4 = nullptr;
    QLabel* label19 = nullptr;
    Contour* forme = nullptr;
    std::vector<QLabel*> images;
    std::vector<QPushButton*> boutons;
    bool pr = false;
    int ecart_minutes = 0;
    std::string etape_en_panne; // a step that throws, "" for none, "toutes" for all
    std::vector<std::string> journal;
    std::vector<QColor> couleurs_au_calcul;
    bool vu_cache_avant_papier = false;

private:
    static void peint(QWidget& w, QPalette::ColorRole role, const QColor& c) {
        QPalette p = w.palette();
        p.setColor(role, c);
        w.setPalette(p);
    }
    QLabel* etiquette(const QString& nom, const QRect& place) {
        auto* l = new QLabel(&racine);
        l->setObjectName(nom);
        l->setGeometry(place);
        return l;
    }
    void lance(const std::string& etape) const {
        if (etape_en_panne == etape || etape_en_panne == "toutes") {
            throw std::runtime_error("panne de " + etape);
        }
    }
    // The Moon in the screen palette or the print palette, as the window draws it.
    void dessine() {
        QImage surface(367, 350, QImage::Format_RGB32);
        surface.fill(pr ? Qt::white : Qt::black);
        QPainter p(&surface);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(pr ? QColor(200, 200, 200) : QColor(255, 255, 255));
        p.setPen(QPen(pr ? QColor(0, 0, 0) : QColor(100, 100, 100), 2));
        p.drawEllipse(QPointF(180, 175), 160, 160);
        p.end();
        dessin->setPixmap(QPixmap::fromImage(surface));
    }
};

// Each widget's look by name, to compare before and after a printout.
struct Aspect {
    QPalette palette;
    bool palette_propre;
    bool remplit_fond;
    QString style;
    bool cache;
    QVariant contour;
};
std::map<QString, Aspect> aspects(QWidget& racine) {
    std::map<QString, Aspect> m;
    std::vector<QWidget*> tous{&racine};
    for (QWidget* w : racine.findChildren<QWidget*>()) {
        tous.push_back(w);
    }
    for (QWidget* w : tous) {
        if (!w->objectName().isEmpty()) {
            m[w->objectName()] = {w->palette(),
                                  w->testAttribute(Qt::WA_SetPalette),
                                  w->autoFillBackground(),
                                  w->styleSheet(),
                                  w->isHidden(),
                                  w->property("contour")};
        }
    }
    return m;
}
void compare(const std::map<QString, Aspect>& avant, const std::map<QString, Aspect>& apres) {
    ASSERT_EQ(avant.size(), apres.size());
    for (const auto& [nom, a] : avant) {
        const Aspect& b = apres.at(nom);
        SCOPED_TRACE(nom.toStdString());
        EXPECT_TRUE(a.palette == b.palette);
        EXPECT_EQ(a.palette.color(QPalette::WindowText), b.palette.color(QPalette::WindowText));
        EXPECT_EQ(a.palette.color(QPalette::Window), b.palette.color(QPalette::Window));
        EXPECT_EQ(a.palette.color(QPalette::Base), b.palette.color(QPalette::Base));
        EXPECT_EQ(a.palette_propre, b.palette_propre);
        EXPECT_EQ(a.remplit_fond, b.remplit_fond);
        EXPECT_EQ(a.style, b.style);
        EXPECT_EQ(a.cache, b.cache);
        EXPECT_EQ(a.contour, b.contour);
    }
}

class ImprimanteTemoin final : public Imprimante {
public:
    explicit ImprimanteTemoin(FenetreTemoin& f, bool accepte = true, bool reussit = true)
        : f_(f), accepte_(accepte), reussit_(reussit) {}
    bool choisit(QWidget* parent) override {
        f_.journal.push_back("dialogue");
        parent_ = parent;
        return accepte_;
    }
    bool imprime(QWidget& fenetre) override {
        f_.journal.push_back("impression");
        pendant.cachee = fenetre.isHidden();
        pendant.pr = f_.pr;
        pendant.quitte_a_la_fermeture = QGuiApplication::quitOnLastWindowClosed();
        pendant.note = f_.label19->text();
        pendant.image4 = !f_.image4->isHidden();
        return reussit_;
    }
    struct {
        bool cachee = false, pr = false, quitte_a_la_fermeture = true, image4 = false;
        QString note;
    } pendant;
    QWidget* parent_ = nullptr;

private:
    FenetreTemoin& f_;
    bool accepte_, reussit_;
};

// Runs a poppler tool; empty when it is missing or fails.
QByteArray poppler(const char* outil, const QStringList& arguments) {
    if (std::string(outil).empty()) {
        return {};
    }
    QProcess p;
    p.start(outil, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        return {};
    }
    return p.readAllStandardOutput();
}

} // namespace

TEST(Impression, PlaceSurLaPage) {
    // A wide window on a portrait page: full width, centred vertically.
    const QRectF a = place_sur_page({640, 435}, {0, 0, 1000, 1400});
    EXPECT_DOUBLE_EQ(a.width(), 1000);
    EXPECT_DOUBLE_EQ(a.height(), 435 * 1000.0 / 640);
    EXPECT_DOUBLE_EQ(a.center().y(), 700);
    EXPECT_DOUBLE_EQ(a.left(), 0);
    // On a landscape page the height limits.
    const QRectF b = place_sur_page({640, 435}, {50, 20, 2000, 1000});
    EXPECT_DOUBLE_EQ(b.height(), 1000);
    EXPECT_DOUBLE_EQ(b.width(), 640 * 1000.0 / 435);
    EXPECT_DOUBLE_EQ(b.center().x(), 1050);
    EXPECT_NEAR(b.top(), 20, 1e-9);
    EXPECT_TRUE(place_sur_page({0, 0}, {0, 0, 100, 100}).isEmpty());
}

TEST(Impression, LeDialogueAnnuleNeChangeRien) {
    FenetreTemoin f;
    f.racine.show();
    f.label19->setText("note d'avant");
    const auto avant = aspects(f.racine);
    ImprimanteTemoin imprimante(f, false);
    EXPECT_EQ(imprime_fenetre(f, imprimante), IssueImpression::annulee);
    EXPECT_EQ(f.journal, std::vector<std::string>{"dialogue"});
    EXPECT_EQ(imprimante.parent_, &f.racine);
    compare(avant, aspects(f.racine));
    EXPECT_TRUE(f.racine.isVisible());
    EXPECT_FALSE(f.pr);
    EXPECT_EQ(f.label19->text(), "note d'avant");
}

TEST(Impression, EtapesDansLOrdreEtCouleursRetrouvees) {
    FenetreTemoin f;
    f.racine.show();
    f.ecart_minutes = 120;
    const auto avant = aspects(f.racine);
    ImprimanteTemoin imprimante(f);
    const bool quitte = QGuiApplication::quitOnLastWindowClosed();
    EXPECT_EQ(imprime_fenetre(f, imprimante), IssueImpression::imprimee);
    const std::vector<std::string> attendu{"dialogue", "PR vrai",    "papier",  "calcul", "copie",
                                           "note",     "impression", "PR faux", "calcul"};
    EXPECT_EQ(f.journal, attendu);
    EXPECT_TRUE(f.vu_cache_avant_papier);
    EXPECT_TRUE(imprimante.pendant.cachee);
    EXPECT_TRUE(imprimante.pendant.pr);
    EXPECT_TRUE(imprimante.pendant.image4);
    EXPECT_FALSE(imprimante.pendant.quitte_a_la_fermeture);
    EXPECT_EQ(imprimante.pendant.note, "Pour obtenir l'heure locale veuillez ajouter 2 heures.");

    // The first compute runs in the paper palette, the second in the screen one.
    ASSERT_EQ(f.couleurs_au_calcul.size(), 2u);
    EXPECT_EQ(f.couleurs_au_calcul[0], QColor(Qt::black));
    EXPECT_EQ(f.couleurs_au_calcul[1], QColor(224, 224, 224));

    compare(avant, aspects(f.racine));
    EXPECT_TRUE(f.racine.isVisible());
    EXPECT_FALSE(f.pr);
    EXPECT_TRUE(f.image4->isHidden());
    for (QLabel* l : f.images) {
        EXPECT_TRUE(l->isVisible());
    }
    EXPECT_EQ(QGuiApplication::quitOnLastWindowClosed(), quitte);
    // The note stays until the next printout.
    EXPECT_EQ(f.label19->text(), "Pour obtenir l'heure locale veuillez ajouter 2 heures.");

    // A second printout finds the same screen look to restore.
    f.ecart_minutes = -300;
    EXPECT_EQ(imprime_fenetre(f, imprimante), IssueImpression::imprimee);
    compare(avant, aspects(f.racine));
    EXPECT_EQ(imprimante.pendant.note, "Pour obtenir l'heure locale veuillez retirer 5 heures.");
}

TEST(Impression, UneEtapeEnPanneNEmpechePasLeRetour) {
    for (const std::string panne : {"PR", "papier", "calcul", "copie", "note", "toutes"}) {
        SCOPED_TRACE(panne);
        FenetreTemoin f;
        f.racine.show();
        const auto avant = aspects(f.racine);
        f.etape_en_panne = panne;
        ImprimanteTemoin imprimante(f);
        EXPECT_EQ(imprime_fenetre(f, imprimante), IssueImpression::imprimee);
        EXPECT_NE(std::find(f.journal.begin(), f.journal.end(), "impression"), f.journal.end());
        EXPECT_EQ(f.journal.back(), "calcul");
        compare(avant, aspects(f.racine));
        EXPECT_TRUE(f.racine.isVisible());
        EXPECT_TRUE(f.image4->isHidden());
    }
}

TEST(Impression, UneImpressionRateeRendLEcranQuandMeme) {
    FenetreTemoin f;
    f.racine.show();
    const auto avant = aspects(f.racine);
    ImprimanteTemoin refusee(f, true, false);
    EXPECT_EQ(imprime_fenetre(f, refusee), IssueImpression::echouee);
    compare(avant, aspects(f.racine));
    EXPECT_TRUE(f.racine.isVisible());

    // A PDF file that cannot be written.
    ImprimantePdf impossible("/repertoire-absent/sous-repertoire/page.pdf");
    EXPECT_EQ(imprime_fenetre(f, impossible), IssueImpression::echouee);
    compare(avant, aspects(f.racine));
    EXPECT_TRUE(f.racine.isVisible());
    EXPECT_FALSE(f.pr);
}

TEST(Impression, UneFenetreJamaisMontreeLeResteApres) {
    FenetreTemoin f;
    ImprimanteTemoin imprimante(f);
    EXPECT_EQ(imprime_fenetre(f, imprimante), IssueImpression::imprimee);
    EXPECT_FALSE(f.racine.isVisible());
}

TEST(CouleursEcran, PaletteHeriteeResteHeritee) {
    QWidget parent;
    auto* enfant = new QLabel("texte", &parent);
    auto* propre = new QLabel("propre", &parent);
    QPalette p = propre->palette();
    p.setColor(QPalette::WindowText, QColor(1, 2, 3));
    propre->setPalette(p);
    const CouleursEcran instantane(parent);
    const QPalette enfant_avant = enfant->palette();

    applique_papier(parent);
    EXPECT_TRUE(enfant->testAttribute(Qt::WA_SetPalette));
    instantane.restaure();
    EXPECT_FALSE(enfant->testAttribute(Qt::WA_SetPalette));
    EXPECT_TRUE(propre->testAttribute(Qt::WA_SetPalette));
    EXPECT_TRUE(enfant->palette() == enfant_avant);
    EXPECT_EQ(propre->palette().color(QPalette::WindowText), QColor(1, 2, 3));

    // Inherited means it still follows its parent afterwards.
    QPalette rouge = parent.palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    parent.setPalette(rouge);
    EXPECT_EQ(enfant->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(propre->palette().color(QPalette::WindowText), QColor(1, 2, 3));

    // A widget deleted in between is passed over.
    delete propre;
    instantane.restaure();
    EXPECT_EQ(enfant->palette().color(QPalette::WindowText), enfant_avant.color(QPalette::WindowText));
}

class ImpressionPdf : public ::testing::TestWithParam<std::pair<int, std::string>> {};

TEST_P(ImpressionPdf, PageNoirSurBlancAvecLaNote) {
    if (std::string(ORBITEL_PDFTOPPM).empty() || std::string(ORBITEL_PDFTOTEXT).empty()) {
        FAIL() << "pdftoppm and pdftotext (poppler-utils, installed by scripts/test) are needed "
                  "to read the printed page";
    }
    const auto [ecart, note] = GetParam();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString pdf = qEnvironmentVariableIsSet("ORBITEL_GARDE_PDF")
                            ? qEnvironmentVariable("ORBITEL_GARDE_PDF")
                            : dossier.filePath("page.pdf");

    FenetreTemoin f;
    f.racine.show();
    f.ecart_minutes = ecart;
    const auto avant = aspects(f.racine);
    ImprimantePdf imprimante(pdf);
    ASSERT_EQ(imprime_fenetre(f, imprimante), IssueImpression::imprimee);
    compare(avant, aspects(f.racine));
    ASSERT_TRUE(QFile::exists(pdf));

    const QString texte = QString::fromUtf8(poppler(ORBITEL_PDFTOTEXT, {pdf, "-"})).simplified();
    EXPECT_TRUE(texte.contains(QString::fromStdString(note))) << texte.toStdString();
    EXPECT_TRUE(texte.contains("Lune du 3 septembre"));
    EXPECT_FALSE(texte.contains("Calcul")); // no buttons on paper
    EXPECT_FALSE(texte.contains("Bouton"));

    const QString base = dossier.filePath("page");
    poppler(ORBITEL_PDFTOPPM, {"-r", "60", "-png", "-singlefile", pdf, base});
    QImage page(base + ".png");
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height()); // landscape
    page = page.convertToFormat(QImage::Format_RGB32);
    long blancs = 0, sombres = 0, gris_lune = 0, colores = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            const int ecart_teinte =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            colores += ecart_teinte > 24;
            blancs += c.lightness() >= 250;
            sombres += c.lightness() < 80;
            gris_lune += std::abs(c.red() - 200) <= 3 && ecart_teinte <= 3;
        }
    }
    const long total = static_cast<long>(page.width()) * page.height();
    EXPECT_EQ(colores, 0) << "coloured pixels on a black and white page";
    EXPECT_GT(blancs, total / 2);
    EXPECT_GT(sombres, 100); // the texts and the limb
    // The Moon in the print palette: a light grey disc, a good part of the drawing.
    EXPECT_GT(gris_lune, total / 20);
}

INSTANTIATE_TEST_SUITE_P(
    DeuxFuseaux, ImpressionPdf,
    ::testing::Values(std::pair{120, std::string("Pour obtenir l'heure locale veuillez ajouter 2 heures.")},
                      std::pair{-300, std::string("Pour obtenir l'heure locale veuillez retirer 5 heures.")}),
    [](const auto& info) { return info.param.first > 0 ? "Avance" : "Retard"; });

#include "test_impression.moc"
