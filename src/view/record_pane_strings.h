#pragma once

// Ids of the record pane's own texts (the 61000 range); the texts are in
// strings_record_pane.cpp and are read with GetText.

namespace tarsel {

inline constexpr int kTextCannotFind = 61001;  // "%s" is the text searched for
inline constexpr int kTextFindCaption = 61002;
inline constexpr int kTextFindWhat = 61003;
inline constexpr int kTextFindWholeWord = 61004;
inline constexpr int kTextFindMatchCase = 61005;
inline constexpr int kTextFindNext = 61006;
inline constexpr int kTextFindCancel = 61007;
inline constexpr int kTextRecordPaneName = 61008;
inline constexpr int kTextBrowserTabName = 61009;
inline constexpr int kTextTabAreaName = 61010;
inline constexpr int kTextBlankTab = 61011;
inline constexpr int kTextComments = 61012;  // the record's comments link

}  // namespace tarsel
