#include "toolkit/Shortcut.h"

#include <QAbstractButton>
#include <QShortcut>

QString ShortcutToolTip(const QString& hint, const QKeySequence& keys)
{
    return hint + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

QShortcut* AddButtonShortcut(QAbstractButton& button, const QString& hint, const QKeySequence& keys,
                             Qt::ShortcutContext context, QWidget* scope)
{
    auto* shortcut = new QShortcut(keys, scope ? scope : &button);
    shortcut->setContext(context);
    QObject::connect(shortcut, &QShortcut::activated, &button, [&button] {
        if (button.isEnabled())
            button.click();
    });
    button.setToolTip(ShortcutToolTip(hint, keys));
    return shortcut;
}
