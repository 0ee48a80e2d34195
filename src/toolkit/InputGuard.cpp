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

bool TInputGuard::StripInsert(QString& text, TFieldKind kind, QChar before, QChar after)
{
    bool removed = Strip(text, kind);
    if (kind != MultiLine)
        return removed;
    const QChar dollar(u'$');
    QString kept;
    kept.reserve(text.size());
    QChar previous = before;
    for (QChar c : text) {
        if (c == dollar && previous == dollar) {
            removed = true;
            continue;
        }
        kept.append(c);
        previous = c;
    }
    if (!kept.isEmpty() && kept.back() == dollar && after == dollar) {
        kept.chop(1);
        removed = true;
    }
    text = kept;
    return removed;
}

bool TInputGuard::WouldJoinPair(QChar before, QChar after, TFieldKind kind)
{
    return kind == MultiLine && before == u'$' && after == u'$';
}

QString TInputGuard::Hint(TFieldKind kind)
{
    return kind == OneLine ? QStringLiteral("\"^\" and line breaks cannot be used in this field.")
                           : QStringLiteral("\"^\" and \"$$\" cannot be used in this field.");
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
