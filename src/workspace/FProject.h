#pragma once
// The project dialog: the fifteen editable fields of a project on two tab
// pages. Ok checks the name and writes the record into the main window's
// project collection; Cancel and the frame's close box leave it untouched.

#include "store/Records.h"
#include "workspace/DialogSupport.h"


class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TMemo;

class TfrmProject : public TRecordDialog {
    Q_OBJECT
public:
    explicit TfrmProject(QWidget* parent = nullptr);

    // -1: add mode; otherwise the collection index of the project being edited.
    int EditIndex = -1;

    void FormCreate();
    // Loads the project at EditIndex into the controls.
    void ShowRecord();
    void AddRecord();
    void UpdateRecord();
    // Ok: checks the name, writes the record and closes, or warns and stays open.
    void bsSkinButton1Click();

    // The record the controls describe (Extra empty).
    TDProject RecordFromControls() const;

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
};
