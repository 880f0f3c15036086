#pragma once

// String ids of the weblog editor, its settings dialog and the directory search (our own range
// 65000-65999). No Qt here.

#include <cstdint>

namespace tarsel {

namespace text {
inline constexpr int kBlogEdit = 65000;
inline constexpr int kBlogWysiwyg = 65001;
inline constexpr int kBlogPreview = 65002;
inline constexpr int kBlogSettings = 65003;
inline constexpr int kBlogPost = 65004;
inline constexpr int kBlogTitle = 65005;
inline constexpr int kBlogBold = 65006;
inline constexpr int kBlogItalic = 65007;
inline constexpr int kBlogUnderline = 65008;
inline constexpr int kBlogAlignLeft = 65009;
inline constexpr int kBlogCenter = 65010;
inline constexpr int kBlogAlignRight = 65011;
inline constexpr int kBlogJustify = 65012;
inline constexpr int kBlogCut = 65013;
inline constexpr int kBlogCopy = 65014;
inline constexpr int kBlogPaste = 65015;
inline constexpr int kBlogEditorCaption = 65016;
inline constexpr int kBlogSettingsCaption = 65017;
inline constexpr int kBlogTool = 65018;
inline constexpr int kBlogToolBuiltIn = 65019;
inline constexpr int kBlogToolBloggar = 65020;
inline constexpr int kBlogService = 65021;
inline constexpr int kBlogHost = 65022;
inline constexpr int kBlogPage = 65023;
inline constexpr int kBlogAccountName = 65024;
inline constexpr int kBlogAccountPassword = 65025;
inline constexpr int kBlogPosting = 65026;
inline constexpr int kBlogCancel = 65027;
inline constexpr int kSearchCaption = 65030;
inline constexpr int kSearchFindWhat = 65031;
inline constexpr int kSearchBy = 65032;
inline constexpr int kSearchSiteUrl = 65033;
inline constexpr int kSearchFeedTitle = 65034;
inline constexpr int kSearchFeedDescription = 65035;
inline constexpr int kSearchFind = 65036;
inline constexpr int kSearchProcessingRequest = 65037;
inline constexpr int kSearchProcessingResponse = 65038;
inline constexpr int kSearchParsingResponse = 65039;
inline constexpr int kSearchResultCaption = 65040;
inline constexpr int kSearchErrorInResponse = 65041;
inline constexpr int kSearchEmptyResponse = 65042;
inline constexpr int kSearchFoundColumns = 65043;
}  // namespace text

// The code page of text handed to the visual editor and the preview: 1252 for the Western
// Europe choice, 1251 for Cyrillic Windows, else the system's.
int BlogPageCodePage(int32_t encoding);

}  // namespace tarsel
