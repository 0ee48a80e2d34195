#pragma once
// Building blocks shared by the project and directory dialogs.

#include "toolkit/MessageBox.h"
#include "workspace/RecordEdit.h"

#include <QDialog>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What the project and directory dialogs share: modal, centred on the
// screen, Esc closes nothing and Enter presses no button, and Ok: the name
// checked (a warning keeps the dialog open), then the record added or
// rewritten and the dialog closed.
class TRecordDialog : public QDialog {
    Q_OBJECT
public:
    TRecordDialog(TMessageBox& messages, QString blankWarning, QString takenWarning, QWidget* parent = nullptr);

    // -1: add mode; otherwise the collection index of the record being edited.
    int EditIndex = -1;
    // The collection index Ok wrote, or -1 while nothing was written.
    int WrittenIndex() const { return FWrittenIndex; }

    // Ok: checks the name, writes the record and closes, or warns and stays open.
    void bsSkinButton1Click();

protected:
    virtual TNameCheck CheckName() const = 0;
    // Adds (add mode) or rewrites the record; returns its collection index.
    virtual int WriteRecord() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TMessageBox& FMessages;
    QString FBlankWarning;
    QString FTakenWarning;
    int FWrittenIndex = -1;
};

// The record dialog over one collection, which it gets when it is made.
template <typename TRecord, typename TCollection>
class TRecordDialogOf : public TRecordDialog {
public:
    TRecordDialogOf(TCollection& records, TMessageBox& messages, QString blankWarning,
                    QString takenWarning, QWidget* parent)
        : TRecordDialog(messages, std::move(blankWarning), std::move(takenWarning), parent)
        , FRecords(records)
    {
    }

    // The record the controls describe (Extra empty).
    virtual TRecord RecordFromControls() const = 0;
    // Loads the record at EditIndex into the controls.
    void ShowRecord() { ShowFields(FRecords.RecordAt(EditIndex)); }
    // The name the name field holds, whatever became of the dialog.
    std::string TypedName() const { return RecordName(RecordFromControls()); }

    void AddRecord() { AddRecordTo(FRecords, RecordFromControls()); }
    void UpdateRecord() { UpdateRecordIn(FRecords, EditIndex, RecordFromControls()); }

protected:
    virtual void ShowFields(const TRecord& record) = 0;

    TNameCheck CheckName() const override { return CheckRecordName(FRecords, EditIndex, TypedName()); }
    int WriteRecord() override
    {
        if (EditIndex >= 0) {
            UpdateRecord();
            return EditIndex;
        }
        return AddRecordTo(FRecords, RecordFromControls());
    }

    TCollection& FRecords;
};

// A label at a fixed place.
QLabel* MakeFieldLabel(QWidget* parent, const char* caption, int left, int top);
// A one-line field at a fixed place, described by `label`, without a length
// limit and guarded against characters the data files cannot hold.
QLineEdit* MakeLineField(QWidget* parent, QLabel* label, const char* name, int left, int top, int width);
// A dialog button that neither Enter nor Esc presses.
QPushButton* MakeDialogButton(QWidget* parent, const char* caption, int left, int top);
