#include "workspace/DialogSupport.h"

#include "toolkit/CentreOnScreen.h"
#include "toolkit/InputGuard.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {
constexpr int FieldHeight = 21;
}

QLabel* MakeFieldLabel(QWidget* parent, const char* caption, int left, int top)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* MakeLineField(QWidget* parent, QLabel* label, const char* name, int left, int top, int width)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(left, top, width, FieldHeight);
    // QLineEdit's default limit is 32767 characters; these fields have none.
    field->setMaxLength(std::numeric_limits<int>::max());
    TInputGuard::Guard(*field);
    if (label) {
        label->setBuddy(field);
        QString accessible = label->text();
        if (accessible.endsWith(QLatin1Char(':')))
            accessible.chop(1);
        field->setAccessibleName(accessible);
    }
    return field;
}

QPushButton* MakeDialogButton(QWidget* parent, const char* caption, int left, int top)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setGeometry(left, top, 75, 25);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

TRecordDialog::TRecordDialog(TMessageBox& messages, QString blankWarning, QString takenWarning, QWidget* parent)
    : QDialog(parent)
    , FMessages(messages)
    , FBlankWarning(std::move(blankWarning))
    , FTakenWarning(std::move(takenWarning))
{
    setModal(true);
}

void TRecordDialog::bsSkinButton1Click()
{
    const TNameCheck check = CheckName();
    if (check != TNameCheck::Accepted) {
        FMessages.ShowMessageBox(check == TNameCheck::Blank ? FBlankWarning : FTakenWarning, mkWarning,
                                 MsgButton::OK);
        return;
    }
    FWrittenIndex = WriteRecord();
    accept();
}

void TRecordDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TRecordDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}
