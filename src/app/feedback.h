#pragma once

// The feedback commands of the Help menu, to the makers' addresses the build names. Main
// thread; launches fail silently.

#include <string>

#include "services/project_addresses.h"

namespace tarsel {

enum class FeedbackKind { kBugReport, kSuggestion, kInformationRequest };

// The mailto address of a feedback mail, its subject naming the product version, e.g.
// "mailto:support@host?subject=Bug%20Report[Tarsel - 2.0 build 158]". Without an address from
// the build the mail goes to nobody yet ("mailto:?subject=..."): the user fills it in.
std::string FeedbackMailUrl(FeedbackKind kind,
                            const ProjectAddresses& addresses = BuiltInAddresses());

// Starts a feedback mail in the user's mail program.
void SendFeedback(FeedbackKind kind);
// Opens the makers' product page in the browser; without one from the build, the help pages.
void OpenHomePage();

}  // namespace tarsel
