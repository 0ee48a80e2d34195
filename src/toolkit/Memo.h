#pragma once
// A multi-line text field as the dialogs use it: lines are not wrapped, both
// scroll bars always show, Tab moves on to the next control, and characters
// the data files cannot hold ("^", NUL) are refused with a hint.

#include <QPlainTextEdit>

class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    // The text exactly as typed, lines joined by LF (soft line breaks count as
    // line breaks; no-break spaces stay, unlike toPlainText()).
    QString Lines() const;
    // Shows `text`, whose lines are joined by LF.
    void SetLines(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};
