#include "toolkit/InputGuard.h"
#include "toolkit/Memo.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

// The hint shown beside a field, if any.
QString ShownHint()
{
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void HideHint()
{
    QToolTip::hideText();
}

// Drop and paste both end in insertFromMimeData; this opens it to the test.
class TOpenMemo : public TMemo {
public:
    using TMemo::insertFromMimeData;
};

} // namespace

TEST(InputGuard, OneLineFieldRefusesCaretLineBreaksAndNulWhereverTheyComeFrom)
{
    QWidget window;
    auto* field = new QLineEdit(&window);
    TInputGuard::Guard(*field);
    window.show();
    HideHint();

    QTest::keyClicks(field, "ab");
    EXPECT_EQ(ShownHint(), QString()) << "plain text gives no hint";
    QTest::keyClicks(field, "^c");
    EXPECT_EQ(field->text(), QStringLiteral("abc"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::OneLine));
    EXPECT_EQ(field->cursorPosition(), 3);

    // Pasted text keeps everything but the refused characters.
    HideHint();
    QGuiApplication::clipboard()->setText(QStringLiteral("x^y\r\nz\n"));
    field->paste();
    EXPECT_EQ(field->text(), QStringLiteral("abcxyz"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::OneLine));

    // Inserted in the middle: the cursor stays behind the last kept character.
    field->setCursorPosition(1);
    field->insert(QStringLiteral("1") + QChar(u'\0') + QStringLiteral("2\r"));
    EXPECT_EQ(field->text(), QStringLiteral("a12bcxyz"));
    EXPECT_EQ(field->cursorPosition(), 3);

    // Undo still works after a refusal.
    QTest::keyClicks(field, "Q");
    field->undo();
    EXPECT_EQ(field->text(), QStringLiteral("a12bcxyz"));
}

TEST(InputGuard, MemoKeepsLineBreaksButRefusesCaretAndNul)
{
    QWidget window;
    auto* memo = new TOpenMemo;
    memo->setParent(&window);
    window.show();
    HideHint();

    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(memo->tabChangesFocus());

    QTest::keyClicks(memo, "one");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "t^wo");
    EXPECT_EQ(memo->Lines(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::MultiLine));

    HideHint();
    QGuiApplication::clipboard()->setText(QStringLiteral("\r\nthree^\r\nfour") + QChar(u'\0'));
    memo->paste();
    EXPECT_EQ(memo->Lines(), QStringLiteral("one\ntwo\nthree\nfour"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::MultiLine));

    // Dropped text goes the same way.
    QMimeData dropped;
    dropped.setText(QStringLiteral("^five"));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    memo->insertFromMimeData(&dropped);
    EXPECT_EQ(memo->Lines(), QStringLiteral("one\ntwo\nthree\nfour\nfive"));

    // A no-break space is kept as typed, soft line breaks count as line breaks.
    memo->SetLines(QStringLiteral("a") + QChar(0x00A0) + QStringLiteral("b"));
    EXPECT_EQ(memo->Lines(), QStringLiteral("a") + QChar(0x00A0) + QStringLiteral("b"));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo, "c");
    EXPECT_EQ(memo->Lines(), QStringLiteral("a") + QChar(0x00A0) + QStringLiteral("b\nc"));
}

TEST(InputGuard, MemoRefusesTheDollarPairThatWouldComeBackAsALineBreak)
{
    QWidget window;
    auto* memo = new TOpenMemo;
    memo->setParent(&window);
    window.show();
    HideHint();

    QTest::keyClicks(memo, "Cakes from $");
    EXPECT_EQ(ShownHint(), QString()) << "one dollar is fine";
    QTest::keyClicks(memo, "$5 each");
    EXPECT_EQ(memo->Lines(), QStringLiteral("Cakes from $5 each"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::MultiLine));
    EXPECT_EQ(TInputGuard::Hint(TInputGuard::MultiLine), QStringLiteral("\"^\" and \"$$\" cannot be used in this field."));

    // Typed just before a "$": the pair would form on the other side.
    HideHint();
    memo->moveCursor(QTextCursor::Start);
    for (int i = 0; i < 11; ++i)
        memo->moveCursor(QTextCursor::NextCharacter);
    QTest::keyClicks(memo, "$");
    EXPECT_EQ(memo->Lines(), QStringLiteral("Cakes from $5 each"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::MultiLine));

    // Pasted and dropped text lose the second dollar of each pair, also at their ends.
    memo->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QStringLiteral(" $$$ and $"));
    memo->paste();
    EXPECT_EQ(memo->Lines(), QStringLiteral("Cakes from $5 each $ and $"));
    QMimeData dropped;
    dropped.setText(QStringLiteral("$x"));
    memo->insertFromMimeData(&dropped);
    EXPECT_EQ(memo->Lines(), QStringLiteral("Cakes from $5 each $ and $x"));

    // Deleting what stands between two dollars is refused too.
    memo->SetLines(QStringLiteral("$a$"));
    memo->moveCursor(QTextCursor::Start);
    memo->moveCursor(QTextCursor::NextCharacter);
    HideHint();
    QTest::keyClick(memo, Qt::Key_Delete);
    EXPECT_EQ(memo->Lines(), QStringLiteral("$a$"));
    EXPECT_EQ(ShownHint(), TInputGuard::Hint(TInputGuard::MultiLine));
    memo->moveCursor(QTextCursor::End);
    memo->moveCursor(QTextCursor::PreviousCharacter);
    QTest::keyClick(memo, Qt::Key_Backspace);
    EXPECT_EQ(memo->Lines(), QStringLiteral("$a$"));
}
