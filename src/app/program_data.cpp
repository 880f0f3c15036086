#include "app/program_data.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "app/area_options.h"
#include "html/cleaning.h"
#include "platform/atomic_file.h"
#include "platform/folders.h"
#include "settings/settings_file.h"
#include "store/store_damage.h"
#include "store/store_files.h"

namespace tarsel {
namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

void MakeFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
}

}  // namespace

StoreOptions StoreOptionsForSettings(const Settings& settings) {
  StoreOptions options;
  options.column_defaults.update_interval = settings.updateperiod;
  options.column_defaults.archive_enabled = settings.archive_enable;
  options.column_defaults.archive_by_count = settings.archive_by_records;
  options.column_defaults.archive_depth = settings.archive_depth;
  options.make_summary = [read = FeedReadOptionsForSettings(settings)](
                             const std::string& description, const std::string&) {
    return HTML::MakeSummary(description, read.summary_lines, read.code_page);
  };
  options.save_columns_mode = settings.save_columns_mode;
  return options;
}

void LoadProgramData(ProgramData& data) {
  LoadProgramSettings(data);
  LoadProgramStores(data);
}

void LoadProgramSettings(ProgramData& data) {
  data.data_folder = DataFolder();
  MakeFolder(data.data_folder);
  MakeFolder(data.data_folder + "/Cache");
  if (!LoadSettings(data.settings) && Exists(SettingsFilePath())) {
    data.damaged_files.push_back("settings.xml");
  }
  SetCurrentSettings(data.settings);
  data.store_options = StoreOptionsForSettings(data.settings);
}

void LoadProgramStores(ProgramData& data) {
  // A store that read only in part opens with what was read; the store layer keeps the damaged
  // file before the first write, and the window tells the user once.
  auto note_store = [&data](bool loaded, const char* name) {
    const std::string path = data.data_folder + "/" + name;
    if ((!loaded && Exists(path)) || StoreDamageAtLoad(path)) data.damaged_files.push_back(name);
  };
  note_store(LoadColumnStore(data.columns, data.data_folder, data.store_options), kColumnStoreName);
  note_store(LoadMemoriesStore(data.memories, data.data_folder, data.store_options),
             kMemoriesStoreName);
}

std::vector<std::string> PreserveDamagedFiles(const ProgramData& data) {
  std::vector<std::string> copies;
  for (const std::string& name : data.damaged_files) {
    // The stores keep their own dated copy before their first write.
    if (name == kColumnStoreName || name == kMemoriesStoreName) continue;
    const std::string path = data.data_folder + "/" + name;
    const std::optional<FileContent> content = ReadWholeFile(path);
    if (!content) continue;
    const std::string copy = path + ".damaged";
    if (WriteFileAtomically(copy, content->view())) copies.push_back(copy);
  }
  return copies;
}

bool SaveColumns(ProgramData& data) {
  data.store_options.save_columns_mode = data.settings.save_columns_mode;
  return SaveColumnStore(data.columns, data.data_folder, data.store_options);
}

bool SaveMemories(ProgramData& data) {
  return SaveMemoriesStore(data.memories, data.data_folder, data.store_options);
}

bool SaveProgramSettings(const ProgramData& data) {
  return SaveSettings(data.settings);
}

}  // namespace tarsel
