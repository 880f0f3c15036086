// The services' own texts (weblog checks and failures, the XML-RPC fault, the new-version notice)
// in the string table, so translations cover them; the English stays with the services.
#include "services/blog_posting.h"
#include "services/service_texts.h"
#include "services/version_compare.h"
#include "services/xml_rpc_call.h"
#include "view/string_table.h"

namespace tarsel {

namespace {
constexpr StringEntry kStrings[] = {
    {text::kServiceSelectBlogTool, kSelectBlogToolText},
    {text::kServiceEnterAccountName, kEnterAccountNameText},
    {text::kServiceEnterAccountPassword, kEnterAccountPasswordText},
    {text::kServiceEnterMovableTypeHost, kEnterMovableTypeHostText},
    {text::kServiceEnterMovableTypePage, kEnterMovableTypePageText},
    {text::kServiceLiveJournalFailureCaption, kLiveJournalFailureCaption},
    {text::kServiceLiveJournalFailure, kLiveJournalFailureText},
    {text::kServiceBlogSettingsCaption, kBlogSettingsCaption},
    {text::kServiceBlogSettingsMissing, kBlogSettingsMissingText},
    {text::kServiceBlogSettingsInvalid, kBlogSettingsInvalidText},
    {text::kServiceXmlRpcFailureCaption, kXmlRpcFailureCaption},
    {text::kServiceNewVersionCaption, kNewVersionCaption},
    {text::kServiceNewVersionDontTellAgain, kNewVersionDontTellAgain},
    {text::kServiceNewVersionAvailable, kNewVersionAvailableText},
    {text::kServiceNewVersionVersion, kNewVersionVersionText},
    {text::kServiceNewVersionChanges, kNewVersionChangesText},
};
}  // namespace

std::span<const StringEntry> ServiceStrings() {
  return kStrings;
}

}  // namespace tarsel
