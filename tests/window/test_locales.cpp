// The window under the locales of its users: a fractional place typed with a point or a comma is
// read alike whatever LC_NUMERIC says, restored as it was typed, and the copy of the results is what
// orbitel-rapport prints for the saved place under the same locale.
#include <QClipboard>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstring>
#include <string>

#include "outils.hpp"
#include "rapport.hpp"

using namespace orbitel;
using namespace orbitel::essais;

namespace {

struct CasLocale {
    const char* locale;
    char marque; // the locale's decimal mark, the one the window's lines take
    const char* lat0;
    const char* lon1;
};

std::ostream& operator<<(std::ostream& o, const CasLocale& c) {
    return o << c.locale << " lat0=" << c.lat0 << " lon1=" << c.lon1;
}

// The whole C library locale (LC_NUMERIC with it) of a window in the user's environment, for the
// length of a test; the test program's French one comes back afterwards.
class LocaleProgramme {
public:
    explicit LocaleProgramme(const char* nom) : avant_(std::setlocale(LC_ALL, nullptr)) {
        reglee_ = std::setlocale(LC_ALL, nom) != nullptr;
    }
    ~LocaleProgramme() { std::setlocale(LC_ALL, avant_.c_str()); }
    LocaleProgramme(const LocaleProgramme&) = delete;
    LocaleProgramme& operator=(const LocaleProgramme&) = delete;
    bool reglee() const { return reglee_; }

private:
    std::string avant_;
    bool reglee_ = false;
};

void tape(QLineEdit* champ, const char* texte) {
    champ->setFocus();
    champ->selectAll();
    QTest::keyClick(champ, Qt::Key_Backspace);
    QTest::keyClicks(champ, texte);
}

class LieuFractionnaire : public ::testing::TestWithParam<CasLocale> {};

} // namespace

TEST_P(LieuFractionnaire, TapeEtRestaureSousLaLocaleLuCommeParLeRapport) {
    const CasLocale& c = GetParam();
    const LocaleProgramme locale(c.locale);
    ASSERT_TRUE(locale.reglee()) << c.locale << " missing (scripts/prepare.sh generates it)";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), std::string(1, c.marque));

    // 12° 30′ N, 2° 20.25′ E, typed.
    Banc banc(tu_de(2026, 12, 8, 19, 0, 0), 60, c.marque);
    banc.fenetre->demarre();
    tape(ui(*banc.fenetre).TLat[0], c.lat0);
    tape(ui(*banc.fenetre).TLat[1], "0");
    tape(ui(*banc.fenetre).TLon[0], "2");
    tape(ui(*banc.fenetre).TLon[1], c.lon1);
    const float lat = 12.5f;
    const auto lon = static_cast<float>(-(2 + 20.25 / 60));
    EXPECT_FLOAT_EQ(banc.fenetre->releve().lieu->Lat, lat);
    EXPECT_FLOAT_EQ(banc.fenetre->releve().lieu->Lon, lon);
    EXPECT_EQ(ui(*banc.fenetre).Label17[0]->toolTip(), "12° 30′ N, 2° 20′ E");

    // Saved on quitting, restored at the next start as typed, and read the same.
    banc.relance(c.marque);
    PosLune& f = *banc.fenetre;
    f.demarre();
    EXPECT_EQ(texte(ui(f).TLat[0]), c.lat0);
    EXPECT_EQ(texte(ui(f).TLon[1]), c.lon1);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lat, lat);
    EXPECT_FLOAT_EQ(f.releve().lieu->Lon, lon);

    f.bascule_mode();
    const std::array<const char*, 6> instant{"8", "12", "2026", "19", "0", "0"};
    for (int i = 0; i < 3; ++i) {
        ui(f).Date[i]->setText(instant[i]);
        ui(f).Heure[i]->setText(instant[i + 3]);
    }
    f.calcul();
    QClipboard* presse_papiers = QGuiApplication::clipboard();
    presse_papiers->clear();
    ASSERT_EQ(QApplication::focusWidget(), ui(f).dummy);
    QTest::keyClick(ui(f).dummy, Qt::Key_C, Qt::ControlModifier);
    const QString copie = presse_papiers->text();
    ASSERT_EQ(copie.count('\n'), 22) << copie.toStdString();
    const QRegularExpression distance(QStringLiteral("Distance terre - Lune = \\d+%1\\d+ kms").arg(c.marque));
    EXPECT_TRUE(distance.match(copie).hasMatch()) << copie.toStdString();

    // The saved place, as orbitel-rapport reads it from the same file, and the same place given
    // on its command line.
    const QStringList quand{"--date", "8/12/2026", "--heure", "19:0:0"};
    EXPECT_EQ(copie, sortie_rapport(quand, c.locale));
    EXPECT_EQ(copie, sortie_rapport(quand + QStringList{"--latitude", "12:30N", "--longitude", "2:20.25E"},
                                    c.locale));
}

INSTANTIATE_TEST_SUITE_P(Locales, LieuFractionnaire,
                         ::testing::Values(CasLocale{"fr_FR.UTF-8", ',', "12.5", "20,25"},
                                           CasLocale{"fr_FR.UTF-8", ',', "12,5", "20.25"},
                                           CasLocale{"de_DE.UTF-8", ',', "12.5", "20,25"},
                                           CasLocale{"de_DE.UTF-8", ',', "12,5", "20.25"},
                                           CasLocale{"en_US.UTF-8", '.', "12.5", "20,25"},
                                           CasLocale{"en_US.UTF-8", '.', "12,5", "20.25"},
                                           CasLocale{"C", '.', "12.5", "20,25"},
                                           CasLocale{"C", '.', "12,5", "20.25"}));
