#include "workspace/FProject.h"

#include "common/UUtils.h"
#include "store/TDProjects.h"
#include "toolkit/Memo.h"
#include "workspace/MemoText.h"
#include "workspace/RecordEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <iterator>

namespace {

constexpr int ClientWidth = 485;
constexpr int ClientHeight = 413;

TMemo* MakeMemo(QWidget* page, QLabel* label, const char* name, int top)
{
    auto* memo = new TMemo(page);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(12, top, 430, 55);
    label->setBuddy(memo);
    memo->setAccessibleName(label->text());
    return memo;
}

std::string FieldText(const QLineEdit* field)
{
    return FromDisplay(field->text());
}

} // namespace

TfrmProject::TfrmProject(TDProjects& projects, TMessageBox& messages, QWidget* parent)
    : TRecordDialogOf(projects, messages, QStringLiteral("Please specify a project name!"),
                      QStringLiteral("This project name already exists. Please specify a new name."), parent)
{
    setObjectName(QStringLiteral("frmProject"));
    setWindowTitle(QStringLiteral("Add Project"));
    setFixedSize(ClientWidth, ClientHeight);

    lblProjName = MakeFieldLabel(this, "Project Name:", 8, 11);
    // The label ends just before its field, however wide the font draws it.
    lblProjName->move(std::max(0, 80 - lblProjName->width()), 11);
    edtProjName = MakeLineField(this, lblProjName, "edtProjName", 83, 8, 126);
    edtProjName->setMaxLength(15);

    bsSkinPageControl1 = new QTabWidget(this);
    bsSkinPageControl1->setObjectName(QStringLiteral("bsSkinPageControl1"));
    bsSkinPageControl1->setGeometry(8, 36, 457, 333);
    // Its tab bar is the one stop of the page control in the tab order (the
    // policy set on the control passes on to the bar, so the bar's comes after).
    bsSkinPageControl1->setFocusPolicy(Qt::NoFocus);
    bsSkinPageControl1->tabBar()->setFocusPolicy(Qt::TabFocus);
    bsSkinTabSheet1 = new QWidget;
    bsSkinTabSheet2 = new QWidget;
    bsSkinPageControl1->addTab(bsSkinTabSheet1, QStringLiteral("Personal Information"));
    bsSkinPageControl1->addTab(bsSkinTabSheet2, QStringLiteral("Website Information"));

    // Personal Information: nine fields at left 104, 338 wide.
    struct TPersonalField {
        const char* Caption;
        const char* Name;
        QLineEdit** Field;
        int Top;
    };
    const TPersonalField personal[] = {
        {"First Name:", "edtFirstName", &edtFirstName, 13},
        {"Last Name:", "edtLastName", &edtLastName, 45},
        {"Email:", "edtEmail", &edtEmail, 78},
        {"Username:", "edtUsername", &edtUsername, 111},
        {"Password:", "edtPassword", &edtPassword, 144},
        {"Address:", "edtAddress", &edtAddress, 176},
        {"City:", "edtCity", &edtCity, 209},
        {"State/Province:", "edtState", &edtState, 242},
        {"Zip/Postal Code:", "edtZip", &edtZip, 275},
    };
    for (const TPersonalField& f : personal) {
        QLabel* label = MakeFieldLabel(bsSkinTabSheet1, f.Caption, 10, f.Top + 3);
        *f.Field = MakeLineField(bsSkinTabSheet1, label, f.Name, 104, f.Top, 338);
    }
    // Directory-site passwords are kept and shown as plain text.
    edtPassword->setEchoMode(QLineEdit::Normal);

    // Website Information.
    QLabel* lblMainURL = MakeFieldLabel(bsSkinTabSheet2, "URL:", 12, 16);
    edtMainURL = MakeLineField(bsSkinTabSheet2, lblMainURL, "edtMainURL", 97, 13, 345);
    QLabel* lblRecpURL = MakeFieldLabel(bsSkinTabSheet2, "Reciprocal URL:", 12, 40);
    edtRecpURL = MakeLineField(bsSkinTabSheet2, lblRecpURL, "edtRecpURL", 97, 37, 345);
    QLabel* lblTitles = MakeFieldLabel(
        bsSkinTabSheet2, "Specify the titles, one per line. It will be posted in this order:", 12, 67);
    memTitles = MakeMemo(bsSkinTabSheet2, lblTitles, "memTitles", 85);
    QLabel* lblDescription = MakeFieldLabel(
        bsSkinTabSheet2, "Specify the descriptions, one per line. It will be posted in this order:", 12, 148);
    memDescription = MakeMemo(bsSkinTabSheet2, lblDescription, "memDescription", 166);
    QLabel* lblKeywords = MakeFieldLabel(
        bsSkinTabSheet2, "Specify the keywords, one set per line. It will be posted in this order:", 12, 230);
    memKeywords = MakeMemo(bsSkinTabSheet2, lblKeywords, "memKeywords", 248);

    bsSkinButton1 = MakeDialogButton(this, "Ok", 157, 378);
    bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    bsSkinButton2 = MakeDialogButton(this, "Cancel", 238, 378);
    bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    connect(bsSkinButton1, &QPushButton::clicked, this, &TfrmProject::bsSkinButton1Click);
    connect(bsSkinButton2, &QPushButton::clicked, this, &QDialog::reject);

    // Tab order: name, page control and the fields of its pages, Ok, Cancel.
    QWidget* order[] = {edtProjName, bsSkinPageControl1->tabBar(), edtFirstName, edtLastName, edtEmail,
                        edtUsername, edtPassword, edtAddress, edtCity, edtState, edtZip,
                        edtMainURL, edtRecpURL, memTitles, memDescription, memKeywords,
                        bsSkinButton1, bsSkinButton2};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    FormCreate();
}

