#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C, a closed terminal, a system shutdown) turned
// into a Qt signal delivered by the event loop, where the program can end as its quit button does.
// The handler only writes the signal's number into a pipe; a QSocketNotifier reads it back.
#include <QObject>

class QSocketNotifier;

namespace orbitel {

class SignauxFin final : public QObject {
    Q_OBJECT

public:
    // Installs the handlers, except for a signal that is ignored (the program was started with it
    // ignored, as nohup does): that one stays ignored. One instance at a time. The old handlers come
    // back when it goes.
    explicit SignauxFin(QObject* parent = nullptr);
    ~SignauxFin() override;

signals:
    // The signal's number, once for each signal received.
    void finDemandee(int signal);

private:
    void lit_tube();

    QSocketNotifier* notificateur_ = nullptr;
};

} // namespace orbitel
