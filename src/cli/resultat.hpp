#pragma once
#include <string>
#include <utility>
#include <variant>

namespace orbitel {

// Why something was refused, in French, as the user reads it.
struct Refus {
    std::string message;
};

// A value, or the reason there is none.
template <class T> class Resultat {
public:
    Resultat(T valeur) : v_(std::move(valeur)) {}
    Resultat(Refus refus) : v_(std::move(refus)) {}

    explicit operator bool() const { return v_.index() == 0; }
    const T& operator*() const { return std::get<0>(v_); }
    T& operator*() { return std::get<0>(v_); }
    const T* operator->() const { return &std::get<0>(v_); }
    const std::string& refus() const { return std::get<1>(v_).message; }

private:
    std::variant<T, Refus> v_;
};

} // namespace orbitel
