#pragma once
// What the window tests share: one QApplication, a fixed clock, a settings file in a temporary
// configuration folder, a browser that only records, and a window built on them.
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock/calendrier.hpp"
#include "clock/horloge_fixe.hpp"
#include "platform/reglages_ini.hpp"
#include "window/controles.hpp"
#include "window/impression.hpp"
#include "window/pos_lune.hpp"

namespace orbitel::essais {

// The tests' application, made on first use and deleted when the tests end (before the program's
// exit handlers, which would otherwise destroy it after parts of Qt it still needs).
QApplication& application();

class NavigateurEspion final : public Navigateur {
public:
    void ouvre(const std::string& url) override { adresses.push_back(url); }
    std::vector<std::string> adresses;
};

// The window's printer in the tests: a PDF file in the test's folder unless a test puts another
// printer (the system's dialog, a spy) in its place.
class ImprimanteEssai final : public Imprimante {
public:
    explicit ImprimanteEssai(const QString& pdf) : pdf_(pdf) {}
    bool choisit(QWidget* parent) override { return cible().choisit(parent); }
    bool imprime(QWidget& fenetre) override { return cible().imprime(fenetre); }
    bool imprime_page(const DessinPage& dessin) override { return cible().imprime_page(dessin); }
    Imprimante* remplacante = nullptr;

private:
    Imprimante& cible() { return remplacante != nullptr ? *remplacante : pdf_; }
    ImprimantePdf pdf_;
};

// A UTC reading, field by field (the day of the week is not used).
inline HorlogeTu tu_de(int an, int mois, int jour, int h, int m, int s, int ms = 0) {
    return {static_cast<std::uint16_t>(an),   static_cast<std::uint16_t>(mois), 0,
            static_cast<std::uint16_t>(jour), static_cast<std::uint16_t>(h),    static_cast<std::uint16_t>(m),
            static_cast<std::uint16_t>(s),    static_cast<std::uint16_t>(ms)};
}

// The local wall clock `decalage_minutes` away from a UTC reading (whole seconds).
inline HeureLocale locale_de(const HorlogeTu& tu, int decalage_minutes) {
    const std::int64_t jour = jours_civils(tu.annee, tu.mois, tu.jour);
    std::int64_t secondes =
        jour * 86400 + tu.heure * 3600 + tu.minute * 60 + tu.seconde + decalage_minutes * 60;
    const std::int64_t j = (secondes >= 0 ? secondes : secondes - 86399) / 86400;
    secondes -= j * 86400;
    const DateCivile d = date_civile(j);
    return {static_cast<int>(d.annee),
            static_cast<int>(d.mois),
            static_cast<int>(d.jour),
            static_cast<int>(secondes / 3600),
            static_cast<int>(secondes / 60 % 60),
            static_cast<int>(secondes % 60)};
}

// An environment variable set for the length of a test.
class Variable {
public:
    Variable(const char* nom, const QByteArray& valeur)
        : nom_(nom), avant_(qgetenv(nom)), avait_(qEnvironmentVariableIsSet(nom)) {
        qputenv(nom, valeur);
        tzset();
    }
    // The variable unset for the length of a test.
    Variable(const char* nom, std::nullopt_t)
        : nom_(nom), avant_(qgetenv(nom)), avait_(qEnvironmentVariableIsSet(nom)) {
        qunsetenv(nom);
        tzset();
    }
    ~Variable() {
        if (avait_) {
            qputenv(nom_, avant_);
        } else {
            qunsetenv(nom_);
        }
        tzset();
    }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

private:
    const char* nom_;
    QByteArray avant_;
    bool avait_;
};

// A configuration folder of its own for each test: the settings file lives and dies with it.
class DossierConfiguration {
public:
    DossierConfiguration() {
        application();
        ancien_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dossier_.path().toLocal8Bit());
    }
    ~DossierConfiguration() { qputenv("XDG_CONFIG_HOME", ancien_); }
    DossierConfiguration(const DossierConfiguration&) = delete;
    DossierConfiguration& operator=(const DossierConfiguration&) = delete;

    QString chemin_ini() const { return chemin_reglages_utilisateur(QStringLiteral("orbitel")); }
    QString dossier() const { return dossier_.path(); }

private:
    QTemporaryDir dossier_;
    QByteArray ancien_;
};

// One window on the fixed clock and the temporary settings file. The program's end is recorded
// instead of quitting the test's application.
struct Banc {
    // By default 7 December 2026, 05:41:07.250 UT, the local clock one hour ahead.
    explicit Banc(const HorlogeTu& tu = tu_de(2026, 12, 7, 5, 41, 7, 250), int decalage_minutes = 60,
                  char marque = '.')
        : horloge(tu, locale_de(tu, decalage_minutes)) {
        reglages = std::make_unique<MagasinIni>(config.chemin_ini());
        ouvre(marque);
    }

    void ouvre(char marque = '.') {
        fenetre = std::make_unique<PosLune>(horloge, *reglages, navigateur, imprimante, marque);
        fenetre->definit_fin_programme([this] { ++fins; });
    }

    // Closes the window as the user would and opens a new one on the same store.
    void relance(char marque = '.') {
        fenetre->quitte();
        fenetre.reset();
        reglages = std::make_unique<MagasinIni>(config.chemin_ini());
        ouvre(marque);
    }

