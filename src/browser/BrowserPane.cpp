#include "browser/BrowserPane.h"

#include "browser/BrowserControl.h"
#include "browser/FillSettings.h"
#include "browser/FillTask.h"
#include "browser/SmartFillTask.h"
#include "browser/WebEngineBrowser.h"
#include "toolkit/PanelExtent.h"
#include "toolkit/Shortcut.h"

#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

constexpr int NavigationHeight = 40;
// However small the window, a few lines of the page stay in view.
constexpr int MinimumPageHeight = 80;

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

template <typename TStep>
void ToolbarNavigation(IBrowserControl& browser, TStep step)
{
    try {
        if (browser.Busy())
            browser.Stop();
        step();
    } catch (...) {
    }
}

} // namespace

TBrowserPane::TBrowserPane(QString homePage, QString dataFolder, QWidget* parent)
    : QWidget(parent)
    , FHomePage(std::move(homePage))
    , FSettings(std::make_unique<TFillSettings>(std::move(dataFolder)))
{
    setObjectName(QStringLiteral("panBrowser"));
    panNavigation = new QWidget(this);
    panNavigation->setFixedHeight(NavigationHeight);
    btnHome = MakeNavigationButton(panNavigation, "Home", QStyle::SP_DirHomeIcon, 0);
    btnBack = MakeNavigationButton(panNavigation, "Back", QStyle::SP_ArrowBack, 1);
    btnFoward = MakeNavigationButton(panNavigation, "Foward", QStyle::SP_ArrowForward, 2);
    btnStop = MakeNavigationButton(panNavigation, "Stop", QStyle::SP_BrowserStop, 3);
    btnRefresh = MakeNavigationButton(panNavigation, "Refresh", QStyle::SP_BrowserReload, 4);
    btnFill = MakeNavigationButton(panNavigation, "Fill", QStyle::SP_FileDialogContentsView, 5);
    // The keys of the common browsers; Esc stops a load only while the focus is in this pane.
    AddButtonShortcut(*btnHome, QStringLiteral("Home"), QKeySequence(Qt::ALT | Qt::Key_Home));
    AddButtonShortcut(*btnBack, QStringLiteral("Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    AddButtonShortcut(*btnFoward, QStringLiteral("Foward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    AddButtonShortcut(*btnStop, QStringLiteral("Stop"), QKeySequence(Qt::Key_Escape),
                      Qt::WidgetWithChildrenShortcut, this);
    AddButtonShortcut(*btnRefresh, QStringLiteral("Refresh"), QKeySequence(Qt::Key_F5));
    AddButtonShortcut(*btnFill, QStringLiteral("Fill"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    panNavigation->setMinimumWidth(ChildrenExtent(*panNavigation).width());
    BuildFillMenu();
    EmbeddedWB1 = new QWebEngineView(this);
    EmbeddedWB1->setObjectName(QStringLiteral("EmbeddedWB1"));
    EmbeddedWB1->setAccessibleName(QStringLiteral("Web page"));
    EmbeddedWB1->setMinimumHeight(MinimumPageHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panNavigation);
    layout->addWidget(EmbeddedWB1, 1);

    connect(btnHome, &QToolButton::clicked, this, &TBrowserPane::Home);
    connect(btnBack, &QToolButton::clicked, this, &TBrowserPane::Back);
    connect(btnFoward, &QToolButton::clicked, this, &TBrowserPane::Forward);
    connect(btnStop, &QToolButton::clicked, this, &TBrowserPane::StopLoading);
    connect(btnRefresh, &QToolButton::clicked, this, &TBrowserPane::Refresh);
    connect(btnFill, &QToolButton::clicked, this, &TBrowserPane::FillRequested);
    SetBrowserControl(std::make_unique<TWebEngineBrowser>(*EmbeddedWB1));
}

TBrowserPane::~TBrowserPane() = default;

void TBrowserPane::BuildFillMenu()
{
    // A click fills; holding the button, its context menu, or Alt+Down, F4
    // or the menu key on it opens the menu.
    mnuFill = new QMenu(btnFill);
    mnuFill->setAccessibleName(QStringLiteral("Fill options"));
    actSmartFill = mnuFill->addAction(QStringLiteral("&Smart Fill"));
    actSmartFill->setCheckable(true);
    actSmartFill->setChecked(FSettings->Mode() == TFillMode::Smart);
    actSmartFill->setToolTip(QStringLiteral("Fill decides per field from what the page shows; "
                                            "unchecked, Fill follows the field-name rules"));
    btnFill->setMenu(mnuFill);
    btnFill->setPopupMode(QToolButton::DelayedPopup);
    btnFill->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(btnFill, &QToolButton::customContextMenuRequested, btnFill, &QToolButton::showMenu);
    btnFill->installEventFilter(this);
    connect(actSmartFill, &QAction::triggered, this, &TBrowserPane::SetSmartFill);
}

bool TBrowserPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == btnFill && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier) || key->key() == Qt::Key_F4
            || key->key() == Qt::Key_Menu) {
            btnFill->showMenu();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TBrowserPane::SmartFill() const
{
    return FSettings->Mode() == TFillMode::Smart;
}

void TBrowserPane::SetSmartFill(bool smart)
{
    actSmartFill->setChecked(smart);
    if (smart == SmartFill())
        return;
    QString error;
    const bool saved = FSettings->SetMode(smart ? TFillMode::Smart : TFillMode::Rules, error);
    // Rules mode says nothing after a press: no earlier outcome stays on show.
    emit FillMessage(QString());
    if (!saved)
        emit FillFailed(error);
}

void TBrowserPane::SetBrowserControl(std::unique_ptr<IBrowserControl> browser)
{
    // A press still waiting on the old browser would never hear back.
    delete FFillTask.data();
    FBrowser = std::move(browser);
    if (FBrowser) {
        connect(FBrowser.get(), &IBrowserControl::ProgressChange, this, &TBrowserPane::ProgressChange);
        connect(FBrowser.get(), &IBrowserControl::AddressChanged, this, &TBrowserPane::AddressChanged);
        connect(FBrowser.get(), &IBrowserControl::FormSubmitted, this, &TBrowserPane::FormSubmitted);
    }
}

void TBrowserPane::Home()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->Navigate(FHomePage); });
}

