#pragma once
// Turns SIGTERM, SIGINT and SIGHUP (logout, Ctrl+C) into an ordinary close
// of the main window, so the data is saved as on any other close.

#include <QObject>

class QSocketNotifier;

class TSignalCloser : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; only one instance may exist at a time.
    explicit TSignalCloser(QObject* parent = nullptr);
    ~TSignalCloser() override;

signals:
    void CloseRequested(int signalNumber);

private:
    static void Handler(int signalNumber);
    void ReadSignal();

    QSocketNotifier* FNotifier = nullptr;
};
