// "New Group", "Group Properties" and the "Set " dialogs of a multiple selection.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "app/help.h"
#include "ui/column_properties_dialog.h"
#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"
#include "view/string_table.h"

namespace tarsel::ui {

namespace {

void PrepareDialog(QDialog& dialog, const char* object_name, int title_id) {
  dialog.setObjectName(QString::fromLatin1(object_name));
  dialog.setWindowTitle(Text(title_id));
  dialog.setAccessibleName(Text(title_id));
}

QDialogButtonBox* NewOkCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

// Asks a group name; the Help button opens the group properties topic. Nothing when cancelled.
std::optional<std::string> AskGroupName(QWidget* parent, int title_id, const std::string& name) {
  QDialog dialog(parent);
  PrepareDialog(dialog, "GroupNameDialog", title_id);
  auto* edit = Named(new QLineEdit(ToQt(name)), "groupName", Text(kTextGroupName));
  auto* buttons = NewOkCancel(dialog);
  auto* help = buttons->addButton(QDialogButtonBox::Help);
  help->setObjectName(QStringLiteral("helpButton"));
  QObject::connect(help, &QPushButton::clicked, &dialog,
                   [] { ShowHelpTopic(kHelpTopicGroupProperties); });
  auto* layout = new QFormLayout(&dialog);
  layout->addRow(IdLabel(kTextGroupName), edit);
  layout->addRow(buttons);
  TranslateDialog(&dialog,
                  title_id == kTextNewGroup ? dialog::kNewGroup : dialog::kGroupProperties);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQt(edit->text());
}

}  // namespace

bool EditGroupProperties(QWidget* parent, ColumnGroup& group) {
  std::optional<std::string> name = AskGroupName(parent, kTextGroupProperties, group.name);
  if (!name || *name == group.name) return false;
  group.name = *name;
  return true;
}

std::shared_ptr<ColumnGroup> NewColumnGroup(QWidget* parent, ColumnTree& tree, ColumnGroup* group) {
  std::optional<std::string> name = AskGroupName(parent, kTextNewGroup, GetText(kTextNewGroup));
  if (!name) return nullptr;
  auto created = std::make_shared<ColumnGroup>(*name);
  created->id = tree.LowestFreeId();
  (group != nullptr ? *group : tree.root()).AddChild(created);
  return created;
}

int SetUpdateIntervalOfColumns(QWidget* parent,
                               const std::vector<std::shared_ptr<Column>>& columns) {
  if (columns.empty()) return 0;
  const Column& first = *columns.front();
  QDialog dialog(parent);
  PrepareDialog(dialog, "SetUpdateIntervalDialog", kTextSetUpdateInterval);
  auto* interval = new IntervalBox;
  interval->SetControls(IntervalToControls(first.update_interval));
  auto* on_start = Named(WithControlId(new QCheckBox(Text(kTextUpdateOnStart)), kTextUpdateOnStart),
                         "updateOnStart", Text(kTextUpdateOnStart));
  on_start->setChecked(first.update_on_start);
  auto* sound = Named(WithControlId(new QCheckBox(Text(kTextPlaySound)), kTextPlaySound),
                      "playSound", Text(kTextPlaySound));
  sound->setChecked(first.play_sound);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(interval);
  layout->addWidget(on_start);
  layout->addWidget(sound);
  layout->addWidget(NewOkCancel(dialog));
  if (dialog.exec() != QDialog::Accepted) return 0;
  return SetUpdateInterval(columns,
                           IntervalFromControls(interval->Controls(), first.update_interval),
                           on_start->isChecked(), sound->isChecked());
}

int SetArchivingOfColumns(QWidget* parent, const std::vector<std::shared_ptr<Column>>& columns) {
  if (columns.empty()) return 0;
  const Column& first = *columns.front();
  QDialog dialog(parent);
  PrepareDialog(dialog, "SetArchivingDialog", kTextSetArchiving);
  auto* archive = new ArchiveBox;
  archive->SetControls(
      ArchiveToControls({first.archive_enabled, first.archive_by_count, first.archive_depth}));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(archive);
  layout->addWidget(NewOkCancel(dialog));
  if (dialog.exec() != QDialog::Accepted) return 0;
  return SetArchiving(columns, ArchiveFromControls(archive->Controls()));
}

}  // namespace tarsel::ui
