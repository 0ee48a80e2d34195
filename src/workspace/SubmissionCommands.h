#pragma once
// The workspace's commands on the submission log: the marks of the row menu,
// Next Directory, Export Submissions, the current project's progress, and
// keeping the log's names in step with the project and directory commands.

#include "store/SubmissionLog.h"

#include <QObject>
#include <QString>

#include <string>

class QAction;
class QMenu;
class QPoint;
class QPushButton;
class TDDirectories;
class TMessageBox;
class TStatusColumn;
class TWorkspacePane;

class TSubmissionCommands : public QObject {
    Q_OBJECT
public:
    TSubmissionCommands(TWorkspacePane& pane, TSubmissionLog& log, const TDDirectories& directories,
                        TMessageBox& messages);
    ~TSubmissionCommands() override;

    // The user's marks on the selected row (None clears the mark).
    void MarkSelected(TSubmissionStep mark);
    // Selects and opens the next row after the selection, in the list's order
    // and among the rows the filter shows (from the top when nothing follows),
    // that is not done for the current project.
    void NextDirectory();
    // Asks for a file and writes the current project's log to it as CSV.
    void ExportSubmissions();
    // "37 of 412 submitted": the directories in the collection that are done
    // for the current project; empty without a project.
    QString ProgressText();
    // Recounts the progress; ProgressChanged when its text changed.
    void UpdateProgress();
    // Reads the current project's steps for the Status column and the progress.
    void Refresh();
    TStatusColumn& StatusColumn() const { return *FStatusColumn; }

    // The row menu (right click or the menu key on the list).
    QMenu* RowMenu() const { return FRowMenu; }
    QAction* actMarkSubmitted = nullptr;
    QAction* actMarkListed = nullptr;
    QAction* actMarkRejected = nullptr;
    QAction* actClearMark = nullptr;
    QAction* actExport = nullptr;
    // In the project column, under Edit Project.
    QPushButton* btnExportSubmissions = nullptr;

signals:
    // The text of the progress panel changed.
    void ProgressChanged(const QString& text);

private:
    std::string CurrentProjectName() const;
    // The user's message when the log cannot serve a command; true when it can.
    bool LogReady(const QString& command);
    void ShowRowMenu(const QPoint& position);
    void ProjectDeleted(const std::string& name);

    TWorkspacePane& FPane;
    TSubmissionLog& FLog;
    const TDDirectories& FDirectories;
    TMessageBox& FMessages;
    QMenu* FRowMenu = nullptr;
    TStatusColumn* FStatusColumn = nullptr;
    QString FProgress;
};