void TfrmProject::FormCreate()
{
    bsSkinPageControl1->setCurrentIndex(0);
    EditIndex = -1;
    edtProjName->setFocus();
}

void TfrmProject::ShowFields(const TDProject& p)
{
    edtProjName->setText(ToDisplay(p.ProjName));
    edtFirstName->setText(ToDisplay(p.FirstName));
    edtLastName->setText(ToDisplay(p.LastName));
    edtEmail->setText(ToDisplay(p.Email));
    edtUsername->setText(ToDisplay(p.Username));
    edtPassword->setText(ToDisplay(p.Password));
    edtAddress->setText(ToDisplay(p.Address));
    edtCity->setText(ToDisplay(p.City));
    edtState->setText(ToDisplay(p.State));
    edtZip->setText(ToDisplay(p.Zip));
    edtMainURL->setText(ToDisplay(p.MainURL));
    edtRecpURL->setText(ToDisplay(p.RecpURL));
    memTitles->SetLines(MemoTextFromStored(p.Titles));
    memDescription->SetLines(MemoTextFromStored(p.Description));
    memKeywords->SetLines(MemoTextFromStored(p.Keywords));
}

TDProject TfrmProject::RecordFromControls() const
{
    TDProject p;
    p.ProjName = FieldText(edtProjName);
    p.FirstName = FieldText(edtFirstName);
    p.LastName = FieldText(edtLastName);
    p.Email = FieldText(edtEmail);
    p.Username = FieldText(edtUsername);
    p.Password = FieldText(edtPassword);
    p.Address = FieldText(edtAddress);
    p.City = FieldText(edtCity);
    p.State = FieldText(edtState);
    p.Zip = FieldText(edtZip);
    p.MainURL = FieldText(edtMainURL);
    p.RecpURL = FieldText(edtRecpURL);
    p.Titles = StoredFromMemoText(memTitles->Lines());
    p.Description = StoredFromMemoText(memDescription->Lines());
    p.Keywords = StoredFromMemoText(memKeywords->Lines());
    return p;
}
