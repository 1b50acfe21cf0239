#include "text/formats.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "../clock/locale_numerique.hpp"

using orbitel::InstantTu;
using orbitel::texte_date;
using orbitel::texte_image;
using orbitel::texte_nombre;

TEST(Images, EntiersAvecZeros) {
    EXPECT_EQ(texte_image(7, "00"), "07");
    EXPECT_EQ(texte_image(123, "00"), "123");
    EXPECT_EQ(texte_image(-5, "00"), "-05");
    EXPECT_EQ(texte_image(59.6, "00"), "60"); // the picture rounds, the caller carries
    EXPECT_EQ(texte_image(2.5, "00"), "03");
    EXPECT_EQ(texte_image(-2.5, "00"), "-03");
    EXPECT_EQ(texte_image(987, "0000"), "0987");
    EXPECT_EQ(texte_image(-0.4, "00"), "00"); // rounds to zero: no sign
}

TEST(Images, Decimales) {
    EXPECT_EQ(texte_image(5.257, "00.00"), "05.26");
    EXPECT_EQ(texte_image(5.257, "00.00", ','), "05,26");
    EXPECT_EQ(texte_image(0.285, "00.00"), "00.29"); // 0.285 is 0.28499999... in binary
    EXPECT_EQ(texte_image(45.26, "000.0"), "045.3");
    EXPECT_EQ(texte_image(23.99914, "00.0000"), "23.9991");
    EXPECT_EQ(texte_image(-5.12345, "00.0000"), "-05.1235");
    EXPECT_EQ(texte_image(359.99951, "000.0000"), "359.9995");
    EXPECT_EQ(texte_image(-0.00004, "00.0000"), "00.0000");
    EXPECT_EQ(texte_image(9.99996, "00.0000"), "10.0000");
    EXPECT_EQ(texte_image(365787.1394, "00.000", ','), "365787,139");
}

TEST(Images, Diese) {
    EXPECT_EQ(texte_image(0, "#"), "");
    EXPECT_EQ(texte_image(0.4, "#"), "");
    EXPECT_EQ(texte_image(0.5, "#"), "1");
    EXPECT_EQ(texte_image(-5, "#"), "-5");
    EXPECT_EQ(texte_image(-0.4, "#"), "");
}

TEST(Images, Heures) {
    EXPECT_EQ(texte_image(0.5243, "hh:mm:ss"), "12:35:00"); // 12:34:59.52
    EXPECT_EQ(texte_image(0.524305, "hh:mm"), "12:35");     // 12:34:59.95 rounds up first
    EXPECT_EQ(texte_image((12 * 3600 + 34 * 60 + 59.4) / 86400.0, "hh:mm"), "12:34");
    EXPECT_EQ(texte_image(0.75, "hh:mm:ss"), "18:00:00");
}

TEST(TexteNombre, Formes) {
    EXPECT_EQ(texte_nombre(0), "0");
    EXPECT_EQ(texte_nombre(-0.0), "0");
    EXPECT_EQ(texte_nombre(5.5), "5.5");
    EXPECT_EQ(texte_nombre(5.5, ','), "5,5");
    EXPECT_EQ(texte_nombre(368405.065, ','), "368405,065");
    EXPECT_EQ(texte_nombre(-3), "-3");
    EXPECT_EQ(texte_nombre(0.0001), "0.0001");
    EXPECT_EQ(texte_nombre(0.00001), "1E-05");
    EXPECT_EQ(texte_nombre(1e15), "1E+15");
    EXPECT_EQ(texte_nombre(999999999999999.0), "999999999999999");
    EXPECT_EQ(texte_nombre(0.1 + 0.2), "0.3");              // 15 significant digits
    EXPECT_EQ(texte_nombre(1234567.25, ','), "1234567,25"); // never grouped
}

TEST(Formats, MemesOctetsSousToutesLesLocales) {
    // The window runs under the user's LC_NUMERIC: its texts take the decimal mark they are given,
    // never the C library's (the tables always a point, the lines the locale's mark through Qt).
    struct Cas {
        double x;
        const char* image; // nullptr: texte_nombre
        char marque;
        const char* attendu;
    };
    const Cas cas[] = {
        {5.5, nullptr, '.', "5.5"},
        {368405.065, nullptr, ',', "368405,065"},
        {0.00001, nullptr, '.', "1E-05"},
        {-1.5e-7, nullptr, ',', "-1,5E-07"},
        {1e15, nullptr, '.', "1E+15"},
        {1.25e300, nullptr, '.', "1.25E+300"},
        {0.1 + 0.2, nullptr, '.', "0.3"},
        {2026, nullptr, '.', "2026"},
        {5.257, "00.00", '.', "05.26"},
        {0.285, "00.00", ',', "00,29"},
        {359.99951, "000.0000", '.', "359.9995"},
        {365787.1394, "00.000", ',', "365787,139"},
        {-2.5, "00", '.', "-03"},
        {0.5243, "hh:mm:ss", '.', "12:35:00"},
    };
    for (const char* locale : {"C", "fr_FR.UTF-8", "de_DE.UTF-8"}) {
        const orbitel::essais::LocaleNumerique l(locale);
        ASSERT_TRUE(l.reglee());
        for (const Cas& c : cas) {
            const std::string t = c.image ? texte_image(c.x, c.image, c.marque) : texte_nombre(c.x, c.marque);
            EXPECT_EQ(t, c.attendu) << locale << ' ' << c.x;
        }
        EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461382.49999), true), "07/12/2026 à 23:59:59")
            << locale;
        EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461382.5 - 0.3 / 86400), false), "08/12/2026 à 00:00")
            << locale;
    }
}

