#include "workspace/WorkspacePane.h"

#include "common/AddressPolicy.h"
#include "common/UUtils.h"
#include "store/TDDirectories.h"
#include "store/TDProjects.h"
#include "toolkit/ListView.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ModalHook.h"
#include "toolkit/PanelExtent.h"
#include "toolkit/Shortcut.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryFilter.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/DirectoryStatus.h"
#include "workspace/FDirectory.h"
#include "workspace/FProject.h"
#include "workspace/ProjectSelector.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int ProjectPanelWidth = 182;

} // namespace

TWorkspacePane::TWorkspacePane(TDProjects& projects, TDDirectories& directories, TMessageBox& messages,
                               QWidget* parent)
    : QWidget(parent)
    , FProjects(projects)
    , FDirectories(directories)
    , FMessages(messages)
{
    setObjectName(QStringLiteral("panWork"));
    // The filter row above the list, first in the tab order.
    edtFilter = new QLineEdit(this);
    edtFilter->setObjectName(QStringLiteral("edtFilter"));
    edtFilter->setAccessibleName(QStringLiteral("Filter directories"));
    edtFilter->setPlaceholderText(edtFilter->accessibleName());
    edtFilter->installEventFilter(this);
    chkHideSubmitted = new QCheckBox(QStringLiteral("Hide submitted"), this);
    chkHideSubmitted->setObjectName(QStringLiteral("chkHideSubmitted"));
    chkHideSubmitted->setAccessibleName(QStringLiteral("Hide submitted"));
    lvwItems = new TListView(this);
    lvwItems->setObjectName(QStringLiteral("lvwItems"));
    lvwItems->setAccessibleName(QStringLiteral("Web directories"));
    lvwItems->SetRowHeight(20);
    lvwItems->SetSelectionColours(QColor(254, 253, 211), QColor(0, 0, 160));
    {
        QFont headerFont(QStringLiteral("Tahoma"));
        headerFont.setPixelSize(11);
        lvwItems->horizontalHeader()->setFont(headerFont);
        lvwItems->horizontalHeader()->setFixedHeight(13 + 4);
    }
    lvwItems->installEventFilter(this);
    FDirectoryModel = std::make_unique<TDirectoryListModel>();
    lvwItems->setModel(FDirectoryModel.get());

    panProjects = new QWidget(this);
    panProjects->setObjectName(QStringLiteral("panProjects"));
    panProjects->setFixedWidth(ProjectPanelWidth);
    lblSelectProject = new QLabel(QStringLiteral("Select Project:"), panProjects);
    lblSelectProject->move(11, 7);
    lblSelectProject->setFixedHeight(13);
    lblSelectProject->adjustSize();
    cbxProjects = new TSortedComboBox(panProjects);
    cbxProjects->setObjectName(QStringLiteral("cbxProjects"));
    cbxProjects->setGeometry(13, 28, 156, 20);
    cbxProjects->setAccessibleName(QStringLiteral("Select Project"));
    lblSelectProject->setBuddy(cbxProjects);
    btnAddProject = new QPushButton(QStringLiteral("Add Project"), panProjects);
    btnAddProject->setGeometry(14, 57, 157, 20);
    btnDeleteProject = new QPushButton(QStringLiteral("Delete Project"), panProjects);
    btnDeleteProject->setGeometry(14, 85, 157, 20);
    btnEditProject = new QPushButton(QStringLiteral("Edit Project"), panProjects);
    btnEditProject->setGeometry(14, 113, 157, 20);
    // The pane never gets so low that the project column is cut off.
    panProjects->setMinimumHeight(ChildrenExtent(*panProjects).height());

    auto* filterRow = new QHBoxLayout;
    filterRow->setContentsMargins(0, 2, 6, 2);
    filterRow->setSpacing(8);
    filterRow->addWidget(edtFilter, 1);
    filterRow->addWidget(chkHideSubmitted);
    auto* listColumn = new QVBoxLayout;
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(0);
    listColumn->addLayout(filterRow);
    listColumn->addWidget(lvwItems, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(listColumn, 1);
    layout->addWidget(panProjects);

    FProjectSelector = std::make_unique<TProjectSelector>(*cbxProjects, FProjects);
    FDirectoryList = std::make_unique<TDirectoryList>(*lvwItems, *FDirectoryModel, FDirectories);
    FDirectoryStatus = std::make_unique<TDirectoryStatus>();
    FDirectoryModel->SetStatus(FDirectoryStatus.get());
    FDirectoryFilter = std::make_unique<TDirectoryFilter>(FDirectories, *FDirectoryStatus);
    connect(edtFilter, &QLineEdit::textChanged, this, &TWorkspacePane::ApplyFilter);
    connect(chkHideSubmitted, &QCheckBox::toggled, this, &TWorkspacePane::ApplyFilter);

    connect(btnAddProject, &QPushButton::clicked, this, &TWorkspacePane::AddProject);
    connect(btnDeleteProject, &QPushButton::clicked, this, &TWorkspacePane::DeleteProject);
    connect(btnEditProject, &QPushButton::clicked, this, &TWorkspacePane::EditProject);
    connect(lvwItems, &QTableView::doubleClicked, this, &TWorkspacePane::GoToDirectory);
    connect(lvwItems->horizontalHeader(), &QHeaderView::sectionClicked, this, &TWorkspacePane::ColumnClick);
    connect(lvwItems, &TListView::LinkClicked, this, &TWorkspacePane::LinkActivated);

    auto* goToDirectory = new QShortcut(lvwItems);
    goToDirectory->setKeys({GoToDirectoryKeys(), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    goToDirectory->setContext(Qt::WidgetShortcut);
    connect(goToDirectory, &QShortcut::activated, this, &TWorkspacePane::GoToDirectory);
    const QKeySequence selectProjectKeys(Qt::CTRL | Qt::Key_P);
    auto* selectProject = new QShortcut(selectProjectKeys, this);
    connect(selectProject, &QShortcut::activated, cbxProjects,
            [this] { cbxProjects->setFocus(Qt::ShortcutFocusReason); });
    cbxProjects->setToolTip(ShortcutToolTip(cbxProjects->accessibleName(), selectProjectKeys));
    const QKeySequence filterKeys(Qt::CTRL | Qt::Key_F);
    auto* filter = new QShortcut(filterKeys, this);
    connect(filter, &QShortcut::activated, edtFilter, [this] {
        edtFilter->setFocus(Qt::ShortcutFocusReason);
        edtFilter->selectAll();
    });
    edtFilter->setToolTip(ShortcutToolTip(edtFilter->accessibleName(), filterKeys));
}

QKeySequence TWorkspacePane::GoToDirectoryKeys()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Return);
}

TWorkspacePane::~TWorkspacePane() = default;

void TWorkspacePane::FillProjects()
{
    FProjectSelector->FillProjects();
}

void TWorkspacePane::FillDirectories()
{
    emit DirectoryCountChanged(FDirectoryFilter->Active() ? FDirectoryList->ShowFiltered(*FDirectoryFilter)
                                                          : FDirectoryList->FillDirectories());
    emit DirectoriesListed();
}

void TWorkspacePane::ApplyFilter()
{
    FDirectoryFilter->SetText(edtFilter->text());
    FDirectoryFilter->SetHideSent(chkHideSubmitted->isChecked());
    emit DirectoryCountChanged(FDirectoryList->ShowFiltered(*FDirectoryFilter));
}

void TWorkspacePane::DirectorySent(int collectionIndex)
{
    if (chkHideSubmitted->isChecked())
        emit DirectoryCountChanged(FDirectoryList->RemoveRowsOf(collectionIndex));
}

int TWorkspacePane::CurrentProjectIndex() const
{
    return FProjectSelector->CurrentProjectIndex();
}

const TDProject* TWorkspacePane::CurrentProject() const
{
    const int index = CurrentProjectIndex();
    return index < 0 ? nullptr : &FProjects.RecordAt(index);
}

void TWorkspacePane::AddProject()
{
    TfrmProject dialog(FProjects, FMessages, this);
    const std::string before = FProjects.ToText();
    RunModal(dialog);
    // The dialog may have written before it closed, whatever its result.
    if (FProjects.ToText() != before)
        emit ProjectsChanged();
    // Whatever the result: refill, then select what the name field holds.
    FillProjects();
    FProjectSelector->SelectByName(dialog.TypedName());
}

void TWorkspacePane::EditProject()
{
    const int index = CurrentProjectIndex();
    if (index < 0) {
        FMessages.ShowMessageBox(QStringLiteral("Select a project first: the selector shows none to edit."),
                                 mkInformation, MsgButton::OK);
        return;
    }
    const std::string oldName = FProjects.RecordAt(index).ProjName;
    TfrmProject dialog(FProjects, FMessages, this);
    dialog.setWindowTitle(QStringLiteral("Edit Project"));
    dialog.EditIndex = index;
    dialog.ShowRecord();
    const std::string before = FProjects.ToText();
    RunModal(dialog);
    if (FProjects.RecordAt(index).ProjName != oldName)
        emit ProjectRenamed(oldName, FProjects.RecordAt(index).ProjName);
    if (FProjects.ToText() != before)
        emit ProjectsChanged();
    FillProjects();
    FProjectSelector->SelectByName(dialog.TypedName());
}

void TWorkspacePane::DeleteProject()
{
    const int position = cbxProjects->SelectedPosition();
    if (position < 0)
        return;
    if (FMessages.ShowMessageBox(QStringLiteral("Are you sure to delete the current project?"), mkInformation,
                                 MsgButton::OK | MsgButton::Cancel)
        != MsgResult::OK)
        return;
    const int index = CurrentProjectIndex();
    if (index < 0)
        return;
    const std::string name = FProjects.RecordAt(index).ProjName;
    FProjects.RemoveAt(index);
    emit ProjectsChanged();
    cbxProjects->RemoveEntry(position);
    cbxProjects->SetText({});
    // Reselect by the deleted project's place in the collection, not in the sorted list.
    cbxProjects->SelectPosition(index);
    if (cbxProjects->SelectedPosition() < 0 && index - 1 >= 0)
        cbxProjects->SelectPosition(index - 1);
    cbxProjects->repaint();
    emit ProjectDeleted(name);
}

void TWorkspacePane::AddDirectory()
{
    TfrmDirectory dialog(FDirectories, FMessages, this);
    if (RunModal(dialog) == QDialog::Accepted) {
        FDirectoryList->AppendItem(dialog.WrittenIndex());
        emit DirectoriesChanged();
    }
}

void TWorkspacePane::DeleteDirectory()
{
    if (FDirectoryList->SelectedRow() < 0)
        return;
    if (FMessages.ShowMessageBox(QStringLiteral("Are you sure to delete the current directory?"), mkInformation,
                                 MsgButton::OK | MsgButton::Cancel)
        != MsgResult::OK)
        return;
    const int index = FDirectoryList->SelectedDirectoryIndex();
    if (index < 0)
        return;
    FDirectoryList->KeepOtherRowsOf(index);
    FDirectories.RemoveAt(index);
    FDirectoryList->RemoveSelectedItem(index);
    emit DirectoriesChanged();
}

void TWorkspacePane::EditDirectory()
{
    if (FDirectoryList->SelectedRow() < 0)
        return;
    const int index = FDirectoryList->SelectedDirectoryIndex();
    if (index < 0)
        return;
    const TDDirectory before = FDirectories.RecordAt(index);
    TfrmDirectory dialog(FDirectories, FMessages, this);
    dialog.setWindowTitle(QStringLiteral("Edit Directory"));
    dialog.EditIndex = index;
    dialog.ShowRecord();
    FDirectoryList->KeepOtherRowsOf(index);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    FDirectoryList->RewriteSelectedItem(index);
    const TDDirectory after = FDirectories.RecordAt(index);
    if (after.Title != before.Title || after.URL != before.URL)
        emit DirectoryEdited(before.Title, after.Title, after.URL);
    emit DirectoriesChanged();
}

void TWorkspacePane::GoToDirectory()
{
    std::string url;
    if (!FDirectoryList->SelectedURL(url))
        return;
    // A directory list comes from anywhere: its addresses are data, and only
    // web and local pages are opened (a javascript: row would run in the open page).
    if (!url.empty() && !AddressPolicy::Navigable(ToDisplay(url))) {
        const int index = FDirectoryList->SelectedDirectoryIndex();
        const QString title = index < 0 ? QString() : ToDisplay(FDirectories.RecordAt(index).Title);
        FMessages.ShowMessageBox(QStringLiteral("The directory \"%1\" cannot be opened: its address \"%2\" is "
                                                "not a web page (http, https) or a local page (file).")
                                     .arg(title, ToDisplay(url)),
                                 mkWarning, MsgButton::OK);
        return;
    }
    emit OpenAddress(ToDisplay(url));
}

void TWorkspacePane::ColumnClick(int column)
{
    FDirectoryList->ColumnClick(column);
}

void TWorkspacePane::KeyDown(int key)
{
    // Both Return and the keypad's Enter, whatever the modifiers.
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        GoToDirectory();
}

bool TWorkspacePane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwItems && event->type() == QEvent::KeyPress)
        KeyDown(static_cast<QKeyEvent*>(event)->key());
    // Down from the filter goes on into the rows it left.
    if (watched == edtFilter && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && FDirectoryModel->rowCount() > 0) {
        if (FDirectoryList->SelectedRow() < 0)
            FDirectoryList->SelectRow(0);
        lvwItems->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
