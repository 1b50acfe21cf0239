#include "text/version.hpp"

namespace orbitel {

std::string version_courte() {
    return std::to_string(ORBITEL_VERSION_MAJOR) + "." + std::to_string(ORBITEL_VERSION_MINOR);
}

std::string version_complete() {
    return version_courte() + "." + std::to_string(ORBITEL_VERSION_PATCH);
}

} // namespace orbitel
