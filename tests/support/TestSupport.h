#pragma once
// Helpers shared by the test programs.

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

// A fresh, empty application directory for one test.
class TTempAppDir {
public:
    TTempAppDir();
    // The directory with its trailing separator, as the program uses it.
    QString Path() const;
    QString File(const QString& name) const { return Path() + name; }

    void Write(const QString& name, const std::string& bytes) const;
    std::string Read(const QString& name) const;
    bool Exists(const QString& name) const;

private:
    QTemporaryDir FDir;
};

// Bytes of a file anywhere.
std::string ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const std::string& bytes);

// A stand-in for the desktop's opener: an "xdg-open" first on PATH for the
// whole test program (the platform remembers where it found the opener),
// recording every address it is handed. Each object starts an empty record.
class TStandInOpener {
public:
    TStandInOpener();
    // The addresses handed over so far, in order of arrival.
    std::vector<std::string> Received() const;
    // Waits until at least `count` addresses have arrived.
    bool WaitFor(std::size_t count) const;
};
