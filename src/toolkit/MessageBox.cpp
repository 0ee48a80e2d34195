#include "toolkit/MessageBox.h"

#include "toolkit/CentreOnScreen.h"
#include "toolkit/ModalHook.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int AllFlags[] = {MsgButton::Yes,    MsgButton::No,       MsgButton::OK,
                            MsgButton::Cancel, MsgButton::Abort,    MsgButton::Retry,
                            MsgButton::Ignore, MsgButton::All,      MsgButton::NoToAll,
                            MsgButton::YesToAll, MsgButton::Help};

struct TScript {
    std::deque<int> Answers;
    std::vector<TShownMessage> Shown;
    // Messages are recorded only while a test scripts answers or dialogs,
    // so the shipped program keeps no list of what it showed.
    bool Recording = false;
};

TScript& Script()
{
    static TScript script;
    return script;
}

} // namespace

TMessageDialog::TMessageDialog(const QString& text, int kind, int buttons, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(TitleFor(kind));
    setModal(true);

    auto* icon = new QLabel(this);
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    switch (kind) {
    case mkWarning: pixmap = QStyle::SP_MessageBoxWarning; break;
    case mkError: pixmap = QStyle::SP_MessageBoxCritical; break;
    case mkInformation: pixmap = QStyle::SP_MessageBoxInformation; break;
    case mkConfirmation: pixmap = QStyle::SP_MessageBoxQuestion; break;
    default: break;
    }
    if (pixmap != QStyle::SP_CustomBase) {
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
        icon->setAccessibleName(TitleFor(kind));
    } else {
        icon->hide();
    }

    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* label = new QLabel(shown, this);
    label->setObjectName(QStringLiteral("messageText"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(label, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (int flag : AllFlags) {
        if (!(buttons & flag))
            continue;
        auto* button = new QPushButton(CaptionFor(flag), this);
        button->setAutoDefault(false);
        button->setMinimumWidth(75);
        connect(button, &QPushButton::clicked, this, [this, flag] { Press(flag); });
        row->addWidget(button);
        FOrder.push_back(flag);
        FButtons.push_back(button);
    }
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (QPushButton* enter = EnterButton()) {
        enter->setDefault(true);
        enter->setFocus();
    }
}

QString TMessageDialog::TitleFor(int kind)
{
    switch (kind) {
    case mkWarning: return QStringLiteral("Warning");
    case mkError: return QStringLiteral("Error");
    case mkInformation: return QStringLiteral("Information");
    case mkConfirmation: return QStringLiteral("Confirm");
    default: return QGuiApplication::applicationDisplayName();
    }
}

QString TMessageDialog::CaptionFor(int buttonFlag)
{
    switch (buttonFlag) {
    case MsgButton::Yes: return QStringLiteral("&Yes");
    case MsgButton::No: return QStringLiteral("&No");
    case MsgButton::OK: return QStringLiteral("OK");
    case MsgButton::Cancel: return QStringLiteral("Cancel");
    case MsgButton::Abort: return QStringLiteral("&Abort");
    case MsgButton::Retry: return QStringLiteral("&Retry");
    case MsgButton::Ignore: return QStringLiteral("&Ignore");
    case MsgButton::All: return QStringLiteral("&All");
    case MsgButton::NoToAll: return QStringLiteral("N&oToAll");
    case MsgButton::YesToAll: return QStringLiteral("&YesToAll");
    case MsgButton::Help: return QStringLiteral("&Help");
    default: return {};
    }
}

int TMessageDialog::ResultFor(int buttonFlag)
{
    switch (buttonFlag) {
    case MsgButton::OK: return MsgResult::OK;
    case MsgButton::Cancel: return MsgResult::Cancel;
    case MsgButton::Abort: return MsgResult::Abort;
    case MsgButton::Retry: return MsgResult::Retry;
    case MsgButton::Ignore: return MsgResult::Ignore;
    case MsgButton::Yes: return MsgResult::Yes;
    case MsgButton::No: return MsgResult::No;
    case MsgButton::All: return MsgResult::All;
    case MsgButton::NoToAll: return MsgResult::NoToAll;
    case MsgButton::YesToAll: return MsgResult::YesToAll;
    default: return MsgResult::None;
    }
}

QPushButton* TMessageDialog::Button(int buttonFlag) const
{
    for (size_t i = 0; i < FOrder.size(); ++i)
        if (FOrder[i] == buttonFlag)
            return FButtons[i];
    return nullptr;
}

QPushButton* TMessageDialog::EnterButton() const
{
    for (int flag : {MsgButton::OK, MsgButton::Yes, MsgButton::Retry})
        if (QPushButton* b = Button(flag))
            return b;
    return nullptr;
}

QPushButton* TMessageDialog::EscapeButton() const
{
    for (int flag : {MsgButton::Cancel, MsgButton::No, MsgButton::OK})
        if (QPushButton* b = Button(flag))
            return b;
    return nullptr;
}

void TMessageDialog::Press(int buttonFlag)
{
    // Help shows no help here and leaves the box open, as it adds nothing to close on.
    if (buttonFlag == MsgButton::Help)
        return;
    FResult = ResultFor(buttonFlag);
    done(FResult);
}

void TMessageDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (QPushButton* b = EnterButton())
                b->click();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            if (QPushButton* b = EscapeButton())
                b->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TMessageDialog::reject()
{
    FResult = MsgResult::Cancel;
    done(FResult);
}

void TMessageDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

int TMessageBox::ShowMessageBox(const QString& text, int kind, int buttons)
{
    TScript& script = Script();
    if (script.Recording || ModalHookInstalled())
        script.Shown.push_back({text, kind, buttons});
    if (!script.Answers.empty()) {
        const int answer = script.Answers.front();
        script.Answers.pop_front();
        return answer;
    }
    TMessageDialog dialog(text, kind, buttons, QApplication::activeWindow());
    RunModal(dialog);
    return dialog.ResultCode();
}

void TMessageBox::SetNextAnswer(int result)
{
    Script().Recording = true;
    Script().Answers.push_back(result);
}

void TMessageBox::ClearScript()
{
    Script().Answers.clear();
    Script().Shown.clear();
    Script().Recording = false;
}

const std::vector<TShownMessage>& TMessageBox::Shown()
{
    return Script().Shown;
}

bool TMessageBox::HasScriptedAnswer()
{
    return !Script().Answers.empty();
}
