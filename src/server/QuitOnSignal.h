#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop on SIGTERM or SIGINT, so pending saves are written and
// the local socket file is removed.
class QuitOnSignal : public QObject
{
    Q_OBJECT
public:
    explicit QuitOnSignal(QObject* parent = nullptr);
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;
    QuitOnSignal(QuitOnSignal&&) = delete;
    QuitOnSignal& operator=(QuitOnSignal&&) = delete;

private:
    QSocketNotifier* m_notifier = nullptr;
};
