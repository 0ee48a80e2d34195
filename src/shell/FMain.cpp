#include "shell/FMain.h"

#include "browser/BrowserControl.h"
#include "browser/BrowserPane.h"
#include "shell/AutoSave.h"
#include "shell/DataSession.h"
#include "shell/MainPanels.h"
#include "shell/Submissions.h"
#include "shell/TApplication.h"
#include "shell/VendorAddresses.h"
#include "shell/WindowState.h"
#include "toolkit/CentreOnScreen.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/PanelExtent.h"
#include "toolkit/Shortcut.h"
#include "workspace/WorkspacePane.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

TfrmMain* GMainWindow = nullptr;

constexpr int ClientWidth = 919;
constexpr int ClientHeight = 663;
constexpr int ToolbarHeight = 37;
constexpr int BannerDesignHeight = 65;
constexpr int WorkAreaHeight = 247;
constexpr int SplitterWidth = 10;
constexpr int LinkPanelHeight = 32;
constexpr int StatusBarHeight = 17;

QPushButton* MakeToolbarButton(QWidget* parent, const char* caption, int left)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setGeometry(left, 9, 99, 20);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

TfrmMain* TfrmMain::Instance()
{
    return GMainWindow;
}

int TfrmMain::CentreCoordinate(int panelExtent, int controlExtent)
{
    return TBannerPanel::CentreCoordinate(panelExtent, controlExtent);
}

TfrmMain::TfrmMain(const TMainOptions& options, QWidget* parent)
    : QWidget(parent)
    , FOptions(options)
{
    GMainWindow = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarnwick"));
    resize(ClientWidth, ClientHeight);
    bsSkinData1.LoadBuiltInSkin();
    FSession = std::make_unique<TDataSession>(FOptions.AppDir);
    FProjects = &FSession->Projects();
    FDirectories = &FSession->Directories();
    FAutoSave = std::make_unique<TAutoSave>(*FSession);
    BuildLayout();
    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    if (GMainWindow == this)
        GMainWindow = nullptr;
}

void TfrmMain::BuildLayout()
{
    // Toolbar: eight buttons at fixed places.
    panToolbar = new QWidget(this);
    panToolbar->setObjectName(QStringLiteral("panToolbar"));
    panToolbar->setFixedHeight(ToolbarHeight);
    btnAddDirectory = MakeToolbarButton(panToolbar, "Add Directory", 6);
    btnDeleteDirectory = MakeToolbarButton(panToolbar, "Delete Directory", 108);
    btnEditDirectory = MakeToolbarButton(panToolbar, "Edit Directory", 210);
    btnGoDirectory = MakeToolbarButton(panToolbar, "Go to Directory", 312);
    btnNextDirectory = MakeToolbarButton(panToolbar, "Next Directory", 414);
    btnHelp = MakeToolbarButton(panToolbar, "Help", 516);
    btnUpdate = MakeToolbarButton(panToolbar, "Check Updates", 618);
    btnMakeMoney = MakeToolbarButton(panToolbar, "Make Money", 720);
    bsSkinButton6 = MakeToolbarButton(panToolbar, "Go to Directory", 312);
    bsSkinButton6->hide();
    panToolbar->setMinimumWidth(ChildrenExtent(*panToolbar).width());
    btnGoDirectory->setToolTip(ShortcutToolTip(btnGoDirectory->text(), TWorkspacePane::GoToDirectoryKeys()));

    panBanner = new TBannerPanel(BannerDesignHeight, this);
    imgBanner = panBanner->imgBanner;
    gifBanner = panBanner->gifBanner;

    // The two panes, one above the other.
    FWorkspace = new TWorkspacePane(*FProjects, *FDirectories, msgMain);
    panWork = FWorkspace;
    lvwItems = FWorkspace->lvwItems;
    panProjects = FWorkspace->panProjects;
    lblSelectProject = FWorkspace->lblSelectProject;
    cbxProjects = FWorkspace->cbxProjects;
    btnAddProject = FWorkspace->btnAddProject;
    btnDeleteProject = FWorkspace->btnDeleteProject;
    btnEditProject = FWorkspace->btnEditProject;
    FBrowserPane = new TBrowserPane(QString::fromLatin1(HomePageURL), FOptions.AppDir);
    panBrowser = FBrowserPane;
    panNavigation = FBrowserPane->panNavigation;
    btnHome = FBrowserPane->btnHome;
    btnBack = FBrowserPane->btnBack;
    btnFoward = FBrowserPane->btnFoward;
    btnStop = FBrowserPane->btnStop;
    btnRefresh = FBrowserPane->btnRefresh;
    btnFill = FBrowserPane->btnFill;
    EmbeddedWB1 = FBrowserPane->EmbeddedWB1;

    bsSkinSplitter1 = new QSplitter(Qt::Vertical, this);
    bsSkinSplitter1->setObjectName(QStringLiteral("bsSkinSplitter1"));
    bsSkinSplitter1->setHandleWidth(SplitterWidth);
    bsSkinSplitter1->setChildrenCollapsible(false);
    bsSkinSplitter1->addWidget(panWork);
    bsSkinSplitter1->addWidget(panBrowser);
    bsSkinSplitter1->setStretchFactor(0, 0);
    bsSkinSplitter1->setStretchFactor(1, 1);
    const int browserHeight = ClientHeight - ToolbarHeight - BannerDesignHeight - WorkAreaHeight
                              - SplitterWidth - LinkPanelHeight - StatusBarHeight;
    bsSkinSplitter1->setSizes({WorkAreaHeight, browserHeight});

    panLinks = new TLinkPanel(LinkPanelHeight, this);
    lblLink1URL = panLinks->lblLink1URL;
    lblLink2URL = panLinks->lblLink2URL;

    auto* statusBar = new TMainStatusBar(StatusBarHeight, this);
    StatusBar = statusBar;
    MainStatusPanel = statusBar->MainStatusPanel;
    stpItems = statusBar->stpItems;
    MainGauge = statusBar->MainGauge;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panToolbar);
    layout->addWidget(panBanner);
    layout->addWidget(bsSkinSplitter1, 1);
    layout->addWidget(panLinks);
    layout->addWidget(StatusBar);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
}

