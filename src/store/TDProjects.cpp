#include "store/TDProjects.h"

#include "store/RecordText.h"
#include "store/FileIO.h"
#include "store/RecordLine.h"

#include <QFile>
#include <QStringDecoder>

namespace {

constexpr TFieldTable<TDProject, 16> ProjectFields = {
    &TDProject::ProjName, &TDProject::FirstName, &TDProject::LastName, &TDProject::Email,
    &TDProject::Username, &TDProject::Password, &TDProject::Address, &TDProject::City,
    &TDProject::State, &TDProject::Zip, &TDProject::MainURL, &TDProject::Titles,
    &TDProject::Keywords, &TDProject::Description, &TDProject::RecpURL, &TDProject::Extra};

} // namespace

void TDProjects::LoadAll(const QString& appDir)
{
    const QString path = appDir + FileName;
    if (!FileExists(path))
        return;
    LoadFromText(ReadWholeFile(path));
}

void TDProjects::SaveAll(const QString& appDir) const
{
    // The file holds directory-site passwords in plain text: owner only.
    WriteWholeFileAtomically(appDir + FileName, ToText(), /*ownerOnly=*/true);
}

void TDProjects::LoadFromText(std::string_view text)
{
    std::string decoded;
    const bool littleEndian = text.substr(0, 2) == "\xFF\xFE";
    if (littleEndian || text.substr(0, 2) == "\xFE\xFF") {
        FDamage.Utf16 = true;
        QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString wide = decoder(QByteArrayView(text.data() + 2, static_cast<qsizetype>(text.size() - 2)));
        decoded = wide.toLatin1().toStdString();
        text = decoded;
    }
    // The text ends at a NUL byte, as it always has; the file is kept aside.
    if (text.find('\0') != std::string_view::npos)
        FDamage.NulBytes = true;
    ForEachRecordLine(text, ProjectFields.size(), [this](std::vector<std::string>& pieces, const TRecordLineShape& shape) {
        if (shape.TextOutside)
            ++FDamage.LinesNotRecords;
        auto project = std::make_unique<TDProject>();
        FieldsFromPieces(ProjectFields, pieces, *project);
        std::string key = AsciiUpper(project->ProjName);
        Append(std::move(key), std::move(project));
    });
}

QString TDProjects::DamagedCopyName(const QString& appDir)
{
    return DamagedCopyNameOf(appDir, QLatin1String(FileName));
}

QString TDProjects::KeepDamagedCopy(const QString& appDir)
{
    return KeepDamagedCopyOf(appDir, QLatin1String(FileName));
}

std::string TDProjects::ToText() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += BuildRecordLine(ProjectFields, RecordAt(i));
        text += "\r\n";
    }
    return text;
}
