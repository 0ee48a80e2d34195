#include "shell/FMain.h"

#include "browser/WebEngineBrowser.h"
#include "store/FileIO.h"
#include "toolkit/CentreOnScreen.h"
#include "toolkit/Gauge.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/ListView.h"
#include "toolkit/SortedComboBox.h"
#include "workspace/DirectoryList.h"
#include "workspace/DirectoryListModel.h"
#include "workspace/ProjectSelector.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

TfrmMain* GMainWindow = nullptr;

constexpr int ClientWidth = 919;
constexpr int ClientHeight = 663;
constexpr int ToolbarHeight = 37;
constexpr int BannerDesignHeight = 65;
constexpr int WorkAreaHeight = 247;
constexpr int SplitterWidth = 10;
constexpr int NavigationHeight = 40;
constexpr int LinkPanelHeight = 32;
constexpr int StatusBarHeight = 17;
constexpr int ProjectPanelWidth = 182;

QPushButton* MakeToolbarButton(QWidget* parent, const char* caption, int left)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setGeometry(left, 9, 99, 20);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QToolButton* MakeNavigationButton(QWidget* parent, const char* hint, QStyle::StandardPixmap icon, int slot)
{
    auto* button = new QToolButton(parent);
    button->setGeometry(6 + slot * 27, (NavigationHeight - 25) / 2, 25, 25);
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(QString::fromLatin1(hint));
    button->setAccessibleName(QString::fromLatin1(hint));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

TfrmMain* TfrmMain::Instance()
{
    return GMainWindow;
}

int TfrmMain::CentreCoordinate(int panelExtent, int controlExtent)
{
    return panelExtent / 2 - controlExtent / 2;
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
    // Toolbar: seven buttons at fixed places.
    panToolbar = new QWidget(this);
    panToolbar->setObjectName(QStringLiteral("panToolbar"));
    panToolbar->setFixedHeight(ToolbarHeight);
    btnAddDirectory = MakeToolbarButton(panToolbar, "Add Directory", 6);
    btnDeleteDirectory = MakeToolbarButton(panToolbar, "Delete Directory", 108);
    btnEditDirectory = MakeToolbarButton(panToolbar, "Edit Directory", 210);
    btnGoDirectory = MakeToolbarButton(panToolbar, "Go to Directory", 312);
    btnHelp = MakeToolbarButton(panToolbar, "Help", 414);
    btnUpdate = MakeToolbarButton(panToolbar, "Check Updates", 516);
    btnMakeMoney = MakeToolbarButton(panToolbar, "Make Money", 618);
    bsSkinButton6 = MakeToolbarButton(panToolbar, "Go to Directory", 312);
    bsSkinButton6->hide();

    // Banner panel: both banner controls are placed by hand (centred).
    panBanner = new QFrame(this);
    panBanner->setObjectName(QStringLiteral("panBanner"));
    panBanner->setFrameShape(QFrame::StyledPanel);
    panBanner->setFixedHeight(BannerDesignHeight);
    imgBanner = new QLabel(panBanner);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setGeometry(0, 0, 468, 60);
    imgBanner->setAccessibleName(QStringLiteral("Banner"));
    gifBanner = new QLabel(panBanner);
    gifBanner->setObjectName(QStringLiteral("gifBanner"));
    gifBanner->setAccessibleName(QStringLiteral("Banner"));
    gifBanner->hide();
    imgBanner->installEventFilter(this);
    gifBanner->installEventFilter(this);

    // Work area: directory list and the project column.
    panWork = new QWidget;
    panWork->setObjectName(QStringLiteral("panWork"));
    panWork->setMinimumHeight(SplitterWidth);
    lvwItems = new TListView(panWork);
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

    panProjects = new QWidget(panWork);
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

    auto* workLayout = new QHBoxLayout(panWork);
    workLayout->setContentsMargins(0, 0, 0, 0);
    workLayout->setSpacing(0);
    workLayout->addWidget(lvwItems, 1);
    workLayout->addWidget(panProjects);

    // Browser area: navigation bar over the embedded browser.
    panBrowser = new QWidget;
    panBrowser->setObjectName(QStringLiteral("panBrowser"));
    panBrowser->setMinimumHeight(SplitterWidth);
    panNavigation = new QWidget(panBrowser);
    panNavigation->setFixedHeight(NavigationHeight);
    btnHome = MakeNavigationButton(panNavigation, "Home", QStyle::SP_DirHomeIcon, 0);
    btnBack = MakeNavigationButton(panNavigation, "Back", QStyle::SP_ArrowBack, 1);
    btnFoward = MakeNavigationButton(panNavigation, "Foward", QStyle::SP_ArrowForward, 2);
    btnStop = MakeNavigationButton(panNavigation, "Stop", QStyle::SP_BrowserStop, 3);
    btnRefresh = MakeNavigationButton(panNavigation, "Refresh", QStyle::SP_BrowserReload, 4);
    btnFill = MakeNavigationButton(panNavigation, "Fill", QStyle::SP_FileDialogContentsView, 5);
    EmbeddedWB1 = new QWebEngineView(panBrowser);
    EmbeddedWB1->setObjectName(QStringLiteral("EmbeddedWB1"));
    EmbeddedWB1->setAccessibleName(QStringLiteral("Web page"));
    auto* browserLayout = new QVBoxLayout(panBrowser);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    browserLayout->setSpacing(0);
    browserLayout->addWidget(panNavigation);
    browserLayout->addWidget(EmbeddedWB1, 1);

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

    // Link panel.
    panLinks = new QWidget(this);
    panLinks->setObjectName(QStringLiteral("panLinks"));
    panLinks->setFixedHeight(LinkPanelHeight);
    lblLink1URL = new TLinkLabel(panLinks);
    lblLink1URL->setObjectName(QStringLiteral("lblLink1URL"));
    lblLink2URL = new TLinkLabel(panLinks);
    lblLink2URL->setObjectName(QStringLiteral("lblLink2URL"));
    for (TLinkLabel* label : {lblLink1URL, lblLink2URL}) {
        label->SetCaption("Google");
        label->SetAddress("http://www.google.com/");
    }
    lblLink1URL->move(13, 6);
    panLinks->installEventFilter(this);

    // Status bar.
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setFixedHeight(StatusBarHeight);
    MainStatusPanel = new QLabel(StatusBar);
    stpItems = new QLabel(QStringLiteral("0 directories listed"), StatusBar);
    stpItems->setObjectName(QStringLiteral("stpItems"));
    stpItems->setFixedWidth(194);
    MainGauge = new TGauge(StatusBar);
    MainGauge->setObjectName(QStringLiteral("MainGauge"));
    MainGauge->setAccessibleName(QStringLiteral("Page load"));
    MainGauge->setFixedWidth(130);
    StatusBar->addWidget(MainStatusPanel, 1);
    StatusBar->addPermanentWidget(stpItems);
    StatusBar->addPermanentWidget(MainGauge);

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
    connect(btnAddProject, &QPushButton::clicked, this, &TfrmMain::btnAddProjectClick);
    connect(btnDeleteProject, &QPushButton::clicked, this, &TfrmMain::btnDeleteProjectClick);
    connect(btnEditProject, &QPushButton::clicked, this, &TfrmMain::btnEditProjectClick);
    connect(btnHome, &QToolButton::clicked, this, &TfrmMain::btnHomeClick);
    connect(btnBack, &QToolButton::clicked, this, &TfrmMain::btnBackClick);
    connect(btnFoward, &QToolButton::clicked, this, &TfrmMain::btnFowardClick);
    connect(btnStop, &QToolButton::clicked, this, &TfrmMain::btnStopClick);
    connect(btnRefresh, &QToolButton::clicked, this, &TfrmMain::btnRefreshClick);
    connect(btnFill, &QToolButton::clicked, this, &TfrmMain::btnFillClick);
    connect(lvwItems, &QTableView::doubleClicked, this, &TfrmMain::lvwItemsDblClick);
    SetBrowserControl(std::make_unique<TWebEngineBrowser>(*EmbeddedWB1));
    connect(lvwItems->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfrmMain::lvwItemsColumnClick);
    connect(lvwItems, &TListView::LinkClicked, this, &TfrmMain::lvwItemsLinkClick);
    connect(Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    connect(lblLink1URL, &TLinkLabel::Clicked, this, &TfrmMain::lblLinkURLClick);
    connect(lblLink2URL, &TLinkLabel::Clicked, this, &TfrmMain::lblLinkURLClick);
}

void TfrmMain::ReportLoadFailure(const char* fileName, const std::exception& error)
{
    msgMain.ShowMessageBox(
        QStringLiteral("%1 could not be read:\r\n%2\r\n\r\nThe program starts without its contents "
                       "and leaves the file as it is: changes made in this session to what it holds "
                       "will not be saved.")
            .arg(QString::fromLatin1(fileName), QString::fromLocal8Bit(error.what())),
        mkError, MsgButton::OK);
}

void TfrmMain::ReportDamagedDirectories(TDatabaseState state)
{
    QString what;
    QString listed;
    switch (state) {
    case TDatabaseState::TooShort:
        what = QStringLiteral("The directory database Directories.dat is too short to hold any data, "
                              "so it is empty or was cut short.");
        listed = QStringLiteral("The program starts with an empty directory list.");
        break;
    case TDatabaseState::NotReadable:
        what = QStringLiteral("The directory database Directories.dat cannot be opened: it fails its "
                              "password check, so its header is damaged or it was not written by "
                              "this program.");
        listed = QStringLiteral("The program starts with an empty directory list.");
        break;
    default:
        what = QStringLiteral("The directory database Directories.dat is damaged or cut short: its "
                              "contents do not match their authentication code.");
        listed = QStringLiteral("The %1 directories that could be read are listed; some of them may "
                                "be wrong or missing.")
                     .arg(FDirectories->Count());
        break;
    }
    msgMain.ShowMessageBox(
        what + QStringLiteral("\r\n\r\n") + listed
            + QStringLiteral("\r\n\r\nThe file is not lost: when you close the program it is kept "
                             "as \"%1\" beside the program, and a new Directories.dat is written "
                             "with the directories listed then.")
                  .arg(TDDirectories::DamagedCopyName(FOptions.AppDir)),
        mkWarning, MsgButton::OK);
}

void TfrmMain::FormCreate()
{
    gifBanner->setGeometry(imgBanner->geometry());
    try {
        LoadBranding();
    } catch (const std::exception&) {
        // Branding is decoration: whatever failed, the data must still load.
    }
    FProjects = std::make_unique<TDProjects>();
    FDirectories = std::make_unique<TDDirectories>();
    try {
        FProjects->LoadAll(FOptions.AppDir);
    } catch (const std::exception& error) {
        FProjects->Clear();
        FProjectsUnreadable = true;
        ReportLoadFailure(TDProjects::FileName, error);
    }
    try {
        const TDatabaseState state = FDirectories->LoadAll(FOptions.AppDir);
        if (state != TDatabaseState::Missing && state != TDatabaseState::Intact) {
            FDirectoriesDamaged = true;
            ReportDamagedDirectories(state);
        }
    } catch (const std::exception& error) {
        FDirectories->Clear();
        FDirectoriesUnreadable = true;
        ReportLoadFailure(TDDirectories::FileName, error);
    }
    FProjectSelector = std::make_unique<TProjectSelector>(*cbxProjects, *FProjects);
    FDirectoryList = std::make_unique<TDirectoryList>(*lvwItems, *FDirectoryModel, *FDirectories);
    FillProjects();
    FillDirectories();
    if (FOptions.ArmStartupTimer)
        Timer1->start();
}

void TfrmMain::FormShow()
{
    CentreBanner();
}

void TfrmMain::FormResize()
{
    CentreBanner();
}

void TfrmMain::CentreBanner()
{
    imgBanner->move(CentreCoordinate(panBanner->width(), imgBanner->width()), imgBanner->y());
    imgBanner->move(imgBanner->x(), CentreCoordinate(panBanner->height(), imgBanner->height()));
    gifBanner->move(CentreCoordinate(panBanner->width(), gifBanner->width()), gifBanner->y());
    gifBanner->move(gifBanner->x(), CentreCoordinate(panBanner->height(), gifBanner->height()));
}

void TfrmMain::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    // Each file is saved on its own: one failing must not keep the other from being written.
    QStringList failures;
    if (!FProjectsUnreadable) {
        try {
            FProjects->SaveAll(FOptions.AppDir);
        } catch (const std::exception& error) {
            failures << QString::fromLocal8Bit(error.what());
        }
    }
    if (!FDirectoriesUnreadable) {
        try {
            // The damaged file is copied aside first; if that fails, nothing replaces it.
            if (FDirectoriesDamaged && FileExists(FOptions.AppDir + TDDirectories::FileName))
                TDDirectories::KeepDamagedCopy(FOptions.AppDir);
            FDirectories->SaveAll(FOptions.AppDir);
        } catch (const std::exception& error) {
            failures << QString::fromLocal8Bit(error.what());
        }
    }
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
        CentreOnScreen(*this);
    }
    FormShow();
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    CancelUpdateCheck();
    FormDestroy();
    event->accept();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panLinks && event->type() == QEvent::Resize) {
        lblLink2URL->adjustSize();
        lblLink2URL->move(panLinks->width() - 13 - lblLink2URL->width(), 6);
    } else if ((watched == imgBanner || watched == gifBanner) && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (watched == imgBanner)
                imgBannerClick();
            else
                gifBannerClick();
        }
    } else if (watched == lvwItems && event->type() == QEvent::KeyPress) {
        lvwItemsKeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return QWidget::eventFilter(watched, event);
}
