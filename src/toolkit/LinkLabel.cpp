#include "toolkit/LinkLabel.h"

#include "common/AddressPolicy.h"
#include "common/UUtils.h"

#include <QKeyEvent>
#include <QMouseEvent>

TLinkLabel::TLinkLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::TabFocus);
    SetAddress({});
}

void TLinkLabel::SetAddress(const std::string& address)
{
    FAddress = address;
    FIsLink = AddressPolicy::ForOpener(ToDisplay(address)).has_value();
    QFont f = font();
    f.setUnderline(FIsLink);
    setFont(f);
    if (FIsLink)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    SetActive(false);
}

void TLinkLabel::SetCaption(const std::string& caption)
{
    setText(ToDisplay(caption));
    setAccessibleName(text());
    adjustSize();
}

std::string TLinkLabel::Caption() const
{
    return FromDisplay(text());
}

void TLinkLabel::SetActive(bool active)
{
    QPalette p = palette();
    if (FIsLink)
        p.setColor(QPalette::WindowText, active ? QColor(0, 0, 255) : QColor(0, 0, 128));
    else
        p.setColor(QPalette::WindowText, QPalette().color(QPalette::WindowText));
    setPalette(p);
}

void TLinkLabel::Activate()
{
    // Only an address the desktop may be handed is a link.
    if (FIsLink)
        emit Clicked(FAddress);
}

void TLinkLabel::enterEvent(QEnterEvent* event)
{
    SetActive(true);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    SetActive(false);
    QLabel::leaveEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Activate();
    QLabel::mouseReleaseEvent(event);
}

void TLinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        Activate();
        return;
    }
    QLabel::keyPressEvent(event);
}
