#pragma once

// The texts the services show the user (weblog checks and failures, the XML-RPC fault, the
// new-version notice), with the string ids a translation replaces them by. The English stays
// here beside the code that shows it; the desktop's string table lists the same ids, so the
// translation files and their completeness test cover them. Bytes in the program's code page.

namespace tarsel {

namespace text {
inline constexpr int kServiceSelectBlogTool = 65100;
inline constexpr int kServiceEnterAccountName = 65101;
inline constexpr int kServiceEnterAccountPassword = 65102;
inline constexpr int kServiceEnterMovableTypeHost = 65103;
inline constexpr int kServiceEnterMovableTypePage = 65104;
inline constexpr int kServiceLiveJournalFailureCaption = 65105;
inline constexpr int kServiceLiveJournalFailure = 65106;
inline constexpr int kServiceBlogSettingsCaption = 65107;
inline constexpr int kServiceBlogSettingsMissing = 65108;
inline constexpr int kServiceBlogSettingsInvalid = 65109;
inline constexpr int kServiceXmlRpcFailureCaption = 65110;
inline constexpr int kServiceNewVersionCaption = 65111;
inline constexpr int kServiceNewVersionDontTellAgain = 65112;
inline constexpr int kServiceNewVersionAvailable = 65113;
inline constexpr int kServiceNewVersionVersion = 65114;
inline constexpr int kServiceNewVersionChanges = 65115;
}  // namespace text

inline constexpr char kSelectBlogToolText[] = "Select Blog Tool";
inline constexpr char kEnterAccountNameText[] = "Enter Account Name";
inline constexpr char kEnterAccountPasswordText[] = "Enter Account Password";
inline constexpr char kEnterMovableTypeHostText[] = "Enter Movable Type Host";
inline constexpr char kEnterMovableTypePageText[] = "Enter Movable Type Page";
inline constexpr char kNewVersionAvailableText[] =
    "New version of Tarsel is availible for download";
// The notice's line labels; the version and the changes follow them.
inline constexpr char kNewVersionVersionText[] = "Version: ";
inline constexpr char kNewVersionChangesText[] = "Last Changes:";

}  // namespace tarsel
