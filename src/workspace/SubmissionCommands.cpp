#include "workspace/SubmissionCommands.h"

#include "common/UUtils.h"
#include "store/FileIO.h"
#include "store/RecordText.h"
#include "store/TDDirectories.h"
#include "store/TDProjects.h"
#include "toolkit/ListView.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ModalHook.h"
#include "toolkit/PanelExtent.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/DirectoryStatus.h"
#include "workspace/StatusColumn.h"
#include "workspace/WorkspacePane.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>

TSubmissionCommands::TSubmissionCommands(TWorkspacePane& pane, TSubmissionLog& log,
                                         const TDDirectories& directories, TMessageBox& messages)
    : QObject(&pane)
    , FPane(pane)
    , FLog(log)
    , FDirectories(directories)
    , FMessages(messages)
{
    FRowMenu = new QMenu(pane.lvwItems);
    FRowMenu->setAccessibleName(QStringLiteral("Directory menu"));
    actMarkSubmitted = FRowMenu->addAction(QStringLiteral("Mark as &Submitted"));
    actMarkListed = FRowMenu->addAction(QStringLiteral("Mark as &Listed"));
    actMarkRejected = FRowMenu->addAction(QStringLiteral("Mark as &Rejected"));
    actClearMark = FRowMenu->addAction(QStringLiteral("&Clear Mark"));
    FRowMenu->addSeparator();
    actExport = FRowMenu->addAction(QStringLiteral("&Export Submissions..."));
    connect(actMarkSubmitted, &QAction::triggered, this, [this] { MarkSelected(TSubmissionStep::Submitted); });
    connect(actMarkListed, &QAction::triggered, this, [this] { MarkSelected(TSubmissionStep::Listed); });
    connect(actMarkRejected, &QAction::triggered, this, [this] { MarkSelected(TSubmissionStep::Rejected); });
    connect(actClearMark, &QAction::triggered, this, [this] { MarkSelected(TSubmissionStep::None); });
    connect(actExport, &QAction::triggered, this, &TSubmissionCommands::ExportSubmissions);
    pane.lvwItems->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane.lvwItems, &QWidget::customContextMenuRequested, this, &TSubmissionCommands::ShowRowMenu);

    btnExportSubmissions = new QPushButton(QStringLiteral("Export Submissions..."), pane.panProjects);
    btnExportSubmissions->setObjectName(QStringLiteral("btnExportSubmissions"));
    btnExportSubmissions->setAccessibleName(QStringLiteral("Export Submissions"));
    btnExportSubmissions->setGeometry(14, 141, 157, 20);
    // The column's smallest height still shows every button.
    pane.panProjects->setMinimumHeight(ChildrenExtent(*pane.panProjects).height());
    connect(btnExportSubmissions, &QPushButton::clicked, this, &TSubmissionCommands::ExportSubmissions);

    // Names the log keeps its history under follow the user's edits.
    connect(&pane, &TWorkspacePane::ProjectRenamed, this, [this](const std::string& from, const std::string& to) {
        FLog.RenameProject(from, to);
        UpdateProgress();
    });
    connect(&pane, &TWorkspacePane::ProjectDeleted, this, &TSubmissionCommands::ProjectDeleted);
    connect(&pane, &TWorkspacePane::DirectoryEdited, this,
            [this](const std::string& oldTitle, const std::string& newTitle, const std::string& url) {
                FLog.UpdateDirectory(oldTitle, newTitle, url);
            });

    // The progress follows the project, the collection and the log, as the Status column does.
    FStatusColumn = new TStatusColumn(pane, log, directories, this);
    connect(FStatusColumn, &TStatusColumn::Changed, this, &TSubmissionCommands::UpdateProgress);
    connect(&log, &TSubmissionLog::Lost, this,
            [this] { FMessages.ShowMessageBox(FLog.Problem(), mkError, MsgButton::OK); });
}

TSubmissionCommands::~TSubmissionCommands() = default;

std::string TSubmissionCommands::CurrentProjectName() const
{
    const TDProject* project = FPane.CurrentProject();
    return project ? project->ProjName : std::string();
}

bool TSubmissionCommands::LogReady(const QString& command)
{
    if (CurrentProjectName().empty()) {
        FMessages.ShowMessageBox(QStringLiteral("Select a project first."), mkInformation, MsgButton::OK);
        return false;
    }
    if (FLog.IsOpen())
        return true;
    FMessages.ShowMessageBox(command + QStringLiteral(" needs the submission log, which is not available:\r\n")
                                 + FLog.Problem(),
                             mkWarning, MsgButton::OK);
    return false;
}

