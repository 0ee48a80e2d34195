#pragma once
// Cells that hold a web or mail address are drawn as links: the scheme part
// left out, underlined and blue while the row is not selected. Any other
// scheme (file:, javascript:, ftp:...) is plain text.

#include <QStyledItemDelegate>

// A text that is a whole http, https or mailto address and holds no "</"
// (which would be markup).
bool IsLinkText(const QString& text);
// The text without everything up to and including the first "://" or "mailto:".
QString LinkDisplayText(const QString& text);

class TLinkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor LinkColour() { return QColor(0, 0, 255); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
