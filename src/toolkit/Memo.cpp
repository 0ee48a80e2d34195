#include "toolkit/Memo.h"

#include "toolkit/InputGuard.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>

TMemo::TMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

QString TMemo::Lines() const
{
    QString text = document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
    return text;
}

void TMemo::SetLines(const QString& text)
{
    setPlainText(text);
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    QString typed = event->text();
    if (!typed.isEmpty() && TInputGuard::Strip(typed, TInputGuard::MultiLine)) {
        TInputGuard::ShowHint(*this, TInputGuard::MultiLine);
        event->accept();
        if (!typed.isEmpty())
            insertPlainText(typed);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent* event)
{
    QString commit = event->commitString();
    if (TInputGuard::Strip(commit, TInputGuard::MultiLine)) {
        TInputGuard::ShowHint(*this, TInputGuard::MultiLine);
        QInputMethodEvent cleaned(event->preeditString(), event->attributes());
        cleaned.setCommitString(commit, event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&cleaned);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TMemo::insertFromMimeData(const QMimeData* source)
{
    // Pasted and dropped text arrives here; rich content is taken as plain text anyway.
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    if (TInputGuard::Strip(text, TInputGuard::MultiLine))
        TInputGuard::ShowHint(*this, TInputGuard::MultiLine);
    insertPlainText(text);
}
