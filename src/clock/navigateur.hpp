#pragma once
#include <string>

namespace orbitel {

// Opens a web address in the user's browser. The window gives the desktop's browser; tests give a
// recorder, so that no browser starts during a test run.
class Navigateur {
  public:
    virtual ~Navigateur() = default;
    virtual void ouvre(const std::string& url) = 0;
};

} // namespace orbitel
