#include "shell/Submissions.h"

#include "browser/BrowserPane.h"
#include "shell/FMain.h"
#include "shell/SubmissionTracker.h"
#include "store/SubmissionLog.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/SubmissionCommands.h"
#include "workspace/WorkspacePane.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

TSubmissions::TSubmissions(TfrmMain& window)
    : QObject(&window)
    , FWindow(window)
    , FLog(std::make_unique<TSubmissionLog>())
{
    TWorkspacePane* workspace = window.FWorkspace;
    FTracker = std::make_unique<TSubmissionTracker>(*FLog, [workspace] {
        const TDProject* project = workspace->CurrentProject();
        return project ? project->ProjName : std::string();
    });
    FCommands = new TSubmissionCommands(*workspace, *FLog, *window.FDirectories, window.msgMain);

    stpProgress = new QLabel(window.StatusBar);
    stpProgress->setObjectName(QStringLiteral("stpProgress"));
    stpProgress->setAccessibleName(QStringLiteral("Submission progress"));
    stpProgress->setMinimumWidth(150);
    window.StatusBar->insertPermanentWidget(1, stpProgress);
    connect(FCommands, &TSubmissionCommands::ProgressChanged, stpProgress, &QLabel::setText);

    // The list asks for a page with its row still selected: that row is the directory opened.
    connect(workspace, &TWorkspacePane::OpenAddress, this, [this, workspace] {
        const int row = workspace->FDirectoryList->SelectedRow();
        if (row < 0)
            return;
        const TDirectoryRow& texts = workspace->FDirectoryModel->Row(row);
        FTracker->DirectoryOpened(texts.Texts[TDirectoryRow::Caption], texts.Texts[TDirectoryRow::URL]);
    });
    TBrowserPane* browser = window.FBrowserPane;
    connect(browser, &TBrowserPane::AddressChanged, this, [this](const QUrl& url) { FTracker->AddressChanged(url); });
    connect(browser, &TBrowserPane::FillWrote, this, [this](int elements) { FTracker->FillWrote(elements); });
    connect(browser, &TBrowserPane::FormSubmitted, this,
            [this](const QUrl& from, const QUrl& to) { FTracker->FormSubmitted(from, to); });
    connect(window.btnNextDirectory, &QPushButton::clicked, FCommands, &TSubmissionCommands::NextDirectory);
}

TSubmissions::~TSubmissions() = default;

void TSubmissions::Start()
{
    FLog->Open(FWindow.AppDir() + QString::fromLatin1(TSubmissionLog::FileName));
    if (!FLog->IsOpen())
        FWindow.msgMain.ShowMessageBox(FLog->Problem(), mkWarning, MsgButton::OK);
    FCommands->UpdateProgress();
}
