#pragma once

// String ids of the records list's own texts (the classic ids of its header, empty texts, quick
// views and search are used as numbers where they appear). English texts are in
// strings_records_list.cpp.

namespace tarsel {

inline constexpr int kTextHeaderTitle = 414;
inline constexpr int kTextHeaderReadState = 446;
inline constexpr int kTextHeaderReceived = 447;
inline constexpr int kTextHeaderSubject = 448;
inline constexpr int kTextHeaderAuthor = 449;
inline constexpr int kTextHeaderPersistence = 450;
inline constexpr int kTextColumnUpdating = 451;
inline constexpr int kTextNoRecords = 452;
inline constexpr int kTextQuickViewNoRecords = 464;
inline constexpr int kTextNoRecordsFound = 465;
inline constexpr int kTextSearchResult = 470;

inline constexpr int kTextEmptyCell = 62000;
inline constexpr int kTextNoItems = 62001;
inline constexpr int kTextSortBy = 62002;
inline constexpr int kTextDeletePersistent = 62003;
inline constexpr int kTextDeletePersistentCaption = 62004;
inline constexpr int kTextMarkItemRead = 62010;
inline constexpr int kTextMarkItemUnread = 62011;
inline constexpr int kTextPersisted = 62012;
inline constexpr int kTextMarkAllRead = 62013;
inline constexpr int kTextMarkAllUnread = 62014;
inline constexpr int kTextCopyToClipboard = 62015;
inline constexpr int kTextBlogIt = 62016;
inline constexpr int kTextNewMemoriesColumn = 62018;
inline constexpr int kTextShowTitle = 62020;
inline constexpr int kTextShowReceived = 62021;
inline constexpr int kTextShowAuthor = 62022;
inline constexpr int kTextShowSubject = 62023;
inline constexpr int kTextFindRecords = 62030;
inline constexpr int kTextFindItemsWhere = 62031;
inline constexpr int kTextOnlyUnread = 62032;
inline constexpr int kTextWholeWord = 62033;
inline constexpr int kTextMatchCase = 62034;
inline constexpr int kTextFind = 62035;
inline constexpr int kTextCancel = 62036;
inline constexpr int kTextAllFields = 62040;
inline constexpr int kTextAnyFields = 62041;
inline constexpr int kTextFieldTitle = 62042;
inline constexpr int kTextItemContent = 62043;
inline constexpr int kTextFieldLink = 62044;
inline constexpr int kTextContains = 62045;
inline constexpr int kTextNotContains = 62046;
inline constexpr int kTextRecordsListName = 62050;
inline constexpr int kTextQuickViewsName = 62051;
inline constexpr int kTextFindText = 62052;
inline constexpr int kTextFindField = 62053;
inline constexpr int kTextFindCondition = 62054;

}  // namespace tarsel
