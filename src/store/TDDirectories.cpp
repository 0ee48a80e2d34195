#include "store/TDDirectories.h"

#include "store/RecordText.h"
#include "store/DataFileCipher.h"
#include "store/AesLib.h"
#include "store/FileIO.h"
#include "store/RecordLine.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr TFieldTable<TDDirectory, 7> DirectoryFields = {
    &TDDirectory::Title, &TDDirectory::URL, &TDDirectory::Category, &TDDirectory::Type,
    &TDDirectory::PageRank, &TDDirectory::AlexaRank, &TDDirectory::Extra};

// Salt, password check and authentication code of the built-in password's mode.
constexpr std::size_t HeaderAndCodeBytes = 20;

} // namespace

TDatabaseState TDDirectories::LoadAll(const QString& appDir)
{
    return LoadFile(appDir + FileName);
}

void TDDirectories::SaveAll(const QString& appDir) const
{
    SaveFile(appDir + FileName);
}

TDatabaseState TDDirectories::LoadFile(const QString& path)
{
    if (!FileExists(path))
        return TDatabaseState::Missing;
    // The header is checked before the rest is read: a file that is not a
    // database (a device, a 2 GB download) costs 20 bytes, not its size.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const QByteArray head = file.read(static_cast<qint64>(HeaderAndCodeBytes));
        std::string ignored;
        TCryptFailure failure = TCryptFailure::None;
        if (head.size() == static_cast<qsizetype>(HeaderAndCodeBytes)
            && !DecryptData(std::string_view(head.constData(), HeaderAndCodeBytes), ignored, &failure)
            && failure == TCryptFailure::PasswordMismatch)
            return TDatabaseState::NotReadable;
    }
    return LoadEncrypted(ReadWholeFile(path));
}

void TDDirectories::SaveFile(const QString& path) const
{
    WriteWholeFileAtomically(path, ToEncrypted(), /*ownerOnly=*/false);
}

TDatabaseState TDDirectories::LoadEncrypted(std::string_view encrypted)
{
    std::string plain;
    TCryptFailure failure = TCryptFailure::None;
    const bool intact = DecryptData(encrypted, plain, &failure);
    // After a failed code the text that did decrypt is loaded, so the user
    // keeps what can be saved of the database.
    LoadFromText(plain);
    if (intact)
        return TDatabaseState::Intact;
    switch (failure) {
    case TCryptFailure::TooShort: return TDatabaseState::TooShort;
    case TCryptFailure::PasswordMismatch: return TDatabaseState::NotReadable;
    default: return TDatabaseState::Damaged;
    }
}

std::string TDDirectories::ToEncrypted() const
{
    return EncryptData(ToText());
}

QString TDDirectories::DamagedCopyName(const QString& appDir)
{
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? QStringLiteral("Directories.damaged.dat")
                                    : QStringLiteral("Directories.damaged-%1.dat").arg(n);
        if (!FileExists(appDir + name))
            return name;
    }
}

QString TDDirectories::KeepDamagedCopy(const QString& appDir)
{
    const QString name = DamagedCopyName(appDir);
    // QFile::copy never replaces an existing file.
    QFile original(appDir + FileName);
    if (!original.copy(appDir + name))
        throw TFileError("Cannot copy \"" + (appDir + FileName).toStdString() + "\" to \""
                         + name.toStdString() + "\". " + original.errorString().toStdString());
    return name;
}

void TDDirectories::LoadFromText(std::string_view text)
{
    // About one directory per line break: a large database is appended without regrowing.
    Reserve(Count() + static_cast<int>(std::count(text.begin(), text.end(), '\n')));
    // Pieces past the seventh field are never kept.
    ForEachRecordLine(text, DirectoryFields.size(), [this](std::vector<std::string>& pieces, const TRecordLineShape&) {
        auto directory = std::make_unique<TDDirectory>();
        FieldsFromPieces(DirectoryFields, pieces, *directory);
        std::string key = AsciiUpper(directory->Title);
        Append(std::move(key), std::move(directory));
    });
}

std::string TDDirectories::ToText() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += BuildRecordLine(DirectoryFields, RecordAt(i));
        text += "\r\n";
    }
    return text;
}
