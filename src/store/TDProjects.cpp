#include "store/TDProjects.h"

#include "common/UUtils.h"
#include "store/FileIO.h"
#include "store/RecordLine.h"

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
    ForEachRecordLine(text, [this](const std::vector<std::string>& pieces) {
        auto project = std::make_unique<TDProject>();
        TDProject& p = *project;
        std::string* byPosition[] = {
            &p.ProjName, &p.FirstName, &p.LastName, &p.Email, &p.Username, &p.Password,
            &p.Address, &p.City, &p.State, &p.Zip, &p.MainURL, &p.Titles, &p.Keywords,
            &p.Description, &p.RecpURL, &p.Extra};
        for (size_t position = 1; position <= 16; ++position)
            *byPosition[position - 1] = PieceAt(pieces, position);
        std::string key = AsciiUpper(p.ProjName);
        Append(std::move(key), std::move(project));
    });
}

std::string TDProjects::ToText() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const TDProject& p = RecordAt(i);
        text += BuildRecordLine({&p.ProjName, &p.FirstName, &p.LastName, &p.Email, &p.Username,
                                 &p.Password, &p.Address, &p.City, &p.State, &p.Zip, &p.MainURL,
                                 &p.Titles, &p.Keywords, &p.Description, &p.RecpURL, &p.Extra});
        text += "\r\n";
    }
    return text;
}
