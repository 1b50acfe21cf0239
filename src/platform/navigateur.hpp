#pragma once
#include <string>

namespace orbitel {

// Opens a web address in the user's browser. The window is given one; tests give a fake that
// only records the address.
class Navigateur {
  public:
    virtual ~Navigateur() = default;
    virtual void ouvre(const std::string& url) = 0;
};

} // namespace orbitel
