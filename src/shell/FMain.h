#pragma once
// The main window: it composes the workspace pane (projects and directories)
// and the browser pane, with the tool bar, banner, links and status bar
// around them, and runs start-up and shutdown. The panes hold the behaviour;
// the handlers here forward to them, and the window connects what one pane
// tells the other. Branding, the update check and web links live in the
// FMain*.cpp files beside this one.

#include "shell/MainOptions.h"
#include "store/UGeneral.h"
#include "toolkit/ListView.h" // lvwItems is used as the QTableView it is
#include "toolkit/MessageBox.h"
#include "toolkit/Skin.h"

#include <QWidget>

#include <memory>
#include <string>

class IBrowserControl;
class QLabel;
class QNetworkAccessManager;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTimer;
class QToolButton;
class QWebEngineView;
class TBannerPanel;
class TBrowserPane;
class TLinkPanel;
class TAutoSave;
class TDataSession;
class TGauge;
class THttpDownload;
class TLinkLabel;
class TSortedComboBox;
class TUpdateCheck;
class TWorkspacePane;

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(const TMainOptions& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The one global reference the dialogs use to reach the main window.
    static TfrmMain* Instance();

    const QString& AppDir() const { return FOptions.AppDir; }

    // Each coordinate that centres a control in a panel: (panel div 2) - (control div 2).
    static int CentreCoordinate(int panelExtent, int controlExtent);

    // ---- shared state ----
    std::unique_ptr<TDataSession> FSession;
    // Writes each change soon after it is made.
    std::unique_ptr<TAutoSave> FAutoSave;
    TDProjects* FProjects = nullptr; // the session's
    TDDirectories* FDirectories = nullptr;
    std::string FAffiliateID;
    std::string FBannerURL;
    std::string FBannerPath;
    std::string FLink1URL, FLink1Name;
    std::string FLink2URL, FLink2Name;
    std::string FIconPath;
    TMessageBox msgMain;
    TSkinData bsSkinData1;

    // ---- controls ----
    QWidget* panToolbar = nullptr;
    QPushButton* btnAddDirectory = nullptr;
    QPushButton* btnDeleteDirectory = nullptr;
    QPushButton* btnEditDirectory = nullptr;
    QPushButton* btnGoDirectory = nullptr;
    QPushButton* bsSkinButton6 = nullptr; // second Go to Directory button; not placed, kept hidden
    QPushButton* btnHelp = nullptr;
    QPushButton* btnUpdate = nullptr;
    QPushButton* btnMakeMoney = nullptr;

    TBannerPanel* panBanner = nullptr;
    QLabel* imgBanner = nullptr;
    QLabel* gifBanner = nullptr;

    QSplitter* bsSkinSplitter1 = nullptr;
    QWidget* panWork = nullptr;
    TListView* lvwItems = nullptr;
    QWidget* panProjects = nullptr;
    QLabel* lblSelectProject = nullptr;
    TSortedComboBox* cbxProjects = nullptr;
    QPushButton* btnAddProject = nullptr;
    QPushButton* btnDeleteProject = nullptr;
    QPushButton* btnEditProject = nullptr;

    QWidget* panBrowser = nullptr;
    QWidget* panNavigation = nullptr;
    QToolButton* btnHome = nullptr;
    QToolButton* btnBack = nullptr;
    QToolButton* btnFoward = nullptr;
    QToolButton* btnStop = nullptr;
    QToolButton* btnRefresh = nullptr;
    QToolButton* btnFill = nullptr;
    QWebEngineView* EmbeddedWB1 = nullptr;

    TLinkPanel* panLinks = nullptr;
    TLinkLabel* lblLink1URL = nullptr;
    TLinkLabel* lblLink2URL = nullptr;

    QStatusBar* StatusBar = nullptr;
    QLabel* MainStatusPanel = nullptr;
    QLabel* stpItems = nullptr;
    TGauge* MainGauge = nullptr;

    QTimer* Timer1 = nullptr;
    QNetworkAccessManager* IdHTTP1 = nullptr;

    // The two panes (panWork and panBrowser).
    TWorkspacePane* FWorkspace = nullptr;
    TBrowserPane* FBrowserPane = nullptr;

    // ---- lifecycle ----
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void Timer1Timer();

    // ---- branding, update check, web links ----
    void LoadBranding();
    void CheckForUpdate(bool Silent);
    // Starts fetching SourceURL into LocalPath; the transfer reports its
    // outcome through THttpDownload::Finished.
    std::unique_ptr<THttpDownload> DownloadFile(const QString& SourceURL, const QString& LocalPath);
    void btnUpdateClick();
    void btnHelpClick();
    void btnMakeMoneyClick();
    void imgBannerClick();
    void gifBannerClick();
    void lblLinkURLClick(const std::string& address);
    // The update check behind CheckForUpdate (made on first use).
    TUpdateCheck& UpdateCheck();

    // ---- projects ----
    void FillProjects();
    int CurrentProjectIndex() const;
    void btnAddProjectClick();
    void btnEditProjectClick();
    void btnDeleteProjectClick();

    // ---- directories ----
    void FillDirectories();
    void btnAddDirectoryClick();
    void btnDeleteDirectoryClick();
    void btnEditDirectoryClick();
    void lvwItemsColumnClick(int column);
    void lvwItemsLinkClick(const QString& text);

    // ---- browser ----
    void btnHomeClick();
    void btnBackClick();
    void btnFowardClick();
    void btnStopClick();
    void btnRefreshClick();
    void btnFillClick();
    void btnGoDirectoryClick();
    void lvwItemsDblClick();
    void lvwItemsKeyDown(int key);
    void EmbeddedWB1ProgressChange(int Progress, int ProgressMax);
    // Replaces the browser pane's control (tests put a fake in).
    void SetBrowserControl(std::unique_ptr<IBrowserControl> browser);
    IBrowserControl& Browser() const;

signals:
    // A Fill press has had its last answer from the page.
    void FillFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    void ConnectPanes();

    void CancelUpdateCheck();
    void OpenInBrowser(const std::string& address);

    TMainOptions FOptions;
    TUpdateCheck* FUpdateCheck = nullptr;
    bool FShownOnce = false;
    bool FDestroyed = false;
};
