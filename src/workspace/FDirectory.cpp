#include "workspace/FDirectory.h"

#include "common/UUtils.h"
#include "store/TDDirectories.h"
#include "workspace/RecordEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <iterator>

namespace {

constexpr int ClientWidth = 373;
constexpr int ClientHeight = 235;

std::string FieldText(const QLineEdit* field)
{
    return FromDisplay(field->text());
}

} // namespace

TfrmDirectory::TfrmDirectory(TDDirectories& directories, TMessageBox& messages, QWidget* parent)
    : TRecordDialogOf(directories, messages, QStringLiteral("Please specify a directory name!"),
                      QStringLiteral("This directory name already exists. Please specify a new name."), parent)
{
    setObjectName(QStringLiteral("frmDirectory"));
    setWindowTitle(QStringLiteral("Add Directory"));
    setFixedSize(ClientWidth, ClientHeight);

    // The buttons come first: they lead the tab order, so the dialog opens on "Ok".
    bsSkinButton1 = MakeDialogButton(this, "Ok", 119, 194);
    bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    bsSkinButton2 = MakeDialogButton(this, "Cancel", 200, 194);
    bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    connect(bsSkinButton1, &QPushButton::clicked, this, &TfrmDirectory::bsSkinButton1Click);
    connect(bsSkinButton2, &QPushButton::clicked, this, &QDialog::reject);

    struct TField {
        const char* Caption;
        const char* Name;
        QLineEdit** Field;
        int Top;
    };
    const TField fields[] = {
        {"Title:", "edtTitle", &edtTitle, 13},
        {"URL:", "edtURL", &edtURL, 43},
        {"Category", "edtCategory", &edtCategory, 71},
        {"Type:", "edtType", &edtType, 101},
        {"Page Rank:", "edtPageRank", &edtPageRank, 132},
        {"Alexa Rank:", "edtAlexaRank", &edtAlexaRank, 162},
    };
    for (const TField& f : fields) {
        QLabel* label = MakeFieldLabel(this, f.Caption, 10, f.Top + 3);
        *f.Field = MakeLineField(this, label, f.Name, 79, f.Top, 268);
    }

    QWidget* order[] = {bsSkinButton1, bsSkinButton2, edtTitle, edtURL,
                        edtCategory, edtType, edtPageRank, edtAlexaRank};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    FormCreate();
}

void TfrmDirectory::FormCreate()
{
    EditIndex = -1;
    bsSkinButton1->setFocus();
}

void TfrmDirectory::ShowFields(const TDDirectory& d)
{
    edtTitle->setText(ToDisplay(d.Title));
    edtURL->setText(ToDisplay(d.URL));
    edtCategory->setText(ToDisplay(d.Category));
    edtType->setText(ToDisplay(d.Type));
    edtPageRank->setText(ToDisplay(d.PageRank));
    edtAlexaRank->setText(ToDisplay(d.AlexaRank));
}

TDDirectory TfrmDirectory::RecordFromControls() const
{
    TDDirectory d;
    d.Title = FieldText(edtTitle);
    d.URL = FieldText(edtURL);
    d.Category = FieldText(edtCategory);
    d.Type = FieldText(edtType);
    d.PageRank = FieldText(edtPageRank);
    d.AlexaRank = FieldText(edtAlexaRank);
    return d;
}

TDirectoryRow TfrmDirectory::RowFromControls() const
{
    return TDirectoryRow::FromDirectory(RecordFromControls());
}
