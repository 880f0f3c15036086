#pragma once

// What the desktop program (and `tarsel-cli run`) holds while it runs: the data folder, the
// settings, the columns tree and the memories tree, loaded at start-up and written at exit.
//
// Main thread only. Loading never fails as a whole: a missing file gives the defaults or an
// empty tree. A file that exists but was damaged (or could not be read) is listed in
// `damaged_files`; before the first save overwrites it with what could be read, the caller
// tells the user once and PreserveDamagedFiles keeps a copy beside it.

#include <string>
#include <vector>

#include "settings/settings.h"
#include "store/column_tree.h"
#include "store/store_archive.h"

namespace tarsel {

struct ProgramData {
  std::string data_folder;
  Settings settings;
  StoreOptions store_options;
  ColumnTree columns;
  ColumnTree memories;
  std::vector<std::string> damaged_files;  // names inside the data folder
};

// The options the stores are read and written with, from the user's settings: new columns
// take updateperiod and the archive entries; summaries of old stores follow the line limit.
StoreOptions StoreOptionsForSettings(const Settings& settings);

// Creates the data folder and its Cache folder (failures ignored), reads settings.xml (which
// also becomes the process-wide settings), columns.dat and memories.dat.
void LoadProgramData(ProgramData& data);
// Its two halves. The first is the folders and settings (main thread). The second reads the
// stores into data's trees with data.store_options; it may run on a worker when nothing else
// touches `data` meanwhile.
void LoadProgramSettings(ProgramData& data);
void LoadProgramStores(ProgramData& data);

// Copies each damaged file to NAME.damaged (replacing an older copy), so the save that follows
// cannot lose what the reader could not understand. Returns the copies' paths.
std::vector<std::string> PreserveDamagedFiles(const ProgramData& data);

// The store writers. False when the file could not be written: the old one then stays.
bool SaveColumns(ProgramData& data);
bool SaveMemories(ProgramData& data);
// settings.xml from data.settings (the caller stores the window's state into it first).
bool SaveProgramSettings(const ProgramData& data);

}  // namespace tarsel
