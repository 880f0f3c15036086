#pragma once

// The ids translation files address dialogs by (their <dialog value=...> entries). Dialogs that
// existing translation files already name keep those ids; the others take ids from 700 up. A
// dialog's controls are addressed by the string id of their text.

namespace tarsel::dialog {

inline constexpr int kDownloadingFile = 273;
inline constexpr int kImportFeeds = 310;
inline constexpr int kNewFriend = 311;
inline constexpr int kEnterUrl = 316;
inline constexpr int kNewYahooGroup = 317;
inline constexpr int kSettingsGeneral = 320;
inline constexpr int kSettingsProxy = 321;
inline constexpr int kSettingsMail = 364;
inline constexpr int kSettingsInterface = 368;
inline constexpr int kSettingsBlog = 401;
inline constexpr int kSettingsColumns = 402;
inline constexpr int kFindRecords = 409;
inline constexpr int kSettingsFont = 479;

inline constexpr int kSettingsWindow = 700;
inline constexpr int kMemoriesGroupName = 701;
inline constexpr int kMemoriesColumnName = 702;
inline constexpr int kNewGroup = 703;
inline constexpr int kGroupProperties = 704;
inline constexpr int kBlogSettings = 705;

}  // namespace tarsel::dialog
