#pragma once
// A multi-line text field as the dialogs use it: lines are not wrapped, both
// scroll bars always show, Tab moves on to the next control, and characters
// the data files cannot hold ("^", NUL, and a "$" next to a "$", which would
// be read back as a line break) are refused with a hint.

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

private:
    // Strips what may not be inserted in place of the current selection.
    bool StripForCursor(QString& text) const;
    // True when the deletion `event` asks for would join two "$".
    bool DeletionJoinsPair(QKeyEvent* event) const;
};
