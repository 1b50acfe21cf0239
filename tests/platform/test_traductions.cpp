// Qt's own dialogs speak French whatever the user's locale.
#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include "outils.hpp"
#include "platform/traductions.hpp"

using namespace orbitel;

TEST(TraductionsQt, FrancaisQuelleQueSoitLaLocale) {
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(charge_traductions_qt(essais::application()));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), "Imprimer");
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), "Cop&ier");
    QLocale::setDefault(avant);
}