TEST(Formats, JamaisNanNiInf) {
    // A value that is not finite has no digits to show: its "---" form, whatever the picture.
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    for (const char* image : {"00", "00.00", "000.0000", "000.0", "#", "hh:mm:ss", "hh:mm"}) {
        EXPECT_EQ(texte_image(nan, image, ','), "---") << image;
        EXPECT_EQ(texte_image(-inf, image), "---") << image;
    }
    EXPECT_EQ(texte_nombre(nan), "---");
    EXPECT_EQ(texte_nombre(inf, ','), "---");
    // A time picture takes only the fraction of the day, however many days come with it.
    EXPECT_EQ(texte_image(2.5, "hh:mm:ss"), "12:00:00");
    EXPECT_EQ(texte_image(1e30 + 0.0, "hh:mm"), "00:00");
    EXPECT_EQ(texte_image(1e300, "hh:mm:ss"), "00:00:00");
}

TEST(Sexagesimal, DecoupeEtCentiemes) {
    const auto d = orbitel::decoupe_sexagesimale(13.5);
    EXPECT_EQ(d.unites, 13);
    EXPECT_DOUBLE_EQ(d.minutes, 30);
    EXPECT_NEAR(d.secondes, 0, 1e-9);
    EXPECT_EQ(orbitel::arrondi_centieme(5.678), 5.68);
    EXPECT_EQ(orbitel::arrondi_centieme(5.6749), 5.67);
    EXPECT_EQ(orbitel::arrondi_centieme(5), 5);
    EXPECT_EQ(orbitel::arrondi_centieme(59.996), 60);
}

TEST(Sexagesimal, RetenuesAffichees) {
    // 10° 59' 59.996'' reads 11° 0' 0'', not 59' 60''.
    const auto a = orbitel::sexagesimale_affichee(10 + 59 / 60.0 + 59.996 / 3600);
    EXPECT_EQ(a.unites, 11);
    EXPECT_EQ(a.minutes, 0);
    EXPECT_EQ(a.secondes, 0);
    // 23 h 59 m 59.999 s of right ascension wraps to 00 h.
    const auto h = orbitel::sexagesimale_affichee(24 - 0.001 / 3600, 24);
    EXPECT_EQ(h.unites, 0);
    EXPECT_EQ(h.minutes, 0);
    const auto b = orbitel::sexagesimale_affichee(0.5);
    EXPECT_EQ(b.unites, 0);
    EXPECT_EQ(b.minutes, 30);
    EXPECT_EQ(b.secondes, 0);
}

TEST(TexteDate, Exemples) {
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461381.5), true), "07/12/2026 à 00:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2451545.25), false), "01/01/2000 à 18:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461382.49999), true), "07/12/2026 à 23:59:59");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461382.49999), false), "07/12/2026 à 23:59");
}

TEST(TexteDate, HorsDePortee) {
    // No date is made up past the range a double holds to the second.
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(3.65e32), true), "---");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(-3.65e20), false), "---");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(std::nan("")), true), "---");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(orbitel::JourJulienLimite), true), "---");
    // Just inside, in both directions: the calendar conversion is still exact there.
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(3.4e10 + 0.5), true), "20/02/93084126 à 00:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(-3.4e10 + 0.5), true), "29/03/-93091639 à 00:00:00");
}

TEST(TexteDate, ReformeGregorienne) {
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2299159.5), true), "04/10/1582 à 00:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2299160.5), true), "15/10/1582 à 00:00:00");
}

TEST(TexteDate, AnneesAstronomiques) {
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(1721057.5), true), "01/01/0 à 00:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(0), true), "01/01/-4712 à 12:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2086307.5), true), "01/01/1000 à 00:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(1757582.5), true), "01/01/100 à 00:00:00");
}

TEST(TexteDate, MinuitArrondiPasseAuLendemain) {
    // 23:59:59.7 rounds to 24:00:00: that is 00:00:00 of the next day.
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461382.5 - 0.3 / 86400), true), "08/12/2026 à 00:00:00");
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461382.5 - 0.3 / 86400), false), "08/12/2026 à 00:00");
    // The last day of a year carries into the next year.
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2461406.5 - 0.2 / 86400), true), "01/01/2027 à 00:00:00");
    // Across the calendar reform: 4 October 1582, 23:59:59.8 is followed by 15 October.
    EXPECT_EQ(texte_date(InstantTu::du_jour_julien(2299160.5 - 0.2 / 86400), true), "15/10/1582 à 00:00:00");
}
