#pragma once
// Building blocks shared by the project and directory dialogs.

#include <QString>

class QDialog;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The dialogs lay out their controls at fixed places sized for an 8-point
// (11-pixel) font; a larger default font would push labels under their fields.
void UseDialogFont(QDialog& dialog);
// A label at a fixed place.
QLabel* MakeFieldLabel(QWidget* parent, const char* caption, int left, int top);
// A one-line field at a fixed place, described by `label`, without a length
// limit and guarded against characters the data files cannot hold.
QLineEdit* MakeLineField(QWidget* parent, QLabel* label, const char* name, int left, int top, int width);
// A dialog button that neither Enter nor Esc presses.
QPushButton* MakeDialogButton(QWidget* parent, const char* caption, int left, int top);
// Centres a dialog on the screen.
void CentreOnScreen(QDialog& dialog);
// Esc does not close the dialogs and Enter presses no button; true when the
// key was taken here.
bool SwallowDialogKey(QKeyEvent& event);
