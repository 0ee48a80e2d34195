#pragma once
// Keeps characters out of text fields that the data files cannot hold inside
// a field: "^" separates fields, CR and LF end a record line and NUL ends the
// text; in memo text "$$" is the stored form of a line break, so a second "$"
// next to a "$" would come back as one. They are refused where they are
// typed, pasted or dropped, and a short hint beside the field says why.

#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

class TInputGuard {
public:
    enum TFieldKind {
        OneLine,   // one record field on one line: no "^", no line breaks, no NUL
        MultiLine, // memo text, whose line breaks are stored as "$$": no "^", no NUL, no "$$"
    };

    static bool IsRefused(QChar c, TFieldKind kind);
    // Removes the refused characters from `text`; true when any was removed.
    static bool Strip(QString& text, TFieldKind kind);
    // The same for `text` about to be inserted between the characters
    // `before` and `after` (a null QChar at either end of the field): in memo
    // text every "$" that would make "$$" with its neighbour is removed too.
    static bool StripInsert(QString& text, TFieldKind kind, QChar before, QChar after);
    // True when removing the text between two neighbours would make "$$".
    static bool WouldJoinPair(QChar before, QChar after, TFieldKind kind);
    static QString Hint(TFieldKind kind);
    // Shows the hint under `field` for a few seconds.
    static void ShowHint(QWidget& field, TFieldKind kind);

    // Installs the guard on a one-line field (owned by the field).
    static void Guard(QLineEdit& field);
};

// The validator behind TInputGuard::Guard: it takes the refused characters out
// of every edit (typing, paste, drop) and keeps the rest of the edit.
class TInputGuardValidator : public QValidator {
    Q_OBJECT
public:
    explicit TInputGuardValidator(QLineEdit& field);

    State validate(QString& input, int& pos) const override;

signals:
    void Refused() const;
};
