// Built-in English texts of the weblog editor, the directory search and their dialogs.
#include "view/blog_strings.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {text::kBlogEdit, "Edit"},
    {text::kBlogWysiwyg, "WYSIWYG"},
    {text::kBlogPreview, "Preview"},
    {text::kBlogSettings, "Settings"},
    {text::kBlogPost, "Post"},
    {text::kBlogTitle, "Title"},
    {text::kBlogBold, "Bold"},
    {text::kBlogItalic, "Italic"},
    {text::kBlogUnderline, "Underline"},
    {text::kBlogAlignLeft, "Align Left"},
    {text::kBlogCenter, "Center"},
    {text::kBlogAlignRight, "Align Right"},
    {text::kBlogJustify, "Justify"},
    {text::kBlogCut, "Cut"},
    {text::kBlogCopy, "Copy"},
    {text::kBlogPaste, "Paste"},
    {text::kBlogEditorCaption, "Blogger"},
    {text::kBlogSettingsCaption, "Blog Settings"},
    {text::kBlogTool, "Blogging tool"},
    {text::kBlogToolBuiltIn, "Built-in editor"},
    {text::kBlogToolBloggar, "w.Bloggar"},
    {text::kBlogService, "Service"},
    {text::kBlogHost, "Host"},
    {text::kBlogPage, "Page"},
    {text::kBlogAccountName, "Account Name"},
    {text::kBlogAccountPassword, "Account Password"},
    {text::kBlogPosting, "Posting to the weblog..."},
    {text::kBlogCancel, "Cancel"},
    {text::kSearchCaption, "Find RSS Feeds With Syndic8"},
    {text::kSearchFindWhat, "Find What"},
    {text::kSearchBy, "Search By"},
    {text::kSearchSiteUrl, "Site Url"},
    {text::kSearchFeedTitle, "Feed Title"},
    {text::kSearchFeedDescription, "Feed Description"},
    {text::kSearchFind, "Find"},
    {text::kSearchProcessingRequest, "Processing Request"},
    {text::kSearchProcessingResponse, "Processing Responce"},
    {text::kSearchParsingResponse, "Parsing Responce (%d results)"},
    {text::kSearchResultCaption, "Search Result"},
    {text::kSearchErrorInResponse, "Error in Responce"},
    {text::kSearchEmptyResponse, "Responce is Empty"},
    {text::kSearchFoundColumns, "found columns"},
};
}  // namespace

std::span<const StringEntry> BlogStrings() {
  return kStrings;
}

}  // namespace tarsel
