#include <QApplication>
#include <gtest/gtest.h>

#include "outils.hpp"

namespace orbitel::essais {

QApplication& application() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace orbitel::essais

// The widgets need one QApplication for the whole run, made before any test and deleted when main
// returns (before the program's exit handlers, which would otherwise destroy it after parts of Qt it
// still needs); offscreen unless told otherwise, so the tests run without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
