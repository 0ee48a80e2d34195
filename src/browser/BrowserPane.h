#pragma once
// The browser pane: the navigation bar over the embedded browser, and Fill.
// Everything asked of the page goes through one IBrowserControl; what the
// window must hear (load progress, the end of a Fill) comes out as signals.
// Fill runs in smart or rules mode (browser/FillSettings.h), chosen by the
// checkable "Smart Fill" item of the Fill button's drop-down menu.

#include "browser/BrowserControl.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

class QAction;
class QMenu;
class QToolButton;
class QWebEngineView;
class TFillSettings;
struct TDProject;

class TBrowserPane : public QWidget {
    Q_OBJECT
public:
    // `homePage`: the address of the Home button; `dataFolder` holds the
    // settings file (with its trailing separator; empty keeps none).
    explicit TBrowserPane(QString homePage, QString dataFolder = {}, QWidget* parent = nullptr);
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
    bool SmartFill() const;
    // Switches the mode and keeps it in the settings file.
    void SetSmartFill(bool smart);
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
    QMenu* mnuFill = nullptr;         // the Fill button's drop-down menu
    QAction* actSmartFill = nullptr;  // its checkable "Smart Fill" item
    QWebEngineView* EmbeddedWB1 = nullptr;

signals:
    // Raised repeatedly while a page loads.
    void ProgressChange(int Progress, int ProgressMax);
    // A Fill press has had its last answer from the page.
    void FillFinished();
    // A Fill press (or saving the Fill mode) ended on an error the user must hear of.
    void FillFailed(const QString& message);
    // The one-line outcome of a smart press, for the status bar.
    void FillMessage(const QString& message);
    // The Fill button was pressed: the window answers with Fill(project).
    void FillRequested();
    // A Fill press wrote `elements` form elements (0 when it wrote none).
    void FillWrote(int elements);
    // The browser's page moved or sent a form (IBrowserControl's signals).
    void AddressChanged(const QUrl& url);
    void FormSubmitted(const QUrl& from, const QUrl& to);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildFillMenu();
    void FillFinishedWith(TPageCallEnd end, const std::string& error, int elementsWritten);

    QString FHomePage;
    std::unique_ptr<TFillSettings> FSettings;
    std::unique_ptr<IBrowserControl> FBrowser;
    // The Fill press (a TFillTask or a TSmartFillTask) whose page calls are still out, if any.
    QPointer<QObject> FFillTask;
};
