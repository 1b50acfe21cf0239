#pragma once
// What orbitel-rapport takes from Qt, in a module of its own (orbitel-rapport-qt.so) that the
// program loads only when a command line needs it: most runs (the phases of a year, a table for a
// place given in UT) never pay for loading Qt Core and its libraries.
#include <memory>

#include "clock/fuseau.hpp"
#include "clock/reglages.hpp"

namespace orbitel {

struct ModuleQt {
    std::unique_ptr<MagasinReglages> (*reglages)(); // the window's store ("orbitel")
    char (*marque_decimale)();                      // the locale's decimal mark
    std::unique_ptr<Fuseau> (*fuseau_systeme)();    // the system's zone
};

} // namespace orbitel

// The module's one entry point.
extern "C" const orbitel::ModuleQt* orbitel_rapport_module_qt();
#define ORBITEL_POINT_ENTREE_MODULE_QT "orbitel_rapport_module_qt"
