#include "ui/import_commands.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <filesystem>
#include <optional>

#include "app/area_options.h"
#include "parse/charsets/encoding_choice.h"
#include "parse/lists/column_merge.h"
#include "parse/lists/opml_export.h"
#include "platform/atomic_file.h"
#include "settings/settings.h"
#include "ui/column_properties_dialog.h"
#include "ui/dialog_widgets.h"
#include "ui/download_dialog.h"
#include "ui/import_feeds_dialog.h"
#include "ui/qt_text.h"
#include "ui/translate_widgets.h"
#include "view/dialog_fields.h"
#include "view/dialog_ids.h"
#include "view/dialog_text_ids.h"
#include "view/string_table.h"

namespace tarsel::ui {

namespace {

// The wait cursor while a file is read and parsed.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString OpmlFilter() {
  return Text(kTextOpmlFilter);
}

// The dialog id translations give the one-line dialog with caption `title_id`.
int LineDialogId(int title_id) {
  if (title_id == kTextNewLjFriend) return dialog::kNewFriend;
  if (title_id == kTextNewYahooGroup) return dialog::kNewYahooGroup;
  return dialog::kEnterUrl;
}

// A one-line dialog: "Enter URL" with "URL", or a service name with its "Configurate" box.
// `check` returns the message that keeps the dialog open, or an empty string.
struct LineDialogResult {
  std::string text;
  bool configure = false;
};
std::optional<LineDialogResult> AskLine(QWidget* parent, const char* object_name, int title_id,
                                        int label_id, bool with_configure,
                                        const std::function<QString(const std::string&)>& check,
                                        int refusal_title_id) {
  QDialog dialog(parent);
  dialog.setObjectName(QString::fromLatin1(object_name));
  dialog.setWindowTitle(Text(title_id));
  dialog.setAccessibleName(Text(title_id));
  auto* edit = Named(new QLineEdit, "lineText", Text(label_id));
  auto* configure = Named(WithControlId(new QCheckBox(Text(kTextConfigurate)), kTextConfigurate),
                          "configurate", Text(kTextConfigurate));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName(QStringLiteral("dialogButtons"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    const QString refusal = check(FromQt(edit->text()));
    if (refusal.isEmpty()) {
      dialog.accept();
    } else {
      ShowExclamation(&dialog, Text(refusal_title_id), refusal);
    }
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QFormLayout(&dialog);
  layout->addRow(IdLabel(label_id), edit);
  if (with_configure) layout->addRow(configure);
  layout->addRow(buttons);
  TranslateDialog(&dialog, LineDialogId(title_id));
  dialog.resize(380, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return LineDialogResult{FromQt(edit->text()), configure->isChecked()};
}

}  // namespace

int ImportDirectoryCommand(QWidget* parent, ColumnTree& tree, const DirectoryList& directory,
                           const NewColumnDefaults& defaults,
                           ListDownload::ConnectionTest connection_test) {
  const std::string path = DirectoryListPath(directory);
  // A list once fetched is kept and reused; it is never refreshed.
  if (!std::filesystem::exists(path) &&
      !DownloadListFile(parent, directory.address, path, std::move(connection_test)))
    return 0;
  FoundFeedTree list;
  {
    WaitCursor wait;
    list = ReadDirectoryFile(directory, path, ProgramEncoding());
  }
  return ImportFoundFeeds(parent, tree, list, defaults);
}

int ImportListUrlCommand(QWidget* parent, ColumnTree& tree, const NewColumnDefaults& defaults) {
  auto check = [](const std::string& url) {
    const UrlFieldProblem problem = CheckUrlField(url);
    return problem == UrlFieldProblem::kNone ? QString() : Text(UrlProblemTextId(problem));
  };
  std::optional<LineDialogResult> url =
      AskLine(parent, "EnterUrlDialog", kTextEnterUrl, kTextUrl, false, check, kTextEnterUrl);
  if (!url) return 0;
  const std::string path = UrlListPath(url->text);
  if (!DownloadListFile(parent, url->text, path)) return 0;
  return ImportListFile(parent, tree, path, defaults);
}

int ImportListFileCommand(QWidget* parent, ColumnTree& tree, const NewColumnDefaults& defaults) {
  const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), OpmlFilter());
  if (path.isEmpty()) return 0;
  return ImportListFile(parent, tree, FromQt(path), defaults);
}

int ImportListFile(QWidget* parent, ColumnTree& tree, const std::string& path,
                   const NewColumnDefaults& defaults) {
  std::optional<FoundFeedTree> list;
  {
    WaitCursor wait;
    list = ReadListFile(path, ProgramEncoding());
  }
  if (!list) return 0;
  return ImportFoundFeeds(parent, tree, *list, defaults);
}

bool LoadOpmlCommand(QWidget* parent, ColumnTree& tree, const NewColumnDefaults& defaults) {
  const QString path =
      QFileDialog::getOpenFileName(parent, Text(kTextLoadOpml), QString(), OpmlFilter());
  if (path.isEmpty()) return false;
  WaitCursor wait;
  std::optional<FileContent> content = ReadWholeFile(FromQt(path));
  if (!content) return false;
  MergeCounts counts;
  std::string error;
  if (!LoadOpml(tree, content->view(), nullptr, defaults, ProgramEncoding(), counts, error)) {
    return false;
  }
  return counts.added > 0 || counts.groups > 0;
}

namespace {

QString AskExportPath(QWidget* parent) {
  QFileDialog dialog(parent, Text(kTextExportFeeds), QString(), OpmlFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("opml"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

// The code page the program's texts are in, which the export converts to UTF-8 from.
int ExportCodePage() {
  return ProgramCodePage();
}

bool ReportExport(QWidget* parent, bool written, const QString& path) {
  if (!written) ShowExclamation(parent, Text(kTextError), Text(kTextExportFailed).arg(path));
  return written;
}

}  // namespace

bool ExportOpmlCommand(QWidget* parent, const ColumnTree& tree) {
  const QString path = AskExportPath(parent);
  if (path.isEmpty()) return false;
  return ReportExport(parent, ExportOpml(tree, FromQt(path), ExportCodePage()), path);
}

bool ExportGroupOpmlCommand(QWidget* parent, ColumnGroup& group) {
  const QString path = AskExportPath(parent);
  if (path.isEmpty()) return false;
  std::vector<std::shared_ptr<Column>> columns;
  group.CollectColumns(columns);
  return ReportExport(parent, ExportOpml(columns, FromQt(path), ExportCodePage()), path);
}

std::shared_ptr<Column> NewServiceColumnCommand(QWidget* parent, ColumnTree& tree,
                                                ServiceColumnKind kind,
                                                const NewColumnDefaults& defaults) {
  const bool friend_column = kind == ServiceColumnKind::kLiveJournalFriend;
  const int need_text = friend_column ? kTextNeedFriendName : kTextNeedGroupTitle;
  auto check = [need_text](const std::string& name) {
    return name.empty() ? Text(need_text) : QString();
  };
  std::optional<LineDialogResult> answer =
      AskLine(parent, friend_column ? "NewLjFriendDialog" : "NewYahooGroupDialog",
              friend_column ? kTextNewLjFriend : kTextNewYahooGroup,
              friend_column ? kTextFriendNamePrompt : kTextGroupTitlePrompt, true, check,
              kTextNeedMoreInformation);
  if (!answer) return nullptr;
  std::shared_ptr<Column> column = NewServiceColumn(kind, answer->text, defaults);
  if (answer->configure) EditColumnProperties(parent, tree, *column);
  return AddColumnOrSayWhy(parent, tree, column, nullptr) ? column : nullptr;
}

}  // namespace tarsel::ui