void TfrmMain::ConnectHandlers()
{
    connect(btnAddDirectory, &QPushButton::clicked, this, &TfrmMain::btnAddDirectoryClick);
    connect(btnDeleteDirectory, &QPushButton::clicked, this, &TfrmMain::btnDeleteDirectoryClick);
    connect(btnEditDirectory, &QPushButton::clicked, this, &TfrmMain::btnEditDirectoryClick);
    connect(btnGoDirectory, &QPushButton::clicked, this, &TfrmMain::btnGoDirectoryClick);
    connect(bsSkinButton6, &QPushButton::clicked, this, &TfrmMain::btnGoDirectoryClick);
    connect(btnHelp, &QPushButton::clicked, this, &TfrmMain::btnHelpClick);
    connect(btnUpdate, &QPushButton::clicked, this, &TfrmMain::btnUpdateClick);
    connect(btnMakeMoney, &QPushButton::clicked, this, &TfrmMain::btnMakeMoneyClick);
    connect(Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    connect(lblLink1URL, &TLinkLabel::Clicked, this, &TfrmMain::lblLinkURLClick);
    connect(lblLink2URL, &TLinkLabel::Clicked, this, &TfrmMain::lblLinkURLClick);
    connect(panBanner, &TBannerPanel::Clicked, this, &TfrmMain::imgBannerClick);
    ConnectPanes();
}

void TfrmMain::ConnectPanes()
{
    FSubmissions = new TSubmissions(*this); // first: it hears which row opened a page before the browser does
    auto* statusBar = static_cast<TMainStatusBar*>(StatusBar);
    connect(FWorkspace, &TWorkspacePane::DirectoryCountChanged, statusBar, &TMainStatusBar::ShowDirectoryCount);
    connect(FWorkspace, &TWorkspacePane::OpenAddress, FBrowserPane, &TBrowserPane::Navigate);
    connect(FWorkspace, &TWorkspacePane::LinkActivated, this, &TfrmMain::lvwItemsLinkClick);
    connect(FBrowserPane, &TBrowserPane::FillRequested, this, &TfrmMain::btnFillClick);
    connect(FBrowserPane, &TBrowserPane::ProgressChange, this, &TfrmMain::EmbeddedWB1ProgressChange);
    connect(FBrowserPane, &TBrowserPane::FillFailed, this, &TApplication::ReportError);
    connect(FBrowserPane, &TBrowserPane::FillFinished, this, &TfrmMain::FillFinished);
    connect(FWorkspace, &TWorkspacePane::ProjectsChanged, FAutoSave.get(), &TAutoSave::ProjectsChanged);
    connect(FWorkspace, &TWorkspacePane::DirectoriesChanged, FAutoSave.get(), &TAutoSave::DirectoriesChanged);
    connect(FAutoSave.get(), &TAutoSave::Failed, statusBar, &TMainStatusBar::ShowSaveFailure);
    connect(FBrowserPane, &TBrowserPane::FillMessage, MainStatusPanel, &QLabel::setText);
}

void TfrmMain::FormCreate()
{
    try {
        LoadBranding();
    } catch (const std::exception&) {
        // Branding is decoration: whatever failed, the data must still load.
    }
    for (const TSessionMessage& message : FSession->Load())
        msgMain.ShowMessageBox(message.Text, message.Kind, MsgButton::OK);
    FillProjects();
    FillDirectories();
    FSubmissions->Start();
    if (FOptions.ArmStartupTimer)
        Timer1->start();
}

void TfrmMain::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    FAutoSave->Finish();
    const QStringList failures = FSession->Save();
    for (const QString& failure : failures)
        msgMain.ShowMessageBox(QStringLiteral("Your changes could not be saved:\r\n") + failure,
                               mkError, MsgButton::OK);
}

void TfrmMain::Timer1Timer()
{
    Timer1->stop();
    CheckForUpdate(true);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FShownOnce) {
        FShownOnce = true;
        // The size, place and splitter of the last run; the design layout the first time.
        if (!TWindowState(FOptions.AppDir).Restore(*this, *bsSkinSplitter1))
            CentreOnScreen(*this);
    }
    FormShow();
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmMain::FormShow() { panBanner->CentreBanners(); }
void TfrmMain::FormResize() { panBanner->CentreBanners(); }

void TfrmMain::closeEvent(QCloseEvent* event)
{
    CancelUpdateCheck();
    TWindowState(FOptions.AppDir).Save(*this, *bsSkinSplitter1);
    FormDestroy();
    event->accept();
}
