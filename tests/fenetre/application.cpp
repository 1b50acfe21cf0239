#include <gtest/gtest.h>

#include "outils.hpp"

namespace orbitel::essais {

namespace {

std::unique_ptr<QApplication>& instance() {
    static std::unique_ptr<QApplication> app;
    return app;
}

class EnvironnementQt final : public ::testing::Environment {
  public:
    void TearDown() override { instance().reset(); }
};

[[maybe_unused]] const auto* const inscrit = ::testing::AddGlobalTestEnvironment(new EnvironnementQt);

} // namespace

QApplication& application() {
    static int argc = 1;
    static char nom[] = "orbitel_tests_fenetre";
    static char* argv[] = {nom, nullptr};
    if (!instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        instance() = std::make_unique<QApplication>(argc, argv);
    }
    return *instance();
}

} // namespace orbitel::essais
