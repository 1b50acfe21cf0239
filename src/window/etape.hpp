#pragma once

namespace orbitel {

// One step of a handler (start-up, mode switch, compute, printing, the restore of the place): if it
// fails it is abandoned where it failed and the handler goes on with its next step; nothing escapes
// into the event loop. True when the step ran to its end.
template <class Etape> bool etape(Etape&& e) noexcept {
    try {
        e();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace orbitel
