// The main window as a desktop window: its smallest size, the size and
// splitter it keeps between runs, and what screen readers are told.
#include "TestSupport.h"

#include "shell/FMain.h"
#include "shell/MainPanels.h"
#include "shell/WindowState.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/SortedComboBox.h"

#include <QAccessible>
#include <QApplication>
#include <QLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <set>

namespace {

std::unique_ptr<TfrmMain> ShowWindow(const TTempAppDir& dir)
{
    TMainOptions options;
    options.AppDir = dir.Path();
    options.ArmStartupTimer = false;
    auto window = std::make_unique<TfrmMain>(options);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
}

void Relayout(QWidget& window)
{
    // Nested layouts settle one level per pass.
    for (int pass = 0; pass < 5; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.layout()->activate();
    }
}

// Every shown widget that does not fit inside each of its shown ancestors.
QStringList ClippedControls(QWidget& window)
{
    QStringList clipped;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() || control->isWindow())
            continue;
        for (QWidget* ancestor = control->parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
            const QRect area(control->mapTo(ancestor, QPoint(0, 0)), control->size());
            if (!ancestor->rect().contains(area)) {
                clipped << control->metaObject()->className() + QStringLiteral(" ") + control->objectName()
                               + QStringLiteral(" ") + control->accessibleName();
                break;
            }
            if (ancestor == &window)
                break;
        }
    }
    return clipped;
}

} // namespace

TEST(DesktopWindow, AtItsSmallestNoControlIsClippedAndTheBrowserTakesTheHeightGained)
{
    TTempAppDir dir;
    const auto window = ShowWindow(dir);
    const QSize smallest = window->minimumSize();
    // The first start shows the design size, which is above the smallest.
    EXPECT_EQ(window->size(), QSize(919, 663));
    EXPECT_LT(smallest.width(), 919);
    EXPECT_LT(smallest.height(), 663);

    const int workHeight = window->panWork->height();
    const int browserHeight = window->panBrowser->height();
    window->resize(919, 663 + 200);
    Relayout(*window);
    EXPECT_EQ(window->panWork->height(), workHeight);
    EXPECT_EQ(window->panBrowser->height(), browserHeight + 200);

    window->resize(1, 1);
    Relayout(*window);
    EXPECT_EQ(window->size(), smallest);
    EXPECT_EQ(ClippedControls(*window), QStringList{});
    EXPECT_FALSE(window->lblLink1URL->geometry().intersects(window->lblLink2URL->geometry()));
    EXPECT_GT(window->EmbeddedWB1->height(), 0);

    // A longer link caption widens the smallest window rather than overlap the other link.
    window->lblLink2URL->SetCaption(std::string(120, 'w'));
    window->panLinks->updateGeometry();
    window->resize(1, 1);
    Relayout(*window);
    EXPECT_GT(window->width(), smallest.width());
    EXPECT_EQ(ClippedControls(*window), QStringList{});
    EXPECT_FALSE(window->lblLink1URL->geometry().intersects(window->lblLink2URL->geometry()));
}

TEST(DesktopWindow, SizeAndSplitterAreKeptInTheDataFoldersSettings)
{
    TTempAppDir dir;
    {
        const auto first = ShowWindow(dir);
        EXPECT_EQ(first->bsSkinSplitter1->sizes().first(), 247);
        first->resize(1000, 720);
        first->bsSkinSplitter1->setSizes({300, 300});
        Relayout(*first);
        first->close();
    }
    ASSERT_TRUE(dir.Exists(TWindowState::FileName));
    {
        const auto second = ShowWindow(dir);
        Relayout(*second);
        EXPECT_EQ(second->size(), QSize(1000, 720));
        EXPECT_EQ(second->bsSkinSplitter1->sizes().first(), 300);
        second->close();
    }

    // Settings that do not read back give the design layout, and nothing else is lost.
    dir.Write(TWindowState::FileName, "[MainWindow]\nGeometry=@ByteArray(garbage)\nSplitter=also garbage\n");
    const auto third = ShowWindow(dir);
    EXPECT_EQ(third->size(), QSize(919, 663));
    EXPECT_EQ(third->bsSkinSplitter1->sizes().first(), 247);
    EXPECT_EQ(third->windowTitle(), "Tarnwick");
}

TEST(DesktopWindow, ScreenReadersHearAFrameWithLinksAndNoHiddenControls)
{
    TTempAppDir dir;
    const auto window = ShowWindow(dir);
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), "Tarnwick");

    // Everything reachable from the window, depth first.
    std::set<QObject*> reached;
    std::vector<QAccessibleInterface*> pending{frame};
    while (!pending.empty()) {
        QAccessibleInterface* node = pending.back();
        pending.pop_back();
        if (node->object())
            reached.insert(node->object());
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface* child = node->child(i))
                pending.push_back(child);
    }
    // (A drop-down list lives in a popup window of its own, shown while it is open.)
    for (QObject* object : reached) {
        if (object->isWidgetType() && static_cast<QWidget*>(object)->window() == window.get()) {
            EXPECT_TRUE(static_cast<QWidget*>(object)->isVisible())
                << object->metaObject()->className() << " " << object->objectName().toStdString();
        }
    }
    EXPECT_FALSE(reached.count(window->bsSkinButton6));
    EXPECT_FALSE(reached.count(window->gifBanner));
    EXPECT_TRUE(reached.count(window->btnGoDirectory));
    EXPECT_TRUE(reached.count(static_cast<QObject*>(window->cbxProjects)));
    EXPECT_TRUE(reached.count(window->EmbeddedWB1));

    for (TLinkLabel* label : {window->lblLink1URL, window->lblLink2URL}) {
        ASSERT_TRUE(reached.count(label));
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
        EXPECT_EQ(link->role(), QAccessible::Link);
        EXPECT_EQ(link->text(QAccessible::Name), "Google");
    }

    // A panel hidden later leaves the tree with its controls.
    window->panBanner->hide();
    EXPECT_EQ(frame->indexOfChild(QAccessible::queryAccessibleInterface(window->panBanner)), -1);
}
