#pragma once

// String ids of the names assistive technology hears for panes and controls that show no text
// of their own (splitters, bars, lists, progress, icon cells). English in strings_accessible.cpp.

namespace tarsel::text {

inline constexpr int kAccessibleMainSplitter = 61900;
inline constexpr int kAccessibleMenuBar = 61901;
inline constexpr int kAccessibleToolbar = 61902;
inline constexpr int kAccessibleQuickViews = 61903;
inline constexpr int kAccessibleStatusBar = 61904;
inline constexpr int kAccessibleStatus = 61905;
inline constexpr int kAccessibleTreesSplitter = 61906;
inline constexpr int kAccessibleRecords = 61907;
inline constexpr int kAccessibleRecord = 61908;
inline constexpr int kAccessibleRecordsSplitter = 61909;
inline constexpr int kAccessibleTabs = 61910;
inline constexpr int kAccessibleAnimation = 61911;
inline constexpr int kAccessibleBlogTabs = 61912;
inline constexpr int kAccessibleBlogToolbar = 61913;
inline constexpr int kAccessibleSearchProgress = 61914;
inline constexpr int kAccessibleSearchStatus = 61915;
// What the records list's icon cells say.
inline constexpr int kAccessibleUnread = 61916;
inline constexpr int kAccessibleRead = 61917;
inline constexpr int kAccessibleNew = 61918;
inline constexpr int kAccessiblePersistent = 61919;
inline constexpr int kAccessibleNotPersistent = 61920;

}  // namespace tarsel::text
