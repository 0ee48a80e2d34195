#include "toolkit/SortedComboBox.h"

#include "common/UUtils.h"

#include <QDateTime>
#include <QKeyEvent>

TSortedComboBox::TSortedComboBox(QWidget* parent)
    : QComboBox(parent)
    , FClock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    setEditable(false);
    setMaxVisibleItems(8);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            FText = EntryAt(index);
    });
}

void TSortedComboBox::ClearEntries()
{
    clear();
    FTypeAhead.Reset();
}

void TSortedComboBox::AddEntry(const std::string& text)
{
    const QString shown = ToDisplay(text);
    // Entries are few (one per project); a linear search for the place is plenty.
    int position = count();
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(shown, Qt::CaseInsensitive) > 0) {
            position = i;
            break;
        }
    }
    const QSignalBlocker block(this);
    const int selected = currentIndex();
    insertItem(position, shown, QByteArray::fromStdString(text));
    // Inserting must not change the selection (Qt selects the first entry of an empty list).
    setCurrentIndex(selected >= position && selected >= 0 ? selected + 1 : selected);
}

void TSortedComboBox::RemoveEntry(int position)
{
    const QSignalBlocker block(this);
    removeItem(position);
}

std::string TSortedComboBox::EntryAt(int position) const
{
    return itemData(position).toByteArray().toStdString();
}

void TSortedComboBox::SelectPosition(int position)
{
    if (position >= count())
        position = -1;
    setCurrentIndex(position);
    if (position >= 0)
        FText = EntryAt(position);
}

void TSortedComboBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool letter = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::ShiftModifier;
    if (letter && typed.size() == 1 && typed[0].isPrint() && !typed[0].isSpace()) {
        QStringList entries;
        for (int i = 0; i < count(); ++i)
            entries << itemText(i);
        const int found = FTypeAhead.Feed(typed, FClock(), entries, currentIndex());
        if (found >= 0)
            SelectPosition(found);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
