#pragma once
// Which Fill the button runs, kept as [Fill] Mode in Tarnwick.ini in the
// data folder: "smart" (also when the file or the key is missing, or holds
// anything else) or "rules".

#include <QString>

enum class TFillMode { Smart, Rules };

class TFillSettings {
public:
    static constexpr const char* FileName = "Tarnwick.ini";

    // `dataFolder` ends with its separator; empty keeps nothing on disk.
    explicit TFillSettings(QString dataFolder);

    TFillMode Mode() const { return FMode; }
    // Takes `mode` at once and writes it to the file; false, with the reason
    // in `error`, when the file cannot be written (the mode still holds for
    // this run).
    bool SetMode(TFillMode mode, QString& error);

private:
    QString FPath;
    TFillMode FMode = TFillMode::Smart;
};
