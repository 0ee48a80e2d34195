#include "toolkit/InputGuard.h"

#include <QLineEdit>
#include <QToolTip>

bool TInputGuard::IsRefused(QChar c, TFieldKind kind)
{
    const char16_t u = c.unicode();
    if (u == u'^' || u == u'\0')
        return true;
    return kind == OneLine && (u == u'\r' || u == u'\n');
}

bool TInputGuard::Strip(QString& text, TFieldKind kind)
{
    const qsizetype before = text.size();
    text.removeIf([kind](QChar c) { return IsRefused(c, kind); });
    return text.size() != before;
}

QString TInputGuard::Hint(TFieldKind kind)
{
    return kind == OneLine ? QStringLiteral("\"^\" and line breaks cannot be used in this field.")
                           : QStringLiteral("\"^\" cannot be used in this field.");
}

void TInputGuard::ShowHint(QWidget& field, TFieldKind kind)
{
    QToolTip::showText(field.mapToGlobal(QPoint(0, field.height())), Hint(kind), &field);
}

void TInputGuard::Guard(QLineEdit& field)
{
    auto* validator = new TInputGuardValidator(field);
    QObject::connect(validator, &TInputGuardValidator::Refused, &field,
                     [&field] { ShowHint(field, OneLine); });
    field.setValidator(validator);
}

TInputGuardValidator::TInputGuardValidator(QLineEdit& field)
    : QValidator(&field)
{
}

QValidator::State TInputGuardValidator::validate(QString& input, int& pos) const
{
    // The cursor stays behind the same kept character.
    const QString beforeCursor = input.left(pos);
    int removedBeforeCursor = 0;
    for (QChar c : beforeCursor)
        if (TInputGuard::IsRefused(c, TInputGuard::OneLine))
            ++removedBeforeCursor;
    if (TInputGuard::Strip(input, TInputGuard::OneLine)) {
        pos -= removedBeforeCursor;
        emit Refused();
    }
    return Acceptable;
}
