#pragma once
// The browser pane: the navigation bar over the embedded browser, and Fill.
// Everything asked of the page goes through one IBrowserControl; what the
// window must hear (load progress, the end of a Fill) comes out as signals.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class IBrowserControl;
class QToolButton;
class QWebEngineView;
class TFillTask;
struct TDProject;

class TBrowserPane : public QWidget {
    Q_OBJECT
public:
    // `homePage`: the address of the Home button.
    explicit TBrowserPane(QString homePage, QWidget* parent = nullptr);
    ~TBrowserPane() override;

    // ---- navigation (the tool bar's stops a load in progress first and
    // drops any error on the way without a word) ----
    void Home();
    void Back();
    void Forward();
    void StopLoading();
    void Refresh();
    // Opens `url` in the embedded browser.
    void Navigate(const QString& url);

    // Writes `project` into the page's form fields; nothing without a project,
    // or while the page still answers the previous press.
    void Fill(const TDProject* project);
    // True while a Fill press waits on the page.
    bool FillRunning() const { return !FFillTask.isNull(); }

    // Replaces the browser control (tests put a fake in).
    void SetBrowserControl(std::unique_ptr<IBrowserControl> browser);
    IBrowserControl& Browser() const { return *FBrowser; }

    QWidget* panNavigation = nullptr;
    QToolButton* btnHome = nullptr;
    QToolButton* btnBack = nullptr;
    QToolButton* btnFoward = nullptr;
    QToolButton* btnStop = nullptr;
    QToolButton* btnRefresh = nullptr;
    QToolButton* btnFill = nullptr;
    QWebEngineView* EmbeddedWB1 = nullptr;

signals:
    // Raised repeatedly while a page loads.
    void ProgressChange(int Progress, int ProgressMax);
    // A Fill press has had its last answer from the page.
    void FillFinished();
    // A Fill press ended on an error the user must hear of.
    void FillFailed(const QString& message);
    // The Fill button was pressed: the window answers with Fill(project).
    void FillRequested();

private:
    QString FHomePage;
    std::unique_ptr<IBrowserControl> FBrowser;
    // The Fill press whose page calls are still out, if any.
    QPointer<TFillTask> FFillTask;
};
