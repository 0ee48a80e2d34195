#pragma once
// Building blocks shared by the project and directory dialogs.

#include "workspace/RecordEdit.h"

#include <QDialog>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What the project and directory dialogs share: modal, centred on the
// screen, Esc closes nothing and Enter presses no button, and the name check
// of Ok answered with its warning.
class TRecordDialog : public QDialog {
    Q_OBJECT
public:
    explicit TRecordDialog(QWidget* parent = nullptr);

protected:
    // Shows the warning for a blank or taken name; true when the name was accepted.
    bool AcceptName(TNameCheck check, const QString& blankWarning, const QString& takenWarning);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// A label at a fixed place.
QLabel* MakeFieldLabel(QWidget* parent, const char* caption, int left, int top);
// A one-line field at a fixed place, described by `label`, without a length
// limit and guarded against characters the data files cannot hold.
QLineEdit* MakeLineField(QWidget* parent, QLabel* label, const char* name, int left, int top, int width);
// A dialog button that neither Enter nor Esc presses.
QPushButton* MakeDialogButton(QWidget* parent, const char* caption, int left, int top);
