#pragma once
// The application object. Qt cannot carry an exception through its event
// loop, so every event handler's escaping error is caught here and shown in
// one application-wide report; the program then goes on.

#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the report of an error that escaped a handler.
    static void ReportError(const QString& text);
};
