#pragma once

// The maker's addresses and the feedback commands of the Help menu. Main thread; launches
// fail silently.

#include <string>

namespace tarsel {

inline constexpr const char* kSupportMailAddress = "support@tarsel.example";
inline constexpr const char* kGeneralMailAddress = "info@tarsel.example";
inline constexpr const char* kHomePageUrl = "https://tarsel.example/";

enum class FeedbackKind { kBugReport, kSuggestion, kInformationRequest };

// The mailto address of a feedback mail, its subject naming the product version, e.g.
// "mailto:support@tarsel.example?subject=Bug%20Report[Tarsel - 2.0 build 158]".
std::string FeedbackMailUrl(FeedbackKind kind);

// Starts a feedback mail in the user's mail program.
void SendFeedback(FeedbackKind kind);
// Opens the maker's product page in the browser.
void OpenHomePage();

}  // namespace tarsel
