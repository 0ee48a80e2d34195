#include "toolkit/LinkDelegate.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/ListView.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyleOptionHeader>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Exposes the style options the list draws with.
class TProbeDelegate : public TLinkDelegate {
public:
    QStyleOptionViewItem OptionFor(const QModelIndex& index, bool selected) const
    {
        QStyleOptionViewItem option;
        option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
        initStyleOption(&option, index);
        return option;
    }
};

class TProbeHeader : public TListHeader {
public:
    QStyleOptionHeader OptionFor(int section) const
    {
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, section);
        return option;
    }
};

std::unique_ptr<QStandardItemModel> SampleModel()
{
    auto model = std::make_unique<QStandardItemModel>(3, 5);
    const char* rows[3][5] = {
        {"http://www.alpha.example/", "Arts", "Free", "4", "100"},
        {"Beta", "mailto:beta@example.com", "Paid", "2", "200"},
        {"<a href=\"http://x\">x</a>", "Cat", "Free", "1", "300"},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) {
            auto* item = new QStandardItem(QString::fromLatin1(rows[r][c]));
            item->setEditable(false);
            model->setItem(r, c, item);
        }
    return model;
}

} // namespace

TEST(LinkText, SchemeOrMailWithoutMarkup)
{
    EXPECT_TRUE(IsLinkText("http://a.example/x"));
    // Only what the desktop's opener may receive is a link.
    EXPECT_FALSE(IsLinkText("see ftp://files"));
    EXPECT_FALSE(IsLinkText("ftp://files.example/"));
    EXPECT_FALSE(IsLinkText("file:///usr/share/applications/evil.desktop"));
    EXPECT_FALSE(IsLinkText("javascript://%0aalert(1)"));
    EXPECT_TRUE(IsLinkText("HTTPS://a.example/"));
    EXPECT_TRUE(IsLinkText("mailto:ann@example.com"));
    EXPECT_FALSE(IsLinkText("www.example.com"));
    EXPECT_FALSE(IsLinkText("<a href=\"http://x\">x</a>"));
    EXPECT_FALSE(IsLinkText(""));
    EXPECT_EQ(LinkDisplayText("http://a.example/x"), "a.example/x");
    EXPECT_EQ(LinkDisplayText("mailto:ann@example.com"), "ann@example.com");
    EXPECT_EQ(LinkDisplayText("see ftp://files"), "files");
    EXPECT_EQ(LinkDisplayText("mailto:a?x=http://b"), "a?x=http://b");
    EXPECT_EQ(LinkDisplayText("http://a/mailto:b"), "a/mailto:b");
    EXPECT_EQ(LinkDisplayText("plain"), "plain");
}

TEST(LinkDelegate, LinksUnderlinedBlueUnlessSelected)
{
    auto model = SampleModel();
    TProbeDelegate delegate;
    const QStyleOptionViewItem link = delegate.OptionFor(model->index(0, 0), false);
    EXPECT_EQ(link.text, "www.alpha.example/");
    EXPECT_TRUE(link.font.underline());
    EXPECT_EQ(link.palette.color(QPalette::Active, QPalette::Text), QColor(0, 0, 255));

    const QStyleOptionViewItem selected = delegate.OptionFor(model->index(0, 0), true);
    EXPECT_EQ(selected.text, "www.alpha.example/");
    EXPECT_FALSE(selected.font.underline());
    EXPECT_NE(selected.palette.color(QPalette::Active, QPalette::Text), QColor(0, 0, 255));

    const QStyleOptionViewItem mail = delegate.OptionFor(model->index(1, 1), false);
    EXPECT_EQ(mail.text, "beta@example.com");
    const QStyleOptionViewItem plain = delegate.OptionFor(model->index(1, 0), false);
    EXPECT_EQ(plain.text, "Beta");
    EXPECT_FALSE(plain.font.underline());
    const QStyleOptionViewItem markup = delegate.OptionFor(model->index(2, 0), false);
    EXPECT_EQ(markup.text, "<a href=\"http://x\">x</a>");
    EXPECT_FALSE(markup.font.underline());
}

