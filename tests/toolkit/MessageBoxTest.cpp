#include "toolkit/MessageBox.h"
#include "toolkit/ModalHook.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::vector<QString> Captions(const TMessageDialog& dialog)
{
    std::vector<QString> captions;
    for (int flag : dialog.ButtonOrder())
        captions.push_back(dialog.Button(flag)->text());
    return captions;
}

// Shows the box, sends one key and returns the result it closed with (0 if still open).
int ResultOfKey(int buttons, Qt::Key key)
{
    TMessageDialog dialog(QStringLiteral("text"), mkInformation, buttons);
    dialog.show();
    QTest::keyClick(&dialog, key);
    return dialog.isVisible() ? 0 : dialog.ResultCode();
}

} // namespace

TEST(MessageBox, KindsGiveTitles)
{
    EXPECT_EQ(TMessageDialog::TitleFor(mkWarning), "Warning");
    EXPECT_EQ(TMessageDialog::TitleFor(mkError), "Error");
    EXPECT_EQ(TMessageDialog::TitleFor(mkInformation), "Information");
    EXPECT_EQ(TMessageDialog::TitleFor(mkConfirmation), "Confirm");
    EXPECT_EQ(TMessageDialog::TitleFor(mkCustom), "Tarnwick");

    TMessageDialog warning(QStringLiteral("Line one\r\nLine two"), mkWarning, MsgButton::OK);
    EXPECT_EQ(warning.windowTitle(), "Warning");
    EXPECT_EQ(warning.findChild<QLabel*>(QStringLiteral("messageText"))->text(), "Line one\nLine two");
}

TEST(MessageBox, ButtonsInFixedOrderWithCaptions)
{
    TMessageDialog all(QStringLiteral("x"), mkCustom, 2047);
    EXPECT_EQ(Captions(all), (std::vector<QString>{"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry",
                                                    "&Ignore", "&All", "N&oToAll", "&YesToAll", "&Help"}));
    // Flags given in any order still show left to right in the fixed order.
    TMessageDialog question(QStringLiteral("x"), mkInformation, MsgButton::Cancel | MsgButton::OK);
    EXPECT_EQ(Captions(question), (std::vector<QString>{"OK", "Cancel"}));
}

TEST(MessageBox, EachButtonGivesItsResult)
{
    const std::pair<int, int> expected[] = {
        {MsgButton::OK, 1}, {MsgButton::Cancel, 2}, {MsgButton::Abort, 3}, {MsgButton::Retry, 4},
        {MsgButton::Ignore, 5}, {MsgButton::Yes, 6}, {MsgButton::No, 7}, {MsgButton::All, 8},
        {MsgButton::NoToAll, 9}, {MsgButton::YesToAll, 10}};
    for (auto [flag, result] : expected) {
        TMessageDialog dialog(QStringLiteral("x"), mkInformation, MsgButton::OK | MsgButton::Cancel | flag);
        dialog.show();
        dialog.Button(flag)->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.ResultCode(), result) << "button " << flag;
    }
}

TEST(MessageBox, EnterAndEscapeDefaults)
{
    // Enter: OK if present, else Yes, else Retry.
    EXPECT_EQ(ResultOfKey(MsgButton::OK | MsgButton::Cancel, Qt::Key_Return), MsgResult::OK);
    EXPECT_EQ(ResultOfKey(MsgButton::Yes | MsgButton::No | MsgButton::OK, Qt::Key_Enter), MsgResult::OK);
    EXPECT_EQ(ResultOfKey(MsgButton::Yes | MsgButton::No, Qt::Key_Return), MsgResult::Yes);
    EXPECT_EQ(ResultOfKey(MsgButton::Retry | MsgButton::Cancel, Qt::Key_Return), MsgResult::Retry);
    EXPECT_EQ(ResultOfKey(MsgButton::Abort | MsgButton::Ignore, Qt::Key_Return), 0);
    // Esc: Cancel if present, else No, else OK.
    EXPECT_EQ(ResultOfKey(MsgButton::OK | MsgButton::Cancel, Qt::Key_Escape), MsgResult::Cancel);
    EXPECT_EQ(ResultOfKey(MsgButton::Yes | MsgButton::No, Qt::Key_Escape), MsgResult::No);
    EXPECT_EQ(ResultOfKey(MsgButton::OK, Qt::Key_Escape), MsgResult::OK);
    EXPECT_EQ(ResultOfKey(MsgButton::Abort | MsgButton::Retry, Qt::Key_Escape), 0);
}

TEST(MessageBox, FrameCloseGivesCancel)
{
    for (int buttons : {int(MsgButton::OK), MsgButton::OK | MsgButton::Cancel, MsgButton::Yes | MsgButton::No}) {
        TMessageDialog dialog(QStringLiteral("x"), mkWarning, buttons);
        dialog.show();
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.ResultCode(), MsgResult::Cancel);
    }
}

TEST(MessageBox, TheProgramsCombinationsThroughTheModalHook)
{
    TMessageBox::ClearScript();
    TMessageBox box;
    struct Case { int kind; int buttons; QString press; int result; };
    const Case cases[] = {
        {mkWarning, MsgButton::OK, "OK", MsgResult::OK},
        {mkInformation, MsgButton::OK, "OK", MsgResult::OK},
        {mkInformation, MsgButton::OK | MsgButton::Cancel, "OK", MsgResult::OK},
        {mkInformation, MsgButton::OK | MsgButton::Cancel, "Cancel", MsgResult::Cancel},
        {mkError, MsgButton::OK, "OK", MsgResult::OK},
    };
    for (const Case& c : cases) {
        QString seenTitle;
        TModalHook previous = SetModalHook([&](QDialog& dialog) {
            seenTitle = dialog.windowTitle();
            auto& box = static_cast<TMessageDialog&>(dialog);
            for (int flag : box.ButtonOrder())
                if (box.Button(flag)->text() == c.press)
                    box.Button(flag)->click();
            return dialog.result();
        });
        EXPECT_EQ(box.ShowMessageBox(QStringLiteral("question"), c.kind, c.buttons), c.result);
        EXPECT_EQ(seenTitle, TMessageDialog::TitleFor(c.kind));
        SetModalHook(previous);
    }
    EXPECT_EQ(TMessageBox::Shown().size(), std::size(cases));
}

TEST(MessageBox, ScriptedAnswersAreTakenInOrderAndRecorded)
{
    TMessageBox::ClearScript();
    TMessageBox::SetNextAnswer(MsgResult::Cancel);
    TMessageBox::SetNextAnswer(MsgResult::OK);
    TMessageBox box;
    EXPECT_EQ(box.ShowMessageBox(QStringLiteral("first"), mkInformation, MsgButton::OK | MsgButton::Cancel),
              MsgResult::Cancel);
    EXPECT_EQ(box.ShowMessageBox(QStringLiteral("second"), mkWarning, MsgButton::OK), MsgResult::OK);
    EXPECT_FALSE(TMessageBox::HasScriptedAnswer());
    ASSERT_EQ(TMessageBox::Shown().size(), 2u);
    EXPECT_EQ(TMessageBox::Shown()[1].Text, "second");
    EXPECT_EQ(TMessageBox::Shown()[1].Kind, mkWarning);
    EXPECT_EQ(TMessageBox::Shown()[1].Buttons, MsgButton::OK);
    TMessageBox::ClearScript();
}
