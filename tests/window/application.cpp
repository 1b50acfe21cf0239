#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "outils.hpp"

namespace orbitel::essais {

QApplication& application() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace orbitel::essais

// The widgets need one QApplication for the whole run, made before any test and deleted when main
// returns (before the program's exit handlers, which would otherwise destroy it after parts of Qt it
// still needs); offscreen unless told otherwise, so the tests run without a display.
// The window's users are French, so the tests run under the French locale whatever the environment
// says: QApplication sets the C library's locale (LC_NUMERIC too, a decimal comma) from LC_ALL.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    constexpr const char* francaise = "fr_FR.UTF-8";
    qputenv("LC_ALL", francaise);
    QApplication application(argc, argv);
    if (std::setlocale(LC_ALL, nullptr) != std::string_view(francaise) ||
        std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::fprintf(stderr,
                     "The tests run under %s, which this system lacks: scripts/prepare.sh generates it.\n",
                     francaise);
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
