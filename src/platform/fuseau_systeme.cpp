#include "platform/fuseau_systeme.hpp"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

namespace orbitel {

namespace {

class FuseauSysteme final : public Fuseau {
public:
    FuseauSysteme() : zone_(QTimeZone::systemTimeZone()) {}

    std::int32_t decalage(double secondes_tu) const override {
        // Far beyond any date (a typed year of 1E30): no zone rule applies, and no count of seconds holds it.
        if (!(std::fabs(secondes_tu) < 1e15)) return 0;
        const auto s = static_cast<qint64>(std::floor(secondes_tu));
        if (s == dernier_instant_) return dernier_decalage_;
        dernier_instant_ = s;
        dernier_decalage_ = zone_.offsetFromUtc(QDateTime::fromSecsSinceEpoch(s, Qt::UTC));
        return dernier_decalage_;
    }

private:
    QTimeZone zone_;
    mutable qint64 dernier_instant_ = -1;
    mutable std::int32_t dernier_decalage_ = 0;
};

} // namespace

std::unique_ptr<Fuseau> fuseau_systeme() {
    return std::make_unique<FuseauSysteme>();
}

} // namespace orbitel
