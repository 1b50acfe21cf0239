#include "text/version.hpp"

#include "version_orbitel.hpp"

namespace orbitel {

std::string version_courte() {
    return std::to_string(construction::version_majeure) + "." +
           std::to_string(construction::version_mineure);
}

std::string version_complete() {
    return version_courte() + "." + std::to_string(construction::version_revision);
}

} // namespace orbitel
