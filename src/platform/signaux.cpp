#include "platform/signaux.hpp"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace orbitel {

namespace {

constexpr std::array<int, 3> signaux_fin{SIGTERM, SIGINT, SIGHUP};

// The pipe's two ends: the handler writes into [1], the event loop reads [0].
int tube[2] = {-1, -1};
struct sigaction anciens[signaux_fin.size()];

extern "C" void au_signal(int numero) {
    const int sauve = errno;
    const unsigned char octet = static_cast<unsigned char>(numero);
    // Async-signal-safe; a full pipe only loses a repeat of a request already made.
    [[maybe_unused]] const ssize_t n = ::write(tube[1], &octet, 1);
    errno = sauve;
}

} // namespace

SignauxFin::SignauxFin(QObject* parent) : QObject(parent) {
    if (::pipe2(tube, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notificateur_ = new QSocketNotifier(tube[0], QSocketNotifier::Read, this);
    connect(notificateur_, &QSocketNotifier::activated, this, [this] { lit_tube(); });
    struct sigaction action {};
    action.sa_handler = au_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < signaux_fin.size(); ++i) {
        ::sigaction(signaux_fin[i], nullptr, &anciens[i]);
        // A signal the program was started with ignored stays ignored: nohup's SIGHUP, the SIGINT
        // of a shell's background job.
        if (!(anciens[i].sa_flags & SA_SIGINFO) && anciens[i].sa_handler == SIG_IGN) continue;
        ::sigaction(signaux_fin[i], &action, nullptr);
    }
}

SignauxFin::~SignauxFin() {
    if (tube[0] < 0) return;
    for (std::size_t i = 0; i < signaux_fin.size(); ++i)
        ::sigaction(signaux_fin[i], &anciens[i], nullptr);
    delete notificateur_;
    ::close(tube[0]);
    ::close(tube[1]);
    tube[0] = tube[1] = -1;
}

void SignauxFin::lit_tube() {
    unsigned char octet = 0;
    while (::read(tube[0], &octet, 1) == 1)
        emit finDemandee(octet);
}

} // namespace orbitel
