#include "services/blog_posting.h"

#include "platform/atomic_file.h"
#include "platform/process_spawn.h"
#include "services/service_texts.h"
#include "settings/translation_table.h"

namespace tarsel {

namespace {

XmlRpcCallOptions CallOptions(const BlogPostContext& context) {
  XmlRpcCallOptions options;
  options.http = context.http;
  options.prompt = context.prompt;
  options.cancel = context.cancel;
  return options;
}

std::tm LocalTime(std::time_t now) {
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

std::string BloggerEndpoint(const BlogSettings& blog, const BlogEndpoints& endpoints) {
  if (blog.service == kBlogServiceMovableType) return blog.host + blog.page;
  if (!blog.host.empty() && !blog.page.empty()) return blog.host + blog.page;
  return endpoints.blogger;
}

std::string BloggerGetBlogId(const std::string& endpoint, const BlogPostContext& context) {
  XmlRpcRequest request("blogger.getUsersBlogs");
  request.AddParam(XmlRpcValue::String(kBloggerApplicationKey));
  request.AddParam(XmlRpcValue::String(context.blog.user));
  request.AddParam(XmlRpcValue::String(context.blog.password));
  XmlRpcResponse response;
  if (!CallXmlRpc(endpoint, request, response, CallOptions(context))) return {};
  if (Kind(response.Result()) != XmlRpcKind::kArray) return {};
  const XmlRpcValue first = ArrayAt(response.Result(), 0);
  if (Kind(first) != XmlRpcKind::kStruct) return {};
  return AsText(StructMember(first, "blogid"));
}

void BloggerPost(const std::string& endpoint, const std::string& content,
                 const BlogPostContext& context) {
  const std::string blog_id = BloggerGetBlogId(endpoint, context);
  if (blog_id.empty()) return;
  XmlRpcRequest request("blogger.newPost");
  request.AddParam(XmlRpcValue::String(kBloggerApplicationKey));
  request.AddParam(XmlRpcValue::String(blog_id));
  request.AddParam(XmlRpcValue::String(context.blog.user));
  request.AddParam(XmlRpcValue::String(context.blog.password));
  request.AddParam(XmlRpcValue::String(content));
  request.AddParam(XmlRpcValue::Boolean(true));
  XmlRpcResponse response;
  CallXmlRpc(endpoint, request, response, CallOptions(context));
}

XmlRpcRequest LiveJournalRequest(const BlogSettings& blog, const std::string& title,
                                 const std::string& event, const std::tm& local) {
  XmlRpcMembers members;
  members.emplace("username", XmlRpcValue::String(blog.user));
  members.emplace("password", XmlRpcValue::String(blog.password));
  members.emplace("event", XmlRpcValue::String(event));
  members.emplace("subject", XmlRpcValue::String(title));
  members.emplace("lineendings", XmlRpcValue::String("pc"));
  members.emplace("year", XmlRpcValue::Integer(local.tm_year + 1900));
  members.emplace("mon", XmlRpcValue::Integer(local.tm_mon + 1));
  members.emplace("day", XmlRpcValue::Integer(local.tm_mday));
  members.emplace("hour", XmlRpcValue::Integer(local.tm_hour));
  members.emplace("min", XmlRpcValue::Integer(local.tm_min));
  XmlRpcRequest request("LJ.XMLRPC.postevent");
  request.AddParam(XmlRpcValue::Struct(std::move(members)));
  return request;
}

void LiveJournalPost(const std::string& title, const std::string& event,
                     const BlogPostContext& context) {
  const XmlRpcRequest request =
      LiveJournalRequest(context.blog, title, event, LocalTime(context.now()));
  XmlRpcResponse response;
  const XmlRpcCallStatus status =
      PerformXmlRpcCall(context.endpoints.livejournal, request, response, CallOptions(context));
  const bool cancelled = context.cancel != nullptr && context.cancel->Cancelled();
  if (status == XmlRpcCallStatus::kTransportFailed && !cancelled && context.prompt != nullptr) {
    context.prompt->ShowMessage(
        TranslatedOr(text::kServiceLiveJournalFailureCaption, kLiveJournalFailureCaption),
        TranslatedOr(text::kServiceLiveJournalFailure, kLiveJournalFailureText));
  }
}

void PostToService(const std::string& title, const std::string& text,
                   const BlogPostContext& context) {
  const std::string wrapped = "<![CDATA[" + text + "]]>";
  const std::string& service = context.blog.service;
  if (service == kBlogServiceMovableType || service == kBlogServiceBlogger) {
    BloggerPost(BloggerEndpoint(context.blog, context.endpoints), wrapped, context);
  } else if (service == kBlogServiceLiveJournal) {
    LiveJournalPost(title, wrapped, context);
  }
}

bool HandOffToBloggar(const std::string& title, const std::string& text,
                      const std::string& install_path) {
  if (install_path.empty()) return false;
  const std::string tool = install_path + "/wbloggar.exe";
  const std::string post_file = install_path + "/temp.post";
  std::string content;
  if (!title.empty()) content += "<title>" + title + "</title>\n";
  content += text + "\n";
  // The post is the user's own text: readable by the user only, like every file we keep.
  if (!WriteFileAtomically(post_file, content, 0600, false)) return false;
  return SpawnDetached({tool, post_file});
}

bool BlogSettingsComplete(const BlogSettings& blog) {
  if (blog.service.empty()) return false;
  const bool account = !blog.user.empty() && !blog.password.empty();
  if (account && !blog.host.empty() && !blog.page.empty()) return true;
  return blog.service != kBlogServiceMovableType && account;
}

void BlogThis(const std::string& title, const std::string& text, BlogDesk& desk) {
  if (desk.Blog().tool == kBlogToolBuiltIn) {
    desk.ShowEditor(title, text);
  } else {
    desk.HandOff(title, text);
  }
}

bool ValidateBlogSettings(bool ask, BlogDesk& desk) {
  if (BlogSettingsComplete(desk.Blog())) return true;
  if (!ask) return false;
  const std::string caption = TranslatedOr(text::kServiceBlogSettingsCaption, kBlogSettingsCaption);
  desk.ShowWarning(caption,
                   TranslatedOr(text::kServiceBlogSettingsMissing, kBlogSettingsMissingText));
  if (desk.EditBlogSettings()) return ValidateBlogSettings(false, desk);
  desk.ShowWarning(caption,
                   TranslatedOr(text::kServiceBlogSettingsInvalid, kBlogSettingsInvalidText));
  return false;
}

void PostFromEditor(const std::string& title, const std::string& text, BlogDesk& desk) {
  if (!ValidateBlogSettings(true, desk)) return;
  if (text.empty()) return;
  if (desk.Blog().tool != kBlogToolBuiltIn) {
    desk.HandOff(title, text);
  } else {
    desk.Post(title, text);
  }
  desk.HideEditor();
}

}  // namespace tarsel
