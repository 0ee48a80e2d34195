#include "toolkit/LinkDelegate.h"

#include "common/AddressPolicy.h"

namespace {

const QLatin1String SchemeMark("://");
const QLatin1String MailMark("mailto:");

} // namespace

bool IsLinkText(const QString& text)
{
    // Only what the desktop's opener may receive is drawn and clicked as a
    // link: a file: or javascript: cell from an imported list stays text.
    return !text.contains(QLatin1String("</")) && AddressPolicy::IsOpenerLink(text);
}

QString LinkDisplayText(const QString& text)
{
    const qsizetype scheme = text.indexOf(SchemeMark);
    const qsizetype mail = text.indexOf(MailMark);
    if (scheme < 0 && mail < 0)
        return text;
    // Whichever mark comes first ends the part that is left out.
    if (mail < 0 || (scheme >= 0 && scheme < mail))
        return text.mid(scheme + SchemeMark.size());
    return text.mid(mail + MailMark.size());
}

void TLinkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!IsLinkText(option->text))
        return;
    option->text = LinkDisplayText(option->text);
    if (option->state & QStyle::State_Selected)
        return; // drawn like any other text in the selection colours
    option->font.setUnderline(true);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        option->palette.setColor(group, QPalette::Text, LinkColour());
}
