#pragma once
// The main window composes the workspace and browser panes with the tool
// bar, banner, links and status bar, runs start-up and shutdown, and connects
// what one pane tells the other. Handlers forward to the panes
// (FMainCommands.cpp); branding, updates and links are in FMain*.cpp.

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
class TSubmissions;
class TUpdateCheck;
class TWorkspacePane;

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(const TMainOptions& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The window, for what must reach it (nothing below the shell does).
    static TfrmMain* Instance();

    const QString& AppDir() const { return FOptions.AppDir; }

    // See TBannerPanel::CentreCoordinate.
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
    QPushButton* btnNextDirectory = nullptr;
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

    // The two panes (panWork and panBrowser), and the submission log with its controls.
    TWorkspacePane* FWorkspace = nullptr;
    TBrowserPane* FBrowserPane = nullptr;
    TSubmissions* FSubmissions = nullptr;

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

    // ---- the panes' commands, forwarded ----
    void FillProjects();
    int CurrentProjectIndex() const;
    void btnAddProjectClick(), btnEditProjectClick(), btnDeleteProjectClick();
    void FillDirectories();
    void btnAddDirectoryClick(), btnDeleteDirectoryClick(), btnEditDirectoryClick();
    void lvwItemsColumnClick(int column);
    void lvwItemsLinkClick(const QString& text);
    void btnHomeClick(), btnBackClick(), btnFowardClick(), btnStopClick(), btnRefreshClick();
    void btnFillClick();
    void btnGoDirectoryClick(), lvwItemsDblClick();
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
