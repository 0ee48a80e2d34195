#pragma once
// The program's one message box: fixed kinds, a set of buttons shown in a
// fixed order, and result codes. Tests script the answers.

#include <QDialog>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

class QPushButton;

enum TMsgKind { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3, mkCustom = 4 };

namespace MsgButton {
enum : int {
    Yes = 1, No = 2, OK = 4, Cancel = 8, Abort = 16, Retry = 32, Ignore = 64,
    All = 128, NoToAll = 256, YesToAll = 512, Help = 1024
};
}

namespace MsgResult {
enum : int {
    None = 0, OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7,
    All = 8, NoToAll = 9, YesToAll = 10
};
}

// The modal box itself. Enter presses OK, else Yes, else Retry; Esc presses
// Cancel, else No, else OK; closing the frame gives Cancel.
class TMessageDialog : public QDialog {
    Q_OBJECT
public:
    TMessageDialog(const QString& text, int kind, int buttons, QWidget* parent = nullptr);

    static QString TitleFor(int kind);
    static QString CaptionFor(int buttonFlag);
    static int ResultFor(int buttonFlag);

    // The button shown for `buttonFlag`, or nullptr.
    QPushButton* Button(int buttonFlag) const;
    // The flags of the shown buttons, left to right.
    const std::vector<int>& ButtonOrder() const { return FOrder; }
    QPushButton* EnterButton() const;
    QPushButton* EscapeButton() const;
    int ResultCode() const { return FResult; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

public slots:
    void reject() override; // the frame's close box

private:
    void Press(int buttonFlag);

    std::vector<int> FOrder;
    std::vector<QPushButton*> FButtons;
    int FResult = MsgResult::Cancel;
};

// One shown message, as recorded for tests.
struct TShownMessage {
    QString Text;
    int Kind;
    int Buttons;
};

class TMessageBox {
public:
    // Shows `text` (CR LF separates lines) modally, centred on the screen,
    // and returns the result code of the button pressed.
    int ShowMessageBox(const QString& text, int kind, int buttons);

    // Test hooks: the next box takes this answer without being shown. From
    // the first scripted answer until ClearScript, and while a modal hook is
    // installed, every message is recorded.
    static void SetNextAnswer(int result);
    static void ClearScript();
    static const std::vector<TShownMessage>& Shown();
    static bool HasScriptedAnswer();
};
