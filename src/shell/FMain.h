#pragma once
// The main window: layout, start-up, shutdown and the state every command
// reaches through it. Command handlers live beside the behaviour they wire
// (workspace/, browser/, and the branding, update and link files here).

#include "store/UGeneral.h"
#include "toolkit/ListView.h" // lvwItems is used as the QTableView it is
#include "toolkit/MessageBox.h"

#include <QWidget>

#include <memory>
#include <string>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTableView;
class QTimer;
class QToolButton;
class QWebEngineView;
class TDirectoryList;
class TDirectoryListModel;
class TLinkLabel;
class TProjectSelector;
class TSortedComboBox;

// How the window is started; tests change what they need.
struct TMainOptions {
    QString AppDir;              // application directory, with its trailing separator
    bool ArmStartupTimer = true; // the one-shot timer that runs the silent update check
};

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(const TMainOptions& options, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The one global reference the dialogs use to reach the main window.
    static TfrmMain* Instance();

    const QString& AppDir() const { return FAppDir; }

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

    // ---- controls ----
    QWidget* panToolbar = nullptr;
    QPushButton* btnAddDirectory = nullptr;
    QPushButton* btnDeleteDirectory = nullptr;
    QPushButton* btnEditDirectory = nullptr;
    QPushButton* btnGoDirectory = nullptr;
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
    QProgressBar* MainGauge = nullptr;

    QTimer* Timer1 = nullptr;

    // Behaviour behind the workspace controls.
    std::unique_ptr<TDirectoryListModel> FDirectoryModel;
    std::unique_ptr<TDirectoryList> FDirectoryList;
    std::unique_ptr<TProjectSelector> FProjectSelector;

    // ---- lifecycle ----
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void Timer1Timer();

    // ---- branding, update check, web links ----
    void LoadBranding();
    void CheckForUpdate(bool Silent);
    void btnUpdateClick();
    void btnHelpClick();
    void btnMakeMoneyClick();
    void imgBannerClick();
    void gifBannerClick();

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

    QString FAppDir;
    bool FArmStartupTimer = true;
    bool FShownOnce = false;
    bool FDestroyed = false;
    // A data file that exists but failed to load is never written over.
    bool FProjectsUnreadable = false;
    bool FDirectoriesUnreadable = false;
    // A database that failed its checks is kept under a name of its own
    // before the close writes a new one.
    bool FDirectoriesDamaged = false;
};
