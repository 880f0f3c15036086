#include "ui/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace tarsel::ui {
namespace {

QAccessibleInterface* RoleFor(const QString& class_name, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (class_name == QLatin1String("tarsel::ui::NoticeWindow"))
    return new QAccessibleWidget(widget, QAccessible::AlertMessage);
  // Without this a top-level plain widget is a "filler" to the accessibility bus.
  if (class_name == QLatin1String("tarsel::ui::BlogEditor"))
    return new QAccessibleWidget(widget, QAccessible::Window);
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
  static const bool installed = [] {
    QAccessible::installFactory(RoleFor);
    return true;
  }();
  (void)installed;
}

}  // namespace tarsel::ui
