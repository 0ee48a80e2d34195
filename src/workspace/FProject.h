#pragma once
// The project dialog: the fifteen editable fields of a project on two tab
// pages. Ok checks the name and writes the record into the project
// collection; Cancel and the frame's close box leave it untouched.

#include "store/Records.h"
#include "store/TDProjects.h"
#include "workspace/DialogSupport.h"


class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TMemo;


class TfrmProject : public TRecordDialogOf<TDProject, TDProjects> {
    Q_OBJECT
public:
    TfrmProject(TDProjects& projects, TMessageBox& messages, QWidget* parent = nullptr);

    void FormCreate();
    TDProject RecordFromControls() const override;

    QLabel* lblProjName = nullptr;
    QLineEdit* edtProjName = nullptr;
    QTabWidget* bsSkinPageControl1 = nullptr;
    QWidget* bsSkinTabSheet1 = nullptr; // "Personal Information"
    QWidget* bsSkinTabSheet2 = nullptr; // "Website Information"

    QLineEdit* edtFirstName = nullptr;
    QLineEdit* edtLastName = nullptr;
    QLineEdit* edtEmail = nullptr;
    QLineEdit* edtUsername = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLineEdit* edtAddress = nullptr;
    QLineEdit* edtCity = nullptr;
    QLineEdit* edtState = nullptr;
    QLineEdit* edtZip = nullptr;

    QLineEdit* edtMainURL = nullptr;
    QLineEdit* edtRecpURL = nullptr;
    TMemo* memTitles = nullptr;
    TMemo* memDescription = nullptr;
    TMemo* memKeywords = nullptr;

    QPushButton* bsSkinButton1 = nullptr; // "Ok"
    QPushButton* bsSkinButton2 = nullptr; // "Cancel"

protected:
    void ShowFields(const TDProject& p) override;
};
