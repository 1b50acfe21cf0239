#pragma once
#include <cstddef>

namespace orbitel {

// Sines and cosines of a batch of arguments, in one pass the compiler can vectorise (AVX2 when the
// processor has it). Each result agrees with std::sin / std::cos to within a few units in the
// last place (three at most) for |x| below 1E5; larger or non-finite arguments go through the standard
// library.
void sinus_lot(const double* x, double* sinus, std::size_t n);
void cosinus_lot(const double* x, double* cosinus, std::size_t n);

} // namespace orbitel
