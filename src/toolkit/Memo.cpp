#include "toolkit/Memo.h"

#include "toolkit/InputGuard.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

bool TMemo::StripForCursor(QString& text) const
{
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QChar before = start > 0 ? document()->characterAt(start - 1) : QChar();
    return TInputGuard::StripInsert(text, TInputGuard::MultiLine, before, document()->characterAt(end));
}

bool TMemo::DeletionJoinsPair(QKeyEvent* event) const
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        if (event->matches(QKeySequence::DeleteStartOfWord))
            cursor.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        else if (event->matches(QKeySequence::DeleteEndOfWord))
            cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        else if (event->key() == Qt::Key_Backspace)
            cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        else if (event->key() == Qt::Key_Delete)
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        else
            return false;
    } else if (!(event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete
                 || event->matches(QKeySequence::Cut))) {
        return false;
    }
    const int start = cursor.selectionStart();
    const QChar before = start > 0 ? document()->characterAt(start - 1) : QChar();
    return TInputGuard::WouldJoinPair(before, document()->characterAt(cursor.selectionEnd()),
                                      TInputGuard::MultiLine);
}

void TMemo::keyPressEvent(QKeyEvent* event)
{
    if (DeletionJoinsPair(event)) {
        TInputGuard::ShowHint(*this, TInputGuard::MultiLine);
        event->accept();
        return;
    }
    QString typed = event->text();
    if (!typed.isEmpty() && StripForCursor(typed)) {
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
    if (StripForCursor(commit)) {
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
    if (StripForCursor(text))
        TInputGuard::ShowHint(*this, TInputGuard::MultiLine);
    insertPlainText(text);
}
