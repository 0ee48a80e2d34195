#pragma once
// The workspace pane: the directory list beside the project column, and the
// project and directory commands with their dialogs. It edits the
// collections it is given and tells the window what the other panes need
// through its signals.

#include <QKeySequence>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDDirectories;
class TDirectoryFilter;
class TDirectoryStatus;
struct TDProject;
class TDProjects;
class TDirectoryList;
class TDirectoryListModel;
class TListView;
class TMessageBox;
class TProjectSelector;
class TSortedComboBox;

class TWorkspacePane : public QWidget {
    Q_OBJECT
public:
    TWorkspacePane(TDProjects& projects, TDDirectories& directories, TMessageBox& messages,
                   QWidget* parent = nullptr);
    ~TWorkspacePane() override;

    // Lists the collections' records anew (projects: the first one selected).
    void FillProjects();
    void FillDirectories();

    // Collection index of the project the selector names, or -1.
    int CurrentProjectIndex() const;
    // That project, or nullptr.
    const TDProject* CurrentProject() const;

    // ---- commands ----
    void AddProject();
    void EditProject();
    void DeleteProject();
    void AddDirectory();
    void EditDirectory();
    void DeleteDirectory();
    // Asks for the selected directory's page (OpenAddress); nothing without a selection.
    // Also on GoToDirectoryKeys in the list; Ctrl+P puts the focus on the project selector.
    void GoToDirectory();
    static QKeySequence GoToDirectoryKeys();
    void ColumnClick(int column);
    void KeyDown(int key);
    // Shows the directories the filter text and "Hide submitted" let through.
    void ApplyFilter();
    // The directory at `collectionIndex` became Submitted or Listed: with
    // "Hide submitted" on, its rows go.
    void DirectorySent(int collectionIndex);

    TListView* lvwItems = nullptr;
    QLineEdit* edtFilter = nullptr;
    QCheckBox* chkHideSubmitted = nullptr;
    QWidget* panProjects = nullptr;
    QLabel* lblSelectProject = nullptr;
    TSortedComboBox* cbxProjects = nullptr;
    QPushButton* btnAddProject = nullptr;
    QPushButton* btnDeleteProject = nullptr;
    QPushButton* btnEditProject = nullptr;

    // The behaviour behind the controls.
    std::unique_ptr<TDirectoryListModel> FDirectoryModel;
    std::unique_ptr<TDirectoryList> FDirectoryList;
    std::unique_ptr<TProjectSelector> FProjectSelector;
    // The current project's steps (kept by whoever holds the log) and the filter.
    std::unique_ptr<TDirectoryStatus> FDirectoryStatus;
    std::unique_ptr<TDirectoryFilter> FDirectoryFilter;

signals:
    // The list shows `rows` directories.
    void DirectoryCountChanged(int rows);
    // A directory's page is to be opened in the browser.
    void OpenAddress(const QString& url);
    // A link cell was clicked: the address goes to the user's own program.
    void LinkActivated(const QString& address);
    // The project and directory commands renamed, deleted or rewrote a record
    // (for the submission log, which keeps its history under these names).
    void ProjectRenamed(const std::string& oldName, const std::string& newName);
    void ProjectDeleted(const std::string& name);
    void DirectoryEdited(const std::string& oldTitle, const std::string& newTitle, const std::string& newURL);
    // A command changed the projects, or the directories (for the autosave).
    void ProjectsChanged();
    void DirectoriesChanged();
    // The list was filled anew from the collection (a load, not a change).
    void DirectoriesListed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDProjects& FProjects;
    TDDirectories& FDirectories;
    TMessageBox& FMessages;
};
