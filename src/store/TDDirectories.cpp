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
    ForEachRecordLine(text, [this](std::vector<std::string>& pieces) {
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
