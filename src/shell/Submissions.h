#pragma once
// The submission log in the main window: it opens Submissions.db in the
// data folder at start (saying once why, when it cannot), follows the
// browser's pages with the tracker, and places the log's controls: the
// progress panel in the status bar, Next Directory in the tool bar, the
// row menu and Export Submissions in the workspace pane.

#include <QObject>

#include <memory>

class QLabel;
class TfrmMain;
class TSubmissionCommands;
class TSubmissionLog;
class TSubmissionTracker;

class TSubmissions : public QObject {
    Q_OBJECT
public:
    // Wires itself to the window's panes and controls; call Start() once the
    // data files are loaded.
    explicit TSubmissions(TfrmMain& window);
    ~TSubmissions() override;

    void Start();

    TSubmissionLog& Log() const { return *FLog; }
    TSubmissionCommands& Commands() const { return *FCommands; }
    TSubmissionTracker& Tracker() const { return *FTracker; }
    QLabel* stpProgress = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Checks the log's pages and shows the project's progress, once.
    void Verify();

    TfrmMain& FWindow;
    bool FPainted = false;
    bool FVerifyOnPaint = false;
    bool FVerified = false;
    std::unique_ptr<TSubmissionLog> FLog;
    std::unique_ptr<TSubmissionTracker> FTracker;
    TSubmissionCommands* FCommands = nullptr; // the workspace pane's child
};
