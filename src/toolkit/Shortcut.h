#pragma once
// Keyboard shortcuts for buttons, named in their tooltips.

#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QShortcut;
class QWidget;

// "hint (keys)", the keys as the platform writes them: "Back (Alt+Left)".
QString ShortcutToolTip(const QString& hint, const QKeySequence& keys);

// Pressing `keys` clicks `button`, and the button's tooltip names the keys
// after `hint`. The shortcut belongs to `scope` (by default the button) and
// holds within `context` of it; like the button it does nothing while the
// button is disabled.
QShortcut* AddButtonShortcut(QAbstractButton& button, const QString& hint, const QKeySequence& keys,
                             Qt::ShortcutContext context = Qt::WindowShortcut, QWidget* scope = nullptr);