    void regle(const HorlogeTu& tu, int decalage_minutes = 60) {
        horloge.regle(tu, locale_de(tu, decalage_minutes));
    }

    DossierConfiguration config;
    HorlogeFixe horloge;
    std::unique_ptr<MagasinIni> reglages;
    NavigateurEspion navigateur;
    ImprimanteEssai imprimante{config.dossier() + QStringLiteral("/page.pdf")};
    std::unique_ptr<PosLune> fenetre;
    int fins = 0;
};

// The window's controls, found by their window names (objectName), as the tests speak of them.
struct ControlesParNom {
    explicit ControlesParNom(const QWidget& f) {
        const auto c = [&f]<class T>(T*& w, const QString& nom) {
            w = f.findChild<T*>(nom);
            if (w == nullptr) ADD_FAILURE() << "no control " << nom.toStdString();
        };
        const auto n = [](const char* nom, int i) {
            return QStringLiteral("%1_%2").arg(QLatin1String(nom)).arg(i);
        };
        c(Command1, QStringLiteral("Command1"));
        c(Command2, QStringLiteral("Command2"));
        c(Command3, QStringLiteral("Command3"));
        c(Command4, QStringLiteral("Command4"));
        c(Command5, QStringLiteral("Command5"));
        c(Frame1, QStringLiteral("Frame1"));
        c(Frame2, QStringLiteral("Frame2"));
        c(Frame3, QStringLiteral("Frame3"));
        c(Frame4, QStringLiteral("Frame4"));
        c(dummy, QStringLiteral("dummy"));
        c(Timer1, QStringLiteral("Timer1"));
        for (int i = 0; i < 3; ++i) {
            c(Date[i], n("Date", i));
            c(Heure[i], n("Heure", i));
        }
        for (int i = 0; i < 6; ++i) {
            c(Shape1[i], n("Shape1", i));
            c(Label11[i], n("Label11", i));
        }
        for (int i = 0; i < 2; ++i) {
            c(TLat[i], n("TLat", i));
            c(TLon[i], n("TLon", i));
            c(Option1[i], n("Option1", i));
            c(Option2[i], n("Option2", i));
            c(Label10[i], n("Label10", i));
            c(Label17[i], n("Label17", i));
            c(Label18[i], n("Label18", i));
        }
        for (int i = 0; i < 5; ++i)
            c(LabPhase[i], n("LabPhase", i));
        std::array<QLabel**, 14> lignes{&Label1, &Label2, &Label3,  &Label4,  &Label5,  &Label6,  &Label7,
                                        &Label8, &Label9, &Label12, &Label13, &Label14, &Label15, &Label16};
        const std::array<int, 14> numeros{1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16};
        for (std::size_t i = 0; i < lignes.size(); ++i)
            c(*lignes[i], QStringLiteral("Label%1").arg(numeros[i]));
        c(Image1, QStringLiteral("Image1"));
        c(Image4, QStringLiteral("Image4"));
        c(Label19, QStringLiteral("Label19"));
        c(Image2, QStringLiteral("Image2"));
        c(Image3, QStringLiteral("Image3"));
    }

    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    QFrame *Frame1, *Frame2, *Frame3, *Frame4;
    QWidget* dummy;
    QTimer* Timer1;
    std::array<QLineEdit*, 3> Date, Heure;
    std::array<Forme*, 6> Shape1;
    std::array<QLabel*, 6> Label11;
    std::array<QLineEdit*, 2> TLat, TLon;
    std::array<QRadioButton*, 2> Option1, Option2;
    std::array<QLabel*, 2> Label10, Label17, Label18;
    std::array<QLabel*, 5> LabPhase;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label12,
        *Label13, *Label14, *Label15, *Label16, *Image1, *Image4, *Label19;
    ImageCliquable *Image2, *Image3;
};

inline ControlesParNom ui(const QWidget& f) {
    return ControlesParNom(f);
}

// Chosen-instant mode, the six fields typed (day, month, year, hours, minutes, seconds), then Calcul.
inline void calcule_instant(PosLune& f, const std::array<const char*, 6>& champs) {
    if (f.temps_reel()) f.bascule_mode();
    for (int i = 0; i < 3; ++i) {
        ui(f).Date[i]->setText(champs[i]);
        ui(f).Heure[i]->setText(champs[i + 3]);
    }
    f.calcul();
}

// The display menu's button, over the drawing's corner.
inline QToolButton* affichage(const QWidget& f) {
    auto* b = f.findChild<QToolButton*>(QStringLiteral("Affichage"));
    if (b == nullptr) ADD_FAILURE() << "no control Affichage";
    return b;
}

// The tool tip a line shows when the pointer rests on it, as the user gets it; empty when none shows.
inline QString bulle(QLabel* l) {
    QToolTip::hideText();
    QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), l->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(l, &e);
    const QString t = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return t;
}

inline std::string texte(const QLabel* l) {
    return l->text().toStdString();
}
inline std::string texte(const QLineEdit* l) {
    return l->text().toStdString();
}

// The pixel of the drawing surface under a point given in twips.
inline QColor pixel_twips(const QImage& surface, double x, double y) {
    const qreal r = surface.devicePixelRatio();
    return surface.pixelColor(static_cast<int>(x / 15 * r), static_cast<int>(y / 15 * r));
}

} // namespace orbitel::essais
