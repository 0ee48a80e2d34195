#pragma once
// The main window: layout, start-up, shutdown and the state every command
// reaches through it. Command handlers live beside the behaviour they wire
// (workspace/, browser/, and the branding, update and link files here).

#include "store/UGeneral.h"
#include "toolkit/ListView.h" // lvwItems is used as the QTableView it is
#include "toolkit/MessageBox.h"
#include "toolkit/Skin.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class IBrowserControl;
class QFrame;
class QLabel;
class QNetworkAccessManager;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTableView;
class QTimer;
class QToolButton;
class QWebEngineView;
class TDirectoryList;
class TFillTask;
class TGauge;
class THttpDownload;
class TDirectoryListModel;
class TLinkLabel;
class TProjectSelector;
class TSortedComboBox;
class TUpdateCheck;

// How the window is started; tests change what they need.
struct TMainOptions {
    QString AppDir;              // application directory, with its trailing separator
    bool ArmStartupTimer = true; // the one-shot timer that runs the silent update check

    // The update folder's address. Empty (the default) means no update site,
    // so a window made by a test never reaches the network; the program entry
    // sets the vendor's.
    QString UpdateBaseURL;
    int UpdateTimeoutMs = 60000; // the whole transfer of the update file
    // Starting the updater (program, arguments; true when started), opening an
    // address in the user's browser, and opening a link label's address.
    // Empty: the platform's own (LaunchDetached, OpenURL, ShellOpen).
    std::function<bool(const QString&, const QStringList&)> LaunchUpdater;
    std::function<bool(const std::string&)> OpenURL;
    std::function<bool(const std::string&)> OpenLink;
};

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
    std::unique_ptr<TDProjects> FProjects;
    std::unique_ptr<TDDirectories> FDirectories;
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

    QFrame* panBanner = nullptr;
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

    QWidget* panLinks = nullptr;
    TLinkLabel* lblLink1URL = nullptr;
    TLinkLabel* lblLink2URL = nullptr;

    QStatusBar* StatusBar = nullptr;
    QLabel* MainStatusPanel = nullptr;
    QLabel* stpItems = nullptr;
    TGauge* MainGauge = nullptr;

    QTimer* Timer1 = nullptr;
    QNetworkAccessManager* IdHTTP1 = nullptr;

    // Behaviour behind the workspace controls.
    std::unique_ptr<TDirectoryListModel> FDirectoryModel;
    std::unique_ptr<TDirectoryList> FDirectoryList;
    std::unique_ptr<TProjectSelector> FProjectSelector;
    // Everything asked of EmbeddedWB1 goes through this.
    std::unique_ptr<IBrowserControl> FBrowser;
    // The Fill press whose page calls are still out, if any.
    QPointer<TFillTask> FFillTask;

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
    // Replaces the browser control (tests put a fake in).
    void SetBrowserControl(std::unique_ptr<IBrowserControl> browser);

signals:
    // A Fill press has had its last answer from the page.
    void FillFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    void CentreBanner();
    void ReportLoadFailure(const char* fileName, const std::exception& error);
    void ReportDamagedDirectories(TDatabaseState state);

    void CancelUpdateCheck();
    void OpenInBrowser(const std::string& address);

    TMainOptions FOptions;
    TUpdateCheck* FUpdateCheck = nullptr;
    bool FShownOnce = false;
    bool FDestroyed = false;
    // A data file that exists but failed to load is never written over.
    bool FProjectsUnreadable = false;
    bool FDirectoriesUnreadable = false;
    // A database that failed its checks is kept under a name of its own
    // before the close writes a new one.
    bool FDirectoriesDamaged = false;
};
