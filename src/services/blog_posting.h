#pragma once

// Posting a text to a weblog: Blogger and Movable Type through the Blogger API, LiveJournal
// through its own XML-RPC interface, or the external weblog client through its post file. The
// window side (editor, settings dialog, messages) comes in through BlogDesk, so all the rules
// live here without a toolkit.
//
// Texts are bytes in the program's code page. The posting calls block their thread until the
// HTTP exchange ends: the desktop program runs them on a worker with a BlogPostContext whose
// prompt only records (UserPrompt is main-thread only) and shows what it heard afterwards.

#include <ctime>
#include <functional>
#include <string>

#include "platform/notifier.h"
#include "services/xml_rpc_call.h"
#include "services/xml_rpc_request.h"
#include "settings/settings.h"

namespace tarsel {

inline constexpr char kBlogToolBuiltIn[] = "build in";
inline constexpr char kBlogToolBloggar[] = "w.Bloggar";
inline constexpr char kBlogServiceBlogger[] = "Blogger";
inline constexpr char kBlogServiceLiveJournal[] = "LiveJournal";
inline constexpr char kBlogServiceMovableType[] = "Movable Type";

// Sent as the first parameter of every Blogger API call.
inline constexpr char kBloggerApplicationKey[] = "7C1A9E04B3D25F68E0A4C79D15B8F2E63A0D4C91";
// The services' documented XML-RPC addresses: the Blogger API 1.0 and LiveJournal's interface.
inline constexpr char kBloggerDefaultHost[] = "http://plant.blogger.com";
inline constexpr char kBloggerDefaultPage[] = "/api/RPC2";
inline constexpr char kLiveJournalDefaultEndpoint[] = "http://www.livejournal.com/interface/xmlrpc";
inline constexpr char kMovableTypeHostPlaceholder[] = "http://your.host";
inline constexpr char kMovableTypePagePlaceholder[] = "/yourmtfolder/mt-xmlrpc.cgi";

inline constexpr char kLiveJournalFailureCaption[] = "error";
inline constexpr char kLiveJournalFailureText[] = "LiveJournal Posting  failed";
inline constexpr char kBlogSettingsCaption[] = "Error";
inline constexpr char kBlogSettingsMissingText[] = "Please Fill Yor Blog Settings";
inline constexpr char kBlogSettingsInvalidText[] = "You Blog Settings not valid.\n Can't blog";

// The endpoints the program posts to when the settings do not name one (tests point them at
// loopback servers).
struct BlogEndpoints {
  std::string blogger = std::string(kBloggerDefaultHost) + kBloggerDefaultPage;
  std::string livejournal = kLiveJournalDefaultEndpoint;
};

// What one posting needs; taken whole by the thread that posts.
struct BlogPostContext {
  BlogSettings blog;
  BlogEndpoints endpoints;
  HTTP::ClientOptions http;
  // Hears "postevent error" and the LiveJournal failure; null shows nothing. Not owned.
  UserPrompt* prompt = nullptr;
  // Stops the calls from another thread. Not owned.
  XmlRpcCancel* cancel = nullptr;
  // The current time (LiveJournal sends it as local time).
  std::function<std::time_t()> now = [] { return std::time(nullptr); };
};

// Blogger: host + page when both are set, else the built-in endpoint; Movable Type: host + page.
std::string BloggerEndpoint(const BlogSettings& blog, const BlogEndpoints& endpoints);

// blogger.getUsersBlogs; the "blogid" of the first blog, or empty (nothing of another shape).
std::string BloggerGetBlogId(const std::string& endpoint, const BlogPostContext& context);
// The blog id, then blogger.newPost with content published at once. The title is not sent.
void BloggerPost(const std::string& endpoint, const std::string& content,
                 const BlogPostContext& context);

// The LJ.XMLRPC.postevent call for the local time `local`.
XmlRpcRequest LiveJournalRequest(const BlogSettings& blog, const std::string& title,
                                 const std::string& event, const std::tm& local);
void LiveJournalPost(const std::string& title, const std::string& event,
                     const BlogPostContext& context);

// Wraps text in CDATA and posts it to the service of the settings; an unknown service does
// nothing.
void PostToService(const std::string& title, const std::string& text,
                   const BlogPostContext& context);

// Writes the external client's post file in install_path and starts the client with it. False
// (and nothing done) when install_path is empty or the file cannot be written. The file holds
// the title line (when there is a title) and the text, never any account data.
bool HandOffToBloggar(const std::string& title, const std::string& text,
                      const std::string& install_path);

// True when the settings are enough to post.
bool BlogSettingsComplete(const BlogSettings& blog);

// The window side of posting. Main thread only.
class BlogDesk {
 public:
  virtual ~BlogDesk() = default;
  virtual const BlogSettings& Blog() const = 0;
  // Shows the blog editor (and the menu's check mark) holding title and text.
  virtual void ShowEditor(const std::string& title, const std::string& text) = 0;
  virtual void HideEditor() = 0;
  // The Blog Settings dialog; true when it ended with OK (the settings are then stored).
  virtual bool EditBlogSettings() = 0;
  virtual void ShowWarning(const std::string& caption, const std::string& text) = 0;
  // HandOffToBloggar with the platform's install path.
  virtual bool HandOff(const std::string& title, const std::string& text) = 0;
  // PostToService with the current settings (the desktop program posts on a worker).
  virtual void Post(const std::string& title, const std::string& text) = 0;
};

// Blog It and Blog Selection: the editor for the built-in tool, else the external client.
void BlogThis(const std::string& title, const std::string& text, BlogDesk& desk);
// Complete settings, or (ask) the messages and the dialog that may complete them.
bool ValidateBlogSettings(bool ask, BlogDesk& desk);
// The editor's Post with the text of its active tab.
void PostFromEditor(const std::string& title, const std::string& text, BlogDesk& desk);

}  // namespace tarsel
