#pragma once
// A browser and a printer that do nothing, for the programs that drive the window without a user:
// the documentation's pictures and the benchmarks.
#include <string>

#include "platform/navigateur.hpp"
#include "window/impression.hpp"

namespace orbitel {

class SansNavigateur final : public Navigateur {
public:
    void ouvre(const std::string&) override {}
};

// Nothing is printed: the dialog is always cancelled.
class SansImprimante final : public Imprimante {
public:
    bool choisit(QWidget*) override { return false; }
    bool imprime(QWidget&) override { return false; }
};

} // namespace orbitel