void TBrowserPane::Back()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->GoBack(); });
}

void TBrowserPane::Forward()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->GoForward(); });
}

void TBrowserPane::StopLoading()
{
    ToolbarNavigation(*FBrowser, [] {});
}

void TBrowserPane::Refresh()
{
    ToolbarNavigation(*FBrowser, [this] { FBrowser->Refresh(); });
}

void TBrowserPane::Navigate(const QString& url)
{
    FBrowser->Navigate(url);
}

void TBrowserPane::Fill(const TDProject* project)
{
    // The page is still answering the previous press; a second one would race it.
    if (FFillTask || !project)
        return;
    if (SmartFill()) {
        auto* task = new TSmartFillTask(*FBrowser, *project, this);
        FFillTask = task;
        connect(task, &TSmartFillTask::Finished, this, [this, task] {
            const TSmartFillOutcome outcome = task->Outcome();
            if (!outcome.Message.empty())
                emit FillMessage(QString::fromLocal8Bit(outcome.Message.c_str()));
            FillFinishedWith(outcome.End, outcome.Error, outcome.ElementsWritten);
        });
        task->Start();
        return;
    }
    auto* task = new TFillTask(*FBrowser, *project, this);
    FFillTask = task;
    connect(task, &TFillTask::Finished, this, [this, task] {
        FillFinishedWith(task->Outcome().End, task->Outcome().Error, task->Outcome().ElementsWritten);
    });
    task->Start();
}

void TBrowserPane::FillFinishedWith(TPageCallEnd end, const std::string& error, int elementsWritten)
{
    FFillTask->deleteLater();
    FFillTask.clear();
    // A page that was left or closed meanwhile ends the press quietly; a
    // page that could not be reached is an error like any other.
    if (end == TPageCallEnd::Failed)
        emit FillFailed(QString::fromLocal8Bit(error.c_str()));
    else if (end == TPageCallEnd::TimedOut)
        emit FillFailed(QStringLiteral("The page did not answer; Fill has stopped."));
    emit FillWrote(elementsWritten);
    emit FillFinished();
}
