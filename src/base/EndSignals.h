#pragma once

#include <QObject>

class QSocketNotifier;

namespace quillmere {

// Brings the signals that ask a program to end (SIGTERM at logout, SIGHUP from a closed terminal, SIGINT from
// Ctrl+C) to the event loop as received(), so that the program ends the way closing its window ends it. One
// object at a time; the signals get their default handling back when it goes.
class EndSignals : public QObject {
    Q_OBJECT

public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

signals:
    void received();

private:
    void takeSignal();

    QSocketNotifier* notifier_;
};

} // namespace quillmere
