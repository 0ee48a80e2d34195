#include "toolkit/Accessibility.h"
#include "toolkit/LinkLabel.h"

#include <QAccessible>
#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList ChildNames(QAccessibleInterface& parent)
{
    QStringList names;
    for (int i = 0; i < parent.childCount(); ++i)
        names << parent.child(i)->text(QAccessible::Name);
    return names;
}

} // namespace

TEST(Accessibility, HiddenControlsAreLeftOutAndAWindowIsAFrame)
{
    InstallAccessibility();
    QWidget window;
    auto* shown = new QPushButton(QStringLiteral("Shown"), &window);
    auto* hidden = new QPushButton(QStringLiteral("Hidden"), &window);
    auto* panel = new QFrame(&window);
    panel->setAccessibleName(QStringLiteral("Panel"));
    auto* inner = new QPushButton(QStringLiteral("Inner"), panel);
    auto* innerHidden = new QPushButton(QStringLiteral("Inner hidden"), panel);
    hidden->hide();
    innerHidden->hide();
    window.show();

    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->role(), QAccessible::Window);
    EXPECT_EQ(ChildNames(*top), (QStringList{"Shown", "Panel"}));
    EXPECT_EQ(top->indexOfChild(QAccessible::queryAccessibleInterface(hidden)), -1);
    EXPECT_EQ(top->indexOfChild(QAccessible::queryAccessibleInterface(shown)), 0);
    EXPECT_EQ(top->child(2), nullptr);

    QAccessibleInterface* nested = QAccessible::queryAccessibleInterface(panel);
    EXPECT_NE(nested->role(), QAccessible::Window);
    EXPECT_EQ(ChildNames(*nested), QStringList{"Inner"});
    EXPECT_EQ(nested->child(0)->parent(), nested);
    EXPECT_EQ(nested->parent(), top);

    // Showing and hiding change the tree at once.
    hidden->show();
    inner->hide();
    EXPECT_EQ(ChildNames(*top), (QStringList{"Shown", "Hidden", "Panel"}));
    EXPECT_EQ(nested->childCount(), 0);

    // Qt's own windows keep their roles.
    QDialog dialog;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&dialog)->role(), QAccessible::Dialog);
}

TEST(Accessibility, ALinkLabelIsALinkThatCanBePressed)
{
    InstallAccessibility();
    QWidget window;
    auto* label = new TLinkLabel(&window);
    label->SetCaption("Reseller Home");
    label->SetAddress("http://reseller.example/");
    window.show();
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), "Reseller Home");
    EXPECT_EQ(link->text(QAccessible::Value), "http://reseller.example/");
    EXPECT_TRUE(link->state().focusable);
    ASSERT_NE(link->actionInterface(), nullptr);
    EXPECT_EQ(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QSignalSpy clicked(label, &TLinkLabel::Clicked);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.first().first().value<std::string>(), "http://reseller.example/");
}
