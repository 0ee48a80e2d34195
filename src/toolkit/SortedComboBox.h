#pragma once
// A drop-down list whose entries stay in alphabetical order without regard
// to case, holding 8-bit texts. Besides the selected position it keeps a
// current text: selecting an entry sets it, deselecting leaves it.

#include "toolkit/TypeAhead.h"

#include <QComboBox>

#include <functional>
#include <string>

class TSortedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TSortedComboBox(QWidget* parent = nullptr);

    void ClearEntries();
    // Inserts `text` at its sorted place, after entries that compare equal.
    void AddEntry(const std::string& text);
    void RemoveEntry(int position);
    int EntryCount() const { return count(); }
    std::string EntryAt(int position) const;

    int SelectedPosition() const { return currentIndex(); }
    // Selects `position` (-1 for none); selecting an entry sets the text to its name.
    void SelectPosition(int position);

    const std::string& Text() const { return FText; }
    void SetText(std::string text) { FText = std::move(text); }

    // Source of key-press times for the type-ahead search; tests inject their own.
    void SetClock(std::function<qint64()> clock) { FClock = std::move(clock); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string FText;
    TTypeAhead FTypeAhead;
    std::function<qint64()> FClock;
};
