#include "browser/BrowserPane.h"

#include "browser/BrowserControl.h"
#include "browser/FillTask.h"
#include "browser/WebEngineBrowser.h"

#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

constexpr int NavigationHeight = 40;
constexpr int MinimumHeight = 10; // the splitter's handle width

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

TBrowserPane::TBrowserPane(QString homePage, QWidget* parent)
    : QWidget(parent)
    , FHomePage(std::move(homePage))
{
    setObjectName(QStringLiteral("panBrowser"));
    setMinimumHeight(MinimumHeight);
    panNavigation = new QWidget(this);
    panNavigation->setFixedHeight(NavigationHeight);
    btnHome = MakeNavigationButton(panNavigation, "Home", QStyle::SP_DirHomeIcon, 0);
    btnBack = MakeNavigationButton(panNavigation, "Back", QStyle::SP_ArrowBack, 1);
    btnFoward = MakeNavigationButton(panNavigation, "Foward", QStyle::SP_ArrowForward, 2);
    btnStop = MakeNavigationButton(panNavigation, "Stop", QStyle::SP_BrowserStop, 3);
    btnRefresh = MakeNavigationButton(panNavigation, "Refresh", QStyle::SP_BrowserReload, 4);
    btnFill = MakeNavigationButton(panNavigation, "Fill", QStyle::SP_FileDialogContentsView, 5);
    EmbeddedWB1 = new QWebEngineView(this);
    EmbeddedWB1->setObjectName(QStringLiteral("EmbeddedWB1"));
    EmbeddedWB1->setAccessibleName(QStringLiteral("Web page"));
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

void TBrowserPane::SetBrowserControl(std::unique_ptr<IBrowserControl> browser)
{
    // A press still waiting on the old browser would never hear back.
    delete FFillTask.data();
    FBrowser = std::move(browser);
    if (FBrowser)
        connect(FBrowser.get(), &IBrowserControl::ProgressChange, this, &TBrowserPane::ProgressChange);
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
    auto* task = new TFillTask(*FBrowser, *project, this);
    FFillTask = task;
    connect(task, &TFillTask::Finished, this, [this, task] {
        const TFillOutcome outcome = task->Outcome();
        task->deleteLater();
        FFillTask.clear();
        // A page that was left or closed meanwhile ends the press quietly; a
        // page that could not be reached is an error like any other.
        if (outcome.End == TPageCallEnd::Failed)
            emit FillFailed(QString::fromLocal8Bit(outcome.Error.c_str()));
        else if (outcome.End == TPageCallEnd::TimedOut)
            emit FillFailed(QStringLiteral("The page did not answer; Fill has stopped."));
        emit FillFinished();
    });
    task->Start();
}
