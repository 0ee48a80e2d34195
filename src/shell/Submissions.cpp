#include "shell/Submissions.h"

#include "browser/BrowserPane.h"
#include "shell/FMain.h"
#include "shell/SubmissionTracker.h"
#include "store/SubmissionLog.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/SubmissionCommands.h"
#include "toolkit/ListView.h"
#include "workspace/WorkspacePane.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

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
        const TDirectoryListModel& model = *workspace->FDirectoryModel;
        FTracker->DirectoryOpened(std::string(model.Text(row, TDirectoryRow::Caption)),
                                  std::string(model.Text(row, TDirectoryRow::URL)));
    });
    TBrowserPane* browser = window.FBrowserPane;
    connect(browser, &TBrowserPane::AddressChanged, this, [this](const QUrl& url) { FTracker->AddressChanged(url); });
    connect(browser, &TBrowserPane::FillWrote, this, [this](int elements) { FTracker->FillWrote(elements); });
    connect(browser, &TBrowserPane::FormSubmitted, this,
            [this](const QUrl& from, const QUrl& to) { FTracker->FormSubmitted(from, to); });
    connect(window.btnNextDirectory, &QPushButton::clicked, FCommands, &TSubmissionCommands::NextDirectory);
    workspace->lvwItems->viewport()->installEventFilter(this);
}

TSubmissions::~TSubmissions() = default;

void TSubmissions::Start()
{
    FLog->Open(FWindow.AppDir() + QString::fromLatin1(TSubmissionLog::FileName));
    if (!FLog->IsOpen()) {
        FWindow.msgMain.ShowMessageBox(FLog->Problem(), mkWarning, MsgButton::OK);
        FCommands->UpdateProgress();
        return;
    }
    // The check of every page and the project's entries wait for the list's
    // first paint (when the window is shown by then), so that the window
    // shows as fast with a large log as without one.
    QTimer::singleShot(0, this, [this] {
        if (FWindow.isVisible() && !FPainted) {
            FVerifyOnPaint = true;
            QTimer::singleShot(1000, this, &TSubmissions::Verify); // should no paint come
            return;
        }
        Verify();
    });
}

void TSubmissions::Verify()
{
    if (FVerified)
        return;
    FVerified = true;
    if (!FLog->CheckPages())
        FWindow.msgMain.ShowMessageBox(FLog->Problem(), mkWarning, MsgButton::OK);
    FCommands->Refresh();
}

bool TSubmissions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !FPainted) {
        FPainted = true;
        watched->removeEventFilter(this);
        if (FVerifyOnPaint)
            QTimer::singleShot(0, this, &TSubmissions::Verify);
    }
    return QObject::eventFilter(watched, event);
}
