#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaClassInfo>
#include <QMetaEnum>

namespace {

constexpr char kRoleInfo[] = "AccessibleRole";
constexpr char kCountOf[] = "veqCountOf";

// Only the object's own class is answered for: a widget that is being
// destroyed is a plain QWidget by then, and its role went with its class.
QAccessibleInterface* classRole(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QMetaObject* meta = object->metaObject();
    if (className != QLatin1String(meta->className()))
        return nullptr;
    const int info = meta->indexOfClassInfo(kRoleInfo);
    if (info < 0)
        return nullptr;
    bool known = false;
    const int role = QMetaEnum::fromType<QAccessible::Role>().keyToValue(meta->classInfo(info).value(), &known);
    Q_ASSERT(known);
    return known ? new QAccessibleWidget(static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role)) : nullptr;
}

} // namespace

void installAccessibleRoles() { QAccessible::installFactory(&classRole); }

void nameControl(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    if (!description.isEmpty())
        control->setAccessibleDescription(description);
}

void nameCountLabel(QLabel* label, const QString& listName)
{
    label->setProperty(kCountOf, listName);
    label->setAccessibleDescription(QStringLiteral("Number of entries in the %1 list").arg(listName));
    renameCountLabel(label);
}

void renameCountLabel(QLabel* label)
{
    const QVariant listName = label->property(kCountOf);
    if (!listName.isValid())
        return;
    const QString name = QStringLiteral("%1 count").arg(listName.toString());
    label->setAccessibleName(label->text().isEmpty() ? name : QStringLiteral("%1: %2").arg(name, label->text()));
}
