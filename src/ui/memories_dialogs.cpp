#include "ui/memories_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

#include "app/memories_selection.h"
#include "store/memories_operations.h"
#include "ui/dialog_widgets.h"
#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"

namespace tarsel::ui {

std::optional<std::string> AskMemoriesName(QWidget* parent, int title_id,
                                           const std::string& initial) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("MemoriesNameDialog"));
  dialog.setWindowTitle(Text(title_id));
  dialog.setAccessibleName(Text(title_id));
  auto* edit = Named(new QLineEdit(ToQt(initial)), "memoriesName", Text(kTextName));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QFormLayout(&dialog);
  layout->addRow(IdLabel(kTextName), edit);
  layout->addRow(buttons);
  TranslateDialog(&dialog, title_id == kTextMemoriesGroupName ? dialog::kMemoriesGroupName
                                                              : dialog::kMemoriesColumnName);
  dialog.resize(320, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQt(edit->text());
}

std::shared_ptr<ColumnGroup> NewMemoriesGroupCommand(QWidget* parent, ColumnTree& memories,
                                                     ColumnGroup* group) {
  std::optional<std::string> name = AskMemoriesName(parent, kTextMemoriesGroupName);
  if (!name) return nullptr;
  return NewMemoriesGroup(memories, *name, group);
}

std::shared_ptr<MemoriesColumn> NewMemoriesColumnCommand(QWidget* parent, ColumnTree& memories,
                                                         ColumnGroup* group) {
  std::optional<std::string> name = AskMemoriesName(parent, kTextMemoriesColumnName);
  if (!name) return nullptr;
  return NewMemoriesColumn(memories, *name, group);
}

bool RenameMemoriesNodeCommand(QWidget* parent, TreeNode& node) {
  const int title =
      node.Kind() == NodeKind::kGroup ? kTextMemoriesGroupName : kTextMemoriesColumnName;
  std::optional<std::string> name = AskMemoriesName(parent, title, node.name);
  if (!name || *name == node.name) return false;
  node.name = *name;
  return true;
}

bool AskDeleteMemoriesNode(QWidget* parent, const TreeNode& node) {
  const int question =
      node.Kind() == NodeKind::kGroup ? kTextDeleteGroupQuestion : kTextDeleteColumnQuestion;
  QMessageBox box(QMessageBox::Question, Text(kTextQuestion), Text(question),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName(QStringLiteral("deleteQuestion"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::shared_ptr<MemoriesColumn> RememberRecordInNewColumn(QWidget* parent, ColumnTree& memories,
                                                          ColumnGroup* group,
                                                          const TreeNode* source,
                                                          const Record* record) {
  std::optional<std::string> name = AskMemoriesName(parent, kTextMemoriesColumnName);
  if (!name) return nullptr;
  return RememberInNewColumn(memories, *name, group, source, record);
}

std::shared_ptr<MemoriesColumn> RememberSelectionInNewColumn(QWidget* parent, ColumnTree& memories,
                                                             ColumnGroup* group,
                                                             const std::string& selected_html,
                                                             const std::string& page_url,
                                                             const std::string& page_title) {
  if (selected_html.empty()) return nullptr;
  std::optional<std::string> name = AskMemoriesName(parent, kTextMemoriesColumnName);
  if (!name) return nullptr;
  std::shared_ptr<MemoriesColumn> column = NewMemoriesColumn(memories, *name, group);
  AddSelectionToMemories(selected_html, page_url, page_title, *column);
  return column;
}

}  // namespace tarsel::ui
