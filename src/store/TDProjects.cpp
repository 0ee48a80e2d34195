#include "store/TDProjects.h"

#include "store/RecordText.h"
#include "store/FileIO.h"
#include "store/RecordLine.h"

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
    ForEachRecordLine(text, [this](std::vector<std::string>& pieces) {
        auto project = std::make_unique<TDProject>();
        FieldsFromPieces(ProjectFields, pieces, *project);
        std::string key = AsciiUpper(project->ProjName);
        Append(std::move(key), std::move(project));
    });
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
