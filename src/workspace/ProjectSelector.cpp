#include "workspace/ProjectSelector.h"

#include "store/RecordText.h"
#include "common/UUtils.h"
#include "store/TDProjects.h"
#include "toolkit/SortedComboBox.h"

TProjectSelector::TProjectSelector(TSortedComboBox& box, const TDProjects& projects)
    : FBox(box)
    , FProjects(projects)
{
}

void TProjectSelector::FillProjects()
{
    FBox.ClearEntries();
    for (int i = 0; i < FProjects.Count(); ++i)
        FBox.AddEntry(FProjects.RecordAt(i).ProjName);
    if (FBox.EntryCount() > 0)
        FBox.SelectPosition(0);
    else
        FBox.SelectPosition(-1);
}

int TProjectSelector::CurrentProjectIndex() const
{
    // Only the project the selector shows: the name of one that is no longer
    // shown (after a cancelled Add Project) must not reach a command.
    if (FBox.SelectedPosition() < 0)
        return -1;
    return FProjects.FindKey(AsciiUpper(FBox.Text()));
}

void TProjectSelector::SelectByName(const std::string& name)
{
    const QString wanted = ToDisplay(name);
    for (int i = 0; i < FBox.EntryCount(); ++i) {
        if (FBox.itemText(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            FBox.SelectPosition(i);
            return;
        }
    }
    FBox.SelectPosition(-1);
}
