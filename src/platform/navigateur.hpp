#pragma once
#include <functional>
#include <string>

namespace orbitel {

// Opens a web address in the user's browser. The window is given one; tests give a fake that
// only records the address.
class Navigateur {
public:
    virtual ~Navigateur() = default;
    virtual void ouvre(const std::string& url) = 0;
    // As ouvre, and `echec` is called, at once or later, when the address could not be opened: no
    // opener, or an opener that ended in failure (no browser). A browser that cannot tell keeps
    // this default, which never calls it.
    virtual void ouvre_ou_signale(const std::string& url, std::function<void()> echec) {
        (void)echec;
        ouvre(url);
    }
};

} // namespace orbitel
