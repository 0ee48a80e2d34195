#pragma once
// Keeps the list's Status column in step with the submission log: the
// current project's steps are read into the pane's TDirectoryStatus when the
// project, the collection or the log's names change, and one directory's
// when its entry does; with "Hide submitted" on, rows that become Submitted
// or Listed leave the list.

#include <QObject>

#include <cstdint>
#include <string>

class TDDirectories;
class TSubmissionLog;
class TWorkspacePane;

class TStatusColumn : public QObject {
    Q_OBJECT
public:
    TStatusColumn(TWorkspacePane& pane, TSubmissionLog& log, const TDDirectories& directories, QObject* parent);

    // Reads the current project's steps anew (none without a project or a log).
    void Rebuild();

signals:
    // The status of one directory or of all changed.
    void Changed();

private:
    void EntryChanged(const std::string& projectKey, std::uint64_t titleKey);

    TWorkspacePane& FPane;
    TSubmissionLog& FLog;
    const TDDirectories& FDirectories;
};
