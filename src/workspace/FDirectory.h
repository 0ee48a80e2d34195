#pragma once
// The directory dialog: the six editable fields of a directory. Ok checks the
// title and writes the record into the directory collection;
// Cancel and the frame's close box leave it untouched.

#include "store/Records.h"
#include "store/TDDirectories.h"
#include "workspace/DialogSupport.h"
#include "workspace/DirectoryListModel.h"


class QLineEdit;
class QPushButton;


class TfrmDirectory : public TRecordDialogOf<TDDirectory, TDDirectories> {
    Q_OBJECT
public:
    TfrmDirectory(TDDirectories& directories, TMessageBox& messages, QWidget* parent = nullptr);

    void FormCreate();
    TDDirectory RecordFromControls() const override;
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

protected:
    void ShowFields(const TDDirectory& d) override;
};
