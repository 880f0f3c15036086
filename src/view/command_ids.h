#pragma once

// The main window's command ids: the action data of every menu entry, toolbar button and key.

namespace tarsel::cmd {

// File
inline constexpr int kNewColumn = 40225;
inline constexpr int kNewColumnKey = 57600;  // Ctrl+N and the toolbar's "new" button
inline constexpr int kOpenColumn = 57601;    // toolbar: shows the import menu
inline constexpr int kNewGroup = 32786;
inline constexpr int kNewFriendColumn = 40231;
inline constexpr int kNewYahooGroup = 40235;
inline constexpr int kImportMoreover = 40227;
inline constexpr int kImportNewsIsFree = 40228;
inline constexpr int kImportMyRss = 40229;
inline constexpr int kImportUrl = 40232;
inline constexpr int kImportFile = 40233;
inline constexpr int kLoadOpml = 481;
inline constexpr int kExportFeeds = 40234;
inline constexpr int kExportGroupOpml = 40253;
inline constexpr int kExit = 57665;
// Edit
inline constexpr int kCopy = 354;
inline constexpr int kCopyKey = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kFind = 40241;
inline constexpr int kFindNext = 355;
inline constexpr int kFindRecords = 408;
// View
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kHorizontalSplit = 40242;
inline constexpr int kVerticalSplit = 40243;
inline constexpr int kToggleMemories = 32881;
inline constexpr int kToggleDescriptions = 32880;
inline constexpr int kHideTreeWhileBrowsing = 32878;
inline constexpr int kQuickViewFirst = 40261;  // 40261..40268, the eight quick views
inline constexpr int kQuickViewLast = 40268;
// Tools
inline constexpr int kBlogger = 40236;
inline constexpr int kSettings = 32792;
inline constexpr int kTreeSettings = 32788;
inline constexpr int kUpdateAll = 32868;
inline constexpr int kStopAll = 32787;
inline constexpr int kOfflineMode = 40254;
inline constexpr int kIncreaseTextSize = 40274;
inline constexpr int kDecreaseTextSize = 40275;
// Help
inline constexpr int kHelpTopics = 40217;
inline constexpr int kHelpTopicsTree = 57670;
inline constexpr int kHomePage = 40214;
inline constexpr int kBugReport = 40215;
inline constexpr int kSuggestions = 40216;
inline constexpr int kInformationRequest = 40220;
inline constexpr int kAbout = 57664;
// Tray
inline constexpr int kRestore = 40221;
// Columns tree
inline constexpr int kGroupProperties = 32774;
inline constexpr int kDeleteGroup = 32780;
inline constexpr int kColumnProperties = 32802;
inline constexpr int kUpdateColumn = 32801;
inline constexpr int kUpdateSelected = 32775;  // F5 and the toolbar's "Update"
inline constexpr int kStopSelected = 32789;    // F6 and the toolbar's "Stop Update"
inline constexpr int kStopColumnUpdate = 40222;
inline constexpr int kDeleteColumn = 40273;
inline constexpr int kUpdateSelectedColumns = 40269;
inline constexpr int kStopSelectedColumns = 40270;
inline constexpr int kDeleteSelectedColumns = 32800;
inline constexpr int kDeleteSelectedColumnsKey = 32805;
inline constexpr int kSetUpdateInterval = 40271;
inline constexpr int kSetArchiving = 40272;
inline constexpr int kMarkAllRead = 40237;
inline constexpr int kMarkAllUnread = 40238;
inline constexpr int kMarkAllReadButton = 32879;
// Records list
inline constexpr int kMarkItemRead = 40244;
inline constexpr int kMarkItemUnread = 40245;
inline constexpr int kTogglePersisted = 40246;
inline constexpr int kCopyToClipboard = 40247;
inline constexpr int kBlogIt = 40252;
inline constexpr int kBlogItSingle = 40213;
inline constexpr int kRecordToNewMemories = 40277;
inline constexpr int kSelectionToNewMemories = 40276;
inline constexpr int kBlogSelection = 40239;
inline constexpr int kCopySelection = 40240;
inline constexpr int kShowTitle = 40248;
inline constexpr int kShowReceived = 40249;
inline constexpr int kShowAuthor = 40250;
inline constexpr int kShowSubject = 40251;
inline constexpr int kPrevUnread = 32870;
inline constexpr int kNextUnread = 32871;
inline constexpr int kDeleteRecord = 34001;  // the Delete key of the records list; in no menu
// Browser tabs
inline constexpr int kCloseTab = 32796;
inline constexpr int kCopyLinkAddress = 32797;
inline constexpr int kOpenInExternalBrowser = 32873;
inline constexpr int kCloseAllTabs = 32798;
// Memories tree
inline constexpr int kNewMemoriesGroup = 40204;
inline constexpr int kNewMemoriesColumn = 40205;
inline constexpr int kMemoriesGroupProperties = 40206;
inline constexpr int kMemoriesColumnProperties = 40207;
inline constexpr int kDeleteMemoriesColumn = 40208;
inline constexpr int kDeleteMemoriesGroup = 40209;
// Toolbar
inline constexpr int kDirectorySearch = 32869;

}  // namespace tarsel::cmd
