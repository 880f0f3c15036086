#include "services/blog_settings_check.h"

#include "services/blog_posting.h"
#include "services/service_texts.h"
#include "settings/translation_table.h"

namespace tarsel {

void ApplyServiceDefaults(const std::string& service, std::string& host, std::string& page) {
  if (service == kBlogServiceBlogger) {
    if (host.empty() || host == kMovableTypeHostPlaceholder) host = kBloggerDefaultHost;
    if (page.empty() || page == kMovableTypePagePlaceholder) page = kBloggerDefaultPage;
  } else if (service == kBlogServiceMovableType) {
    if (host.empty() || host == kBloggerDefaultHost) host = kMovableTypeHostPlaceholder;
    if (page.empty() || page == kBloggerDefaultPage) page = kMovableTypePagePlaceholder;
  }
}

std::optional<std::string> ApplyBlogSettingsInput(const BlogSettingsInput& input,
                                                  BlogSettings& blog) {
  if (input.external_tool) {
    blog.tool = kBlogToolBloggar;
    return std::nullopt;
  }
  blog.tool = kBlogToolBuiltIn;
  if (input.service.empty()) return TranslatedOr(text::kServiceSelectBlogTool, kSelectBlogToolText);
  if (input.user.empty())
    return TranslatedOr(text::kServiceEnterAccountName, kEnterAccountNameText);
  if (input.password.empty())
    return TranslatedOr(text::kServiceEnterAccountPassword, kEnterAccountPasswordText);
  blog.service = input.service;
  if (input.service == kBlogServiceMovableType) {
    if (input.host.empty() || input.host == kMovableTypeHostPlaceholder) {
      return TranslatedOr(text::kServiceEnterMovableTypeHost, kEnterMovableTypeHostText);
    }
    if (input.page.empty() || input.page == kMovableTypePagePlaceholder) {
      return TranslatedOr(text::kServiceEnterMovableTypePage, kEnterMovableTypePageText);
    }
  }
  blog.host = input.host;
  blog.page = input.page;
  blog.user = input.user;
  blog.password = input.password;
  return std::nullopt;
}

}  // namespace tarsel
