#pragma once
// The C library's number locale switched for the length of a test: the window runs under the
// user's LC_NUMERIC (a comma in French), so the number reading and writing must not follow it.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace orbitel::essais {

class LocaleNumerique {
public:
    // Sets LC_NUMERIC to `nom`; the test fails (scripts/prepare.sh generates the locales it uses)
    // when the system does not have it.
    explicit LocaleNumerique(const char* nom) : avant_(std::setlocale(LC_NUMERIC, nullptr)) {
        reglee_ = std::setlocale(LC_NUMERIC, nom) != nullptr;
        if (!reglee_) ADD_FAILURE() << "locale " << nom << " missing (scripts/prepare.sh generates it)";
    }
    ~LocaleNumerique() { std::setlocale(LC_NUMERIC, avant_.c_str()); }
    LocaleNumerique(const LocaleNumerique&) = delete;
    LocaleNumerique& operator=(const LocaleNumerique&) = delete;

    bool reglee() const { return reglee_; }

private:
    std::string avant_;
    bool reglee_ = false;
};

} // namespace orbitel::essais
