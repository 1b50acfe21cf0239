#pragma once
#include <string>

namespace orbitel {

// "1.0" as the About box shows it, and "1.0.0" for the contact subject line.
std::string version_courte();
std::string version_complete();

} // namespace orbitel
