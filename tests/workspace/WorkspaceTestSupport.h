#pragma once
// Helpers for the workspace tests: a main window over a fresh application
// directory, dialogs driven by script in place of their modal loop, and
// typing into fields the way a user does.

#include "TestSupport.h"

#include "shell/FMain.h"
#include "workspace/WorkspacePane.h"
#include "toolkit/MessageBox.h"
#include "toolkit/ModalHook.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

// Runs `script` in place of the modal loop of every dialog of kind TDialog
// opened while it lives; any other modal window fails the test, and so does
// a script that never ran. The dialog is shown first and must be closed by
// the script.
template <typename TDialog>
class TScriptedDialog {
public:
    explicit TScriptedDialog(std::function<void(TDialog&)> script)
        : FScript(std::move(script))
    {
        FPrevious = SetModalHook([this](QDialog& shown) {
            auto* dialog = qobject_cast<TDialog*>(&shown);
            if (!dialog) {
                ADD_FAILURE() << "Unexpected modal window: " << shown.windowTitle().toStdString();
                return static_cast<int>(QDialog::Rejected);
            }
            ++FRuns;
            dialog->show();
            FScript(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "The script left the dialog open";
                dialog->reject();
            }
            return dialog->result();
        });
    }
    ~TScriptedDialog()
    {
        SetModalHook(std::move(FPrevious));
        if (FRuns == 0)
            ADD_FAILURE() << "The scripted dialog never opened";
    }
    TScriptedDialog(const TScriptedDialog&) = delete;
    TScriptedDialog& operator=(const TScriptedDialog&) = delete;

    int Runs() const { return FRuns; }

private:
    std::function<void(TDialog&)> FScript;
    TModalHook FPrevious;
    int FRuns = 0;
};

// Replaces the field's text by typing, as a user does after selecting it all.
inline void TypeInto(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Clicks a button with the mouse.
inline void Click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Presses Ok where no warning is expected; true when the dialog closed.
template <typename TDialog>
bool PressOk(TDialog& dialog)
{
    Click(dialog.bsSkinButton1);
    return !dialog.isVisible();
}

// Presses Ok where a warning is expected and answers it with OK; returns its
// text, or empty when none came. The dialog must stay open.
template <typename TDialog>
std::string PressOkForWarning(TDialog& dialog)
{
    const size_t before = TMessageBox::Shown().size();
    TMessageBox::SetNextAnswer(MsgResult::OK);
    Click(dialog.bsSkinButton1);
    if (TMessageBox::Shown().size() != before + 1) {
        ADD_FAILURE() << "Ok showed no warning";
        TMessageBox::ClearScript();
        return {};
    }
    const TShownMessage& shown = TMessageBox::Shown().back();
    EXPECT_EQ(shown.Kind, mkWarning);
    EXPECT_EQ(shown.Buttons, MsgButton::OK);
    EXPECT_TRUE(dialog.isVisible()) << "a warning leaves the dialog open";
    return shown.Text.toStdString();
}

// The text of the last message shown, or empty.
inline std::string LastMessage()
{
    const auto& shown = TMessageBox::Shown();
    return shown.empty() ? std::string() : shown.back().Text.toStdString();
}

inline std::string Str(const QString& text)
{
    return text.toStdString();
}

// A main window over a fresh application directory; tests write its data files first.
class TWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override { TMessageBox::ClearScript(); }
    void TearDown() override { TMessageBox::ClearScript(); }

    TfrmMain& OpenMain()
    {
        TMainOptions options;
        options.AppDir = Dir.Path();
        options.ArmStartupTimer = false;
        Main = std::make_unique<TfrmMain>(options);
        return *Main;
    }

    TTempAppDir Dir;
    std::unique_ptr<TfrmMain> Main;
};
