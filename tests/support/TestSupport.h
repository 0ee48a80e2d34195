#pragma once
// Helpers shared by the test programs.

#include <QString>
#include <QTemporaryDir>

#include <string>

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
