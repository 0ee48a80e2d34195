#include "workspace/StatusColumn.h"

#include "store/RecordText.h"
#include "store/SubmissionLog.h"
#include "store/Records.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/DirectoryStatus.h"
#include "workspace/WorkspacePane.h"

#include <QCheckBox>

TStatusColumn::TStatusColumn(TWorkspacePane& pane, TSubmissionLog& log, const TDDirectories& directories,
                             QObject* parent)
    : QObject(parent)
    , FPane(pane)
    , FLog(log)
    , FDirectories(directories)
{
    connect(pane.cbxProjects, &QComboBox::currentIndexChanged, this, &TStatusColumn::Rebuild);
    connect(&pane, &TWorkspacePane::DirectoriesChanged, this, &TStatusColumn::Rebuild);
    connect(&pane, &TWorkspacePane::DirectoriesListed, this, &TStatusColumn::Rebuild);
    connect(&log, &TSubmissionLog::EntriesReset, this, &TStatusColumn::Rebuild);
    connect(&log, &TSubmissionLog::Lost, this, &TStatusColumn::Rebuild);
    connect(&log, &TSubmissionLog::EntryChanged, this, &TStatusColumn::EntryChanged);
}

void TStatusColumn::Rebuild()
{
    TDirectoryStatus& status = *FPane.FDirectoryStatus;
    const TDProject* project = FPane.CurrentProject();
    if (project && FLog.IsOpen())
        status.Rebuild(FDirectories, FLog.Entries(project->ProjName));
    else
        status.Clear();
    FPane.FDirectoryModel->StatusChanged();
    // The rows hidden are the new project's.
    if (FPane.chkHideSubmitted->isChecked())
        FPane.ApplyFilter();
    emit Changed();
}

void TStatusColumn::EntryChanged(const std::string& projectKey, std::uint64_t titleKey)
{
    const TDProject* project = FPane.CurrentProject();
    if (!project || AsciiUpper(project->ProjName) != projectKey)
        return;
    const TSubmissionLog::TEntries& entries = FLog.Entries(project->ProjName);
    const auto it = entries.find(titleKey);
    TDirectoryStatus& status = *FPane.FDirectoryStatus;
    for (int index : status.Update(titleKey, it != entries.end() ? it->second : TSubmissionEntry{})) {
        FPane.FDirectoryModel->StatusChanged(index);
        if (status.Sent(index))
            FPane.DirectorySent(index);
    }
    emit Changed();
}
