#pragma once
// The directory dialog: the six editable fields of a directory. Ok checks the
// title and writes the record into the main window's directory collection;
// Cancel and the frame's close box leave it untouched.

#include "store/Records.h"
#include "workspace/DialogSupport.h"
#include "workspace/DirectoryListModel.h"


class QLineEdit;
class QPushButton;

class TfrmDirectory : public TRecordDialog {
    Q_OBJECT
public:
    explicit TfrmDirectory(QWidget* parent = nullptr);

    // -1: add mode; otherwise the collection index of the directory being edited.
    int EditIndex = -1;

    void FormCreate();
    // Puts the directory at EditIndex into the controls.
    void ShowRecord();
    void AddRecord();
    void UpdateRecord();
    // Ok: checks the title, writes the record and closes, or warns and stays open.
    void bsSkinButton1Click();

    // The record the controls describe (Extra empty).
    TDDirectory RecordFromControls() const;
    // The list row the controls describe.
    TDirectoryRow RowFromControls() const;

    QLineEdit* edtTitle = nullptr;
    QLineEdit* edtURL = nullptr;
    QLineEdit* edtCategory = nullptr;
    QLineEdit* edtType = nullptr;
    QLineEdit* edtPageRank = nullptr;
    QLineEdit* edtAlexaRank = nullptr;

    QPushButton* bsSkinButton1 = nullptr; // "Ok"
    QPushButton* bsSkinButton2 = nullptr; // "Cancel"
};