void TSubmissionCommands::ShowRowMenu(const QPoint& position)
{
    const QModelIndex index = FPane.lvwItems->indexAt(position);
    if (index.isValid())
        FPane.FDirectoryList->SelectRow(index.row());
    const bool row = FPane.FDirectoryList->SelectedRow() >= 0;
    for (QAction* action : {actMarkSubmitted, actMarkListed, actMarkRejected, actClearMark})
        action->setEnabled(row);
    FRowMenu->popup(FPane.lvwItems->viewport()->mapToGlobal(position));
}

void TSubmissionCommands::MarkSelected(TSubmissionStep mark)
{
    const int row = FPane.FDirectoryList->SelectedRow();
    if (row < 0 || !LogReady(QStringLiteral("Marking a directory")))
        return;
    const TDirectoryListModel& model = *FPane.FDirectoryModel;
    // A failed write closes the log, which says why itself (Lost).
    FLog.SetMark(CurrentProjectName(), std::string(model.Text(row, TDirectoryRow::Caption)),
                 std::string(model.Text(row, TDirectoryRow::URL)), mark);
}

void TSubmissionCommands::NextDirectory()
{
    if (!LogReady(QStringLiteral("Next Directory")))
        return;
    const TSubmissionLog::TEntries& entries = FLog.Entries(CurrentProjectName());
    const TDirectoryListModel& model = *FPane.FDirectoryModel;
    const TDirectoryStatus& status = *FPane.FDirectoryStatus;
    const int rows = model.rowCount();
    const int start = FPane.FDirectoryList->NextRowFrom();
    for (int step = 0; step < rows; ++step) {
        const int row = (start + step) % rows;
        const int index = model.DirectoryIndexOf(row);
        if (index >= 0 ? status.Done(index) : [&] {
                // A row holding its own texts is found in the log by its title.
                const auto it = entries.find(TSubmissionLog::TitleKey(model.Text(row, TDirectoryRow::Caption)));
                return it != entries.end() && it->second.Done();
            }())
            continue;
        FPane.FDirectoryList->SelectRow(row);
        FPane.GoToDirectory();
        return;
    }
    FMessages.ShowMessageBox(QStringLiteral("Every directory in the list is submitted, listed or rejected for %1.")
                                 .arg(ToDisplay(CurrentProjectName())),
                             mkInformation, MsgButton::OK);
}

void TSubmissionCommands::ExportSubmissions()
{
    if (!LogReady(QStringLiteral("Export Submissions")))
        return;
    const std::string project = CurrentProjectName();
    const std::vector<TSubmissionRecord> records = FLog.Records(project);
    if (records.empty()) {
        FMessages.ShowMessageBox(
            QStringLiteral("Nothing has been recorded for %1 yet.").arg(ToDisplay(project)), mkInformation,
            MsgButton::OK);
        return;
    }
    QFileDialog dialog(&FPane, QStringLiteral("Export Submissions"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(ToDisplay(project) + QStringLiteral(" submissions.csv"));
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    try {
        WriteWholeFileAtomically(dialog.selectedFiles().first(), SubmissionsToCsv(records), false);
    } catch (const TFileError& error) {
        FMessages.ShowMessageBox(QStringLiteral("The submissions could not be exported:\r\n")
                                     + QString::fromLocal8Bit(error.what()),
                                 mkError, MsgButton::OK);
    }
}

QString TSubmissionCommands::ProgressText()
{
    const std::string project = CurrentProjectName();
    if (project.empty())
        return {};
    if (FLog.State() == TLogState::Closed)
        return {}; // not opened yet
    if (!FLog.IsOpen())
        return QStringLiteral("No submission log");
    return QStringLiteral("%1 of %2 submitted").arg(FPane.FDirectoryStatus->DoneCount()).arg(FDirectories.Count());
}

void TSubmissionCommands::Refresh()
{
    FStatusColumn->Rebuild();
}

void TSubmissionCommands::UpdateProgress()
{
    const QString text = ProgressText();
    if (text == FProgress)
        return;
    FProgress = text;
    emit ProgressChanged(text);
}

void TSubmissionCommands::ProjectDeleted(const std::string& name)
{
    if (FLog.IsOpen() && FLog.HasHistory(name)
        && FMessages.ShowMessageBox(
               QStringLiteral("Delete the submission history of %1 too?").arg(ToDisplay(name)), mkConfirmation,
               MsgButton::Yes | MsgButton::No)
               == MsgResult::Yes)
        FLog.DeleteProject(name);
    UpdateProgress();
}
