// The module orbitel-rapport loads when it needs Qt: the settings store, the locale, the zone.
#include "cli/module_qt.hpp"

#include "platform/fuseau_systeme.hpp"
#include "platform/locale_systeme.hpp"
#include "platform/reglages_ini.hpp"

namespace {

std::unique_ptr<orbitel::MagasinReglages> reglages() {
    return orbitel::ouvre_reglages_utilisateur(QStringLiteral("orbitel"));
}

} // namespace

extern "C" __attribute__((visibility("default"))) const orbitel::ModuleQt* orbitel_rapport_module_qt() {
    static const orbitel::ModuleQt module{reglages, orbitel::marque_decimale_locale, orbitel::fuseau_systeme};
    return &module;
}
