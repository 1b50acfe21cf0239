#pragma once
#include "platform/navigateur.hpp"

namespace orbitel {

// The user's browser, through the desktop's URL handler. Where that handler is xdg-open, it is run
// and watched: with no browser at hand it ends with a non-zero status, which the desktop services
// would not report.
class NavigateurSysteme final : public Navigateur {
public:
    void ouvre(const std::string& url) override;
    void ouvre_ou_signale(const std::string& url, std::function<void()> echec) override;
};

} // namespace orbitel
