#include "cli/column_store_session.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "app/program_data.h"
#include "cli/cli_args.h"
#include "parse/charsets/encoding_choice.h"
#include "platform/folders.h"
#include "platform/system_code_page.h"
#include "settings/settings_file.h"
#include "store/store_files.h"
#include "update/update_options.h"

namespace tarsel::cli {
namespace {

bool FileExists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// 0 when the folder exists or was made, else the reason (an errno value).
int MakeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (std::filesystem::is_directory(folder)) return 0;
  return error ? error.value() : ENOTDIR;
}

bool KeptCopyExists(const std::string& path) {
  const std::optional<StoreDamage> damage = StoreDamageAtLoad(path);
  return damage && !damage->kept_copy.empty();
}

}  // namespace

std::string LockedMessage(const std::string& data_folder) {
  const LockHolderInfo info = InstanceLock::ReadHolder(data_folder);
  std::string message = "the data folder " + data_folder + " is in use by ";
  switch (info.holder) {
    case LockHolder::kDesktopProgram:
      message += "the Tarsel desktop program";
      break;
    case LockHolder::kCommandLine:
      message += "another tarsel-cli command";
      break;
    case LockHolder::kUnknown:
      message += "another Tarsel program";
      break;
  }
  if (info.pid > 0) message += " (process " + std::to_string(info.pid) + ")";
  message += info.holder == LockHolder::kCommandLine ? "; wait for it to end" : "; close it first";
  return message;
}

void WarnIfDamagedAtLoad(const std::string& path) {
  if (const std::optional<StoreDamage> damage = StoreDamageAtLoad(path)) {
    Fail(kExitOk, DescribeStoreDamage(*damage));
  }
}

void WarnIfDamagedKept(const std::string& path) {
  const std::optional<StoreDamage> damage = StoreDamageAtLoad(path);
  if (!damage || damage->kept_copy.empty()) return;
  std::string message = "the damaged ";
  message += path;
  message += " was kept as ";
  message += damage->kept_copy;
  Fail(kExitOk, message);
}

std::unique_ptr<ColumnStoreSession> ColumnStoreSession::Open(StoreAccess access, int& status) {
  std::unique_ptr<ColumnStoreSession> session(new ColumnStoreSession());
  session->data_folder_ = DataFolder();
  if (const int error = MakeFolder(session->data_folder_); error != 0) {
    status = Fail(kExitFailure, FileError("create the data folder", session->data_folder_, error));
    return nullptr;
  }
  session->writable_ = access == StoreAccess::kWrite;
  if (session->writable_ &&
      !session->lock_.TryAcquire(session->data_folder_, LockHolder::kCommandLine)) {
    const int reason = errno;
    if (!InstanceLock::IsHeldByAnother(session->data_folder_)) {
      const std::string lock_path = session->data_folder_ + "/" + InstanceLock::kFileName;
      status = Fail(kExitFailure, FileError("lock", lock_path, reason));
    } else {
      status = Fail(kExitLocked, LockedMessage(session->data_folder_));
    }
    return nullptr;
  }
  LoadSettings(session->settings_);
  SetCurrentSettings(session->settings_);
  session->code_page_ = CodePageForSettings(session->settings_);
  session->options_ = StoreOptionsForSettings(session->settings_);
  // A large store's record texts are most of its size and of the memory it takes.
  session->options_.record_texts = access != StoreAccess::kCount;

  const std::string store_path = session->data_folder_ + "/" + kColumnStoreName;
  errno = 0;
  if (!LoadColumnStore(session->tree_, session->data_folder_, session->options_)) {
    const int error = errno;
    if (FileExists(store_path)) {
      status = Fail(kExitFailure, FileError("read", store_path, error));
      return nullptr;
    }
  }
  WarnIfDamagedAtLoad(store_path);
  status = kExitOk;
  return session;
}

std::string ColumnStoreSession::ToUtf8(std::string_view bytes) const {
  return CodePageToUtf8(bytes, code_page_);
}

std::string ColumnStoreSession::FromUtf8(std::string_view utf8) const {
  return CodePageFromUtf8(utf8, code_page_);
}

TreeNodeRef ColumnStoreSession::FindNode(std::string_view id_text) const {
  const std::optional<int32_t> id = ParseNodeId(id_text);
  if (!id) {
    Fail(kExitFailure, "not a node id: " + std::string(id_text));
    return nullptr;
  }
  TreeNodeRef node = tree_.FindById(*id);
  if (!node) Fail(kExitFailure, "no column or group with id " + std::to_string(*id));
  return node;
}

std::shared_ptr<Column> ColumnStoreSession::FindColumn(std::string_view id_text) const {
  const TreeNodeRef node = FindNode(id_text);
  if (!node) return nullptr;
  auto column = std::dynamic_pointer_cast<Column>(node);
  if (!column) Fail(kExitFailure, "node " + std::string(id_text) + " is a group, not a column");
  return column;
}

bool ColumnStoreSession::Save() {
  if (!writable_) {
    Fail(kExitFailure, "the columns store was opened for reading only");
    return false;
  }
  const std::string store_path = data_folder_ + "/" + kColumnStoreName;
  const bool kept_before = KeptCopyExists(store_path);
  errno = 0;
  if (SaveColumnStore(tree_, data_folder_, options_)) {
    if (!kept_before) WarnIfDamagedKept(store_path);
    return true;
  }
  Fail(kExitFailure, FileError("write", store_path, errno));
  return false;
}

}  // namespace tarsel::cli
