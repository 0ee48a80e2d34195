#pragma once
// The main window's size, place and splitter position, kept in Tarnwick.ini
// in the data folder between runs.

#include <QString>

class QSplitter;
class QWidget;

class TWindowState {
public:
    static constexpr const char* FileName = "Tarnwick.ini";

    // `dataDir` with its trailing separator.
    explicit TWindowState(const QString& dataDir);

    // Gives `window` and `splitter` what the last run kept. False when
    // nothing usable is kept (a first start, or values that do not read
    // back): the window then keeps its own layout.
    bool Restore(QWidget& window, QSplitter& splitter) const;
    // Keeps the window's geometry and the splitter's position; false when the
    // settings file cannot be written or the data folder is gone.
    bool Save(const QWidget& window, const QSplitter& splitter) const;

private:
    QString FPath;
};
