#include "toolkit/Accessibility.h"

#include "toolkit/LinkLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

class TContainerAccessible : public QAccessibleWidget {
public:
    TContainerAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    int childCount() const override { return static_cast<int>(ShownChildren().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = ShownChildren();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return static_cast<int>(ShownChildren().indexOf(static_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> ShownChildren() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            if (!object->isWidgetType())
                continue;
            auto* child = static_cast<QWidget*>(object);
            if (!child->isWindow() && !child->isHidden())
                shown.append(child);
        }
        return shown;
    }
};

class TLinkLabelAccessible : public QAccessibleWidget {
public:
    explicit TLinkLabelAccessible(TLinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const auto* label = static_cast<const TLinkLabel*>(object());
        if (kind == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        // Screen readers read a link's target from its value.
        if (kind == QAccessible::Value)
            return QString::fromStdString(label->Address());
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<TLinkLabel*>(object())->Activate();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String(TLinkLabel::staticMetaObject.className()))
        return new TLinkLabelAccessible(static_cast<TLinkLabel*>(widget));
    // Reached only when no class further down the object's hierarchy has an interface.
    if (className == QLatin1String("QWidget") || className == QLatin1String("QFrame"))
        return new TContainerAccessible(widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client);
    // A splitter hides the handle before its first pane.
    if (className == QLatin1String("QSplitter"))
        return new TContainerAccessible(widget, QAccessible::Splitter);
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}
