#pragma once
#include <optional>

class QLabel;

namespace orbitel {

// Writes the local-clock notice (notice_ecart_local) into `label` unless it already states this
// offset, so that every tick may ask for it at the cost of one comparison; an offset that makes no
// sense (nullopt) leaves the label empty.
void ecrit_notice_ecart_local(QLabel& label, std::optional<int> ecart_minutes);

} // namespace orbitel
