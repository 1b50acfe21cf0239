#pragma once
#include "platform/navigateur.hpp"

namespace orbitel {

// The user's browser, through the desktop's URL handler.
class NavigateurSysteme final : public Navigateur {
  public:
    void ouvre(const std::string& url) override;
};

} // namespace orbitel