TEST(ListHeader, SortColumnShowsTriangleLeftOfCaption)
{
    auto model = SampleModel();
    TProbeHeader header;
    header.setModel(model.get());
    EXPECT_TRUE(header.OptionFor(1).icon.isNull());
    header.setSortIndicatorShown(true);
    header.setSortIndicator(1, Qt::AscendingOrder);
    const QStyleOptionHeader sorted = header.OptionFor(1);
    EXPECT_FALSE(sorted.icon.isNull());
    EXPECT_EQ(sorted.iconAlignment & Qt::AlignLeft, Qt::AlignLeft);
    EXPECT_EQ(sorted.sortIndicator, QStyleOptionHeader::None);
    EXPECT_TRUE(header.OptionFor(0).icon.isNull());
    const QImage up = TListHeader::SortTriangle(false).pixmap(16, 16).toImage();
    const QImage down = TListHeader::SortTriangle(true).pixmap(16, 16).toImage();
    EXPECT_EQ(up.size(), QSize(16, 16));
    EXPECT_NE(up, down);
    // Up: the apex is at the top, so the top half holds fewer drawn pixels.
    auto inked = [](const QImage& image, int fromRow, int toRow) {
        int n = 0;
        for (int y = fromRow; y < toRow; ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qAlpha(image.pixel(x, y)) > 0;
        return n;
    };
    EXPECT_LT(inked(up, 0, 8), inked(up, 8, 16));
    EXPECT_GT(inked(down, 0, 8), inked(down, 8, 16));
}

TEST(ListView, ColumnsShareTheWidthFirstTakesTheRest)
{
    auto model = SampleModel();
    TListView view;
    view.setModel(model.get());
    view.resize(507, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const int width = view.viewport()->width();
    const int share = width / 5;
    EXPECT_EQ(view.horizontalHeader()->sectionSize(0), width - 4 * share);
    for (int c = 1; c < 5; ++c)
        EXPECT_EQ(view.horizontalHeader()->sectionSize(c), share);
    view.resize(733, 200);
    QCoreApplication::processEvents();
    int total = 0;
    for (int c = 0; c < 5; ++c)
        total += view.horizontalHeader()->sectionSize(c);
    EXPECT_EQ(total, view.viewport()->width());
    EXPECT_EQ(view.rowHeight(0), 20);
    EXPECT_TRUE(view.horizontalHeader()->sectionsMovable());
    EXPECT_EQ(view.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view.selectionMode(), QAbstractItemView::SingleSelection);
}

TEST(ListView, LinkCellsShowAHandAndReportClicks)
{
    auto model = SampleModel();
    TListView view;
    view.setModel(model.get());
    view.resize(600, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy clicked(&view, &TListView::LinkClicked);

    auto moveTo = [&](const QModelIndex& index) {
        const QPoint at = view.visualRect(index).center();
        QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
    };
    moveTo(model->index(0, 0));
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    moveTo(model->index(0, 1));
    EXPECT_NE(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    moveTo(model->index(2, 0)); // markup is no link
    EXPECT_NE(view.viewport()->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model->index(0, 1)).center());
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, view.visualRect(model->index(0, 0)).center());
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model->index(0, 0)).center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toString(), "http://www.alpha.example/");
    EXPECT_EQ(view.selectionModel()->selectedRows().value(0).row(), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model->index(1, 1)).center());
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(1).at(0).toString(), "mailto:beta@example.com");
}

TEST(ListView, NoEditingNoCopy)
{
    auto model = SampleModel();
    for (int r = 0; r < 3; ++r)
        model->item(r, 1)->setEditable(true); // even an editable model is not edited here
    TListView view;
    view.setModel(model.get());
    view.resize(600, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setFocus();
    view.setCurrentIndex(model->index(1, 1));
    QTest::keyClick(&view, Qt::Key_F2);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model->index(1, 1)).center());
    EXPECT_EQ(view.viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(model->item(1, 1)->text(), "mailto:beta@example.com");

    QGuiApplication::clipboard()->setText("before");
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

TEST(ListView, CellsOfOtherSchemesArePlainTextAndReportNoClick)
{
    QStandardItemModel model(1, 3);
    const char* cells[3] = {"file:///usr/share/applications/evil.desktop", "javascript://%0aalert(1)",
                            "ftp://files.example/"};
    for (int c = 0; c < 3; ++c)
        model.setItem(0, c, new QStandardItem(QString::fromLatin1(cells[c])));
    TListView view;
    view.setModel(&model);
    view.resize(900, 100);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy clicked(&view, &TListView::LinkClicked);
    TProbeDelegate delegate;
    for (int c = 0; c < 3; ++c) {
        const QStyleOptionViewItem option = delegate.OptionFor(model.index(0, c), false);
        EXPECT_EQ(option.text, QString::fromLatin1(cells[c]));
        EXPECT_FALSE(option.font.underline()) << cells[c];
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model.index(0, c)).center());
    }
    EXPECT_EQ(view.selectionModel()->selectedRows().value(0).row(), 0) << "the clicks reached the list";
    EXPECT_EQ(clicked.count(), 0);
}

TEST(LinkLabel, OnlyWebAndMailAddressesMakeALink)
{
    TLinkLabel label;
    label.SetCaption("Partner");
    label.show();
    QSignalSpy clicked(&label, &TLinkLabel::Clicked);
    for (const char* address : {"file:///tmp/evil.desktop", "/usr/bin/xterm", "javascript:alert(1)", ""}) {
        label.SetAddress(address);
        EXPECT_FALSE(label.IsLink()) << address;
        EXPECT_FALSE(label.font().underline()) << address;
        QTest::mouseClick(&label, Qt::LeftButton);
        QTest::keyClick(&label, Qt::Key_Return);
    }
    EXPECT_EQ(clicked.count(), 0);
    for (const char* address : {"http://a.example/", "www.a.example", "mailto:ann@example.com"}) {
        label.SetAddress(address);
        EXPECT_TRUE(label.IsLink()) << address;
        EXPECT_TRUE(label.font().underline());
        EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(&label, Qt::LeftButton);
    }
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked.at(1).at(0).value<std::string>(), "www.a.example");
}
