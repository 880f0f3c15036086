#pragma once

// String ids of the main window's own texts (menu titles and entries, messages). The English
// texts are in strings_main_window.cpp; a translation may replace any of them.

namespace tarsel::text {

// Texts the program has always had under these ids.
inline constexpr int kReady = 57345;
inline constexpr int kUpdatingPane = 189;
inline constexpr int kWaitingPane = 190;
inline constexpr int kColumnsTreeTitle = 432;
inline constexpr int kMemoriesTitle = 433;
inline constexpr int kChannelDescription = 434;
inline constexpr int kColumnCaption = 435;
inline constexpr int kColumnsTab = 436;

inline constexpr int kWindowTitle = 60001;  // "Tarsel %s"
inline constexpr int kNotAvailableCaption = 60002;
inline constexpr int kNotAvailableText = 60003;  // "%s": the command's menu text
inline constexpr int kQuestionCaption = 60004;
inline constexpr int kDeleteGroupQuestion = 60005;
inline constexpr int kDeleteColumnQuestion = 60006;
inline constexpr int kDeleteColumnsQuestion = 60007;  // "%d": how many
inline constexpr int kDroppedColumnName = 60008;
inline constexpr int kDuplicateUrl = 60009;  // "%s": the URL
inline constexpr int kNotificationCaption = 60010;
inline constexpr int kNotConnected = 60011;
inline constexpr int kConnectionErrorCaption = 60012;
inline constexpr int kSaveFailed = 60013;  // "%s": the file
inline constexpr int kSaveFailedCaption = 60014;
inline constexpr int kStoreDamaged = 60015;  // "%s": the file
inline constexpr int kAboutCaption = 60016;
inline constexpr int kAboutText = 60017;
inline constexpr int kOffline = 60018;
inline constexpr int kRetry = 60019;
inline constexpr int kQuit = 60020;

// Menu titles.
inline constexpr int kMenuFile = 60100;
inline constexpr int kMenuNew = 60101;
inline constexpr int kMenuOpenImport = 60102;
inline constexpr int kMenuEdit = 60103;
inline constexpr int kMenuView = 60104;
inline constexpr int kMenuLayout = 60105;
inline constexpr int kMenuFilters = 60106;
inline constexpr int kMenuTools = 60107;
inline constexpr int kMenuHelp = 60108;
inline constexpr int kMenuFeedback = 60109;
inline constexpr int kMenuToMemories = 60110;
inline constexpr int kMenuNewContext = 60111;
inline constexpr int kMenuImport = 60112;
inline constexpr int kMenuSet = 60113;

// Menu entry texts.
enum MenuEntryText : int {
  kEntryColumnRss = 60200,
  kEntryColumnsGroup = 60201,
  kEntryLjFriend = 60202,
  kEntryYahooGroup = 60203,
  kEntryMoreover = 60204,
  kEntryNewsIsFree = 60205,
  kEntryMyRss = 60206,
  kEntryUrl = 60207,
  kEntryFile = 60208,
  kEntryLoadOpml = 60209,
  kEntryExportFeeds = 60210,
  kEntryExportToOpml = 60211,
  kEntryExitMain = 60212,
  kEntryExit = 60213,
  kEntryCopy = 60214,
  kEntryFind = 60215,
  kEntryFindNext = 60216,
  kEntryFindRecords = 60217,
  kEntryToolbar = 60218,
  kEntryStatusBar = 60219,
  kEntryHorizontalSplit = 60220,
  kEntryVerticalSplit = 60221,
  kEntryMemories = 60222,
  kEntryDescriptions = 60223,
  kEntryHideTree = 60224,
  kEntryBlogger = 60225,
  kEntrySettings = 60226,
  kEntryUpdateAll = 60227,
  kEntryStopAll = 60228,
  kEntryOffline = 60229,
  kEntryIncreaseText = 60230,
  kEntryDecreaseText = 60231,
  kEntryHelpTopics = 60232,
  kEntryHomePage = 60233,
  kEntryBugReport = 60234,
  kEntrySuggestions = 60235,
  kEntryInformationRequest = 60236,
  kEntryAbout = 60237,
  kEntryRestore = 60238,
  kEntryGroupProperties = 60239,
  kEntryDeleteGroup = 60240,
  kEntryColumnProperties = 60241,
  kEntryUpdateColumn = 60242,
  kEntryStopColumnUpdate = 60243,
  kEntryDeleteColumn = 60244,
  kEntryUpdateSelectedColumns = 60245,
  kEntryStopUpdate = 60246,
  kEntryDeleteSelectedColumns = 60247,
  kEntryUpdateInterval = 60248,
  kEntryArchiving = 60249,
  kEntryMarkAllRead = 60250,
  kEntryMarkAllUnread = 60251,
  kEntryMarkAllItemsRead = 60252,
  kEntryMarkAllItemsUnread = 60253,
  kEntryMarkItemRead = 60254,
  kEntryMarkItemUnread = 60255,
  kEntryPersisted = 60256,
  kEntryCopyToClipboard = 60257,
  kEntryBlogIt = 60258,
  kEntryNewMemoriesColumn = 60259,
  kEntryBlogSelection = 60260,
  kEntryCopySelection = 60261,
  kEntryShowTitle = 60262,
  kEntryShowReceived = 60263,
  kEntryShowAuthor = 60264,
  kEntryShowSubject = 60265,
  kEntryCloseWindow = 60266,
  kEntryCopyLinkAddress = 60267,
  kEntryOpenExternal = 60268,
  kEntryCloseAll = 60269,
  kEntryNewMemoriesGroup = 60270,
  kEntryNewMemoriesChannel = 60271,
  kEntryMemoriesGroupProperties = 60272,
  kEntryProperties = 60273,
  kEntryDelete = 60274,
  kEntryDirectorySearch = 60275,
  kEntryPrevUnread = 60276,
  kEntryNextUnread = 60277,
  kEntryUpdate = 60278,
  kEntryPaste = 60279,
};

}  // namespace tarsel::text
