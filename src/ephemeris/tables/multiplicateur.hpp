#pragma once
#include <cstdint>

namespace orbitel {

// The integer multiple of a fundamental argument in a periodic term, in every table of the engine
// and of the phases.
using Multiplicateur = std::int8_t;

} // namespace orbitel
