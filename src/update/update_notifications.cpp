#include "update/update_notifications.h"

#include <fcntl.h>
#include <unistd.h>

#include "html/cleaning.h"
#include "parse/charsets/encoding_choice.h"
#include "platform/folders.h"
#include "platform/process_spawn.h"
#include "platform/system_code_page.h"
#include "update/update_options.h"

namespace tarsel {
namespace {

std::optional<UpdateMail> PlanMail(const Column& column, const Settings& settings,
                                   uint16_t smtp_port) {
  if (!column.send_mail || column.mail_address.empty() || settings.smtpserver.empty()) {
    return std::nullopt;
  }
  UpdateMail mail;
  mail.server = settings.smtpserver;
  mail.port = smtp_port;
  mail.sender = settings.mail;
  mail.to_address = column.mail_address;
  // The mailer strips CR and LF from the subject, so a feed title cannot add header lines. It
  // sends UTF-8, whatever the program's code page.
  const int code_page = CodePageForSettings(settings);
  mail.subject = CodePageToUtf8("rss column " + column.DisplayName() + " updated", code_page);
  if (column.include_body) {
    mail.body = CodePageToUtf8(NewRecordsMailBody(column, code_page), code_page);
  }
  return mail;
}

// The file is only created anew (emptied when it exists); nothing is written into it.
void CreateEmptyFile(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (descriptor >= 0) ::close(descriptor);
}

std::string SoundFile(const UpdateServices& services) {
  return services.sound_file.empty() ? ProgramFolder() + "Theme/notify.wav" : services.sound_file;
}

}  // namespace

void SplitProgramPath(const std::string& path, std::string& file, std::string& parameters) {
  const size_t blank = path.find(' ');
  if (blank == std::string::npos) {
    file = path;
    parameters.clear();
  } else {
    file = path.substr(0, blank);
    parameters = path.substr(blank + 1);
  }
}

std::string NewRecordsMailBody(const Column& column, int code_page) {
  std::string body;
  for (const RecordRef& record : column.channel.records) {
    if (!record->is_new) continue;
    if (!record->title.empty()) {
      body += HTML::HtmlToPlainText(record->title, code_page);
      if (!record->description.empty()) body += '\n';
    }
    if (!record->description.empty()) {
      body += HTML::HtmlToPlainText(record->description, code_page);
    }
  }
  return body;
}

std::string EnglishNoticeLine(const std::string& column_name, int32_t new_count) {
  return "\"" + column_name + "\" updated (" + std::to_string(new_count) + " new records)\n";
}

UpdateNotice PlanUpdateNotice(const Column& column, const Settings& settings, uint16_t smtp_port) {
  UpdateNotice notice;
  notice.new_count = column.NewCount();
  if (notice.new_count <= 0) return notice;
  if (column.notify) {
    notice.notice_name = column.DisplayName();
    notice.show_notice = !settings.mute_popups;
    notice.play_sound = column.play_sound && !settings.mute_sound;
  }
  if (column.auto_save) notice.auto_save_path = column.auto_save_path;
  if (column.run_program) {
    notice.run_program = true;
    SplitProgramPath(column.program_path, notice.program_file, notice.program_parameters);
  }
  notice.mail = PlanMail(column, settings, smtp_port);
  return notice;
}

void DeliverUpdateNotice(const UpdateNotice& notice, const UpdateServices& services,
                         const std::function<bool()>& stopped) {
  auto go_on = [&stopped] { return !stopped || !stopped(); };
  if (notice.new_count <= 0) return;
  if (!notice.notice_name.empty() && services.notice != nullptr) {
    if (notice.show_notice && go_on()) {
      services.notice->ShowNotice(services.notice_line
                                      ? services.notice_line(notice.notice_name, notice.new_count)
                                      : EnglishNoticeLine(notice.notice_name, notice.new_count));
    }
    if (notice.play_sound && services.sound != nullptr && go_on()) {
      services.sound->PlaySoundFile(SoundFile(services));
    }
  }
  if (!notice.auto_save_path.empty() && go_on()) CreateEmptyFile(notice.auto_save_path);
  if (notice.run_program && go_on()) {
    if (services.open_program) {
      services.open_program(notice.program_file, notice.program_parameters);
    } else {
      OpenProgram(notice.program_file, notice.program_parameters);
    }
  }
  if (notice.mail && go_on()) {
    if (services.send_mail) {
      services.send_mail(*notice.mail);
    } else {
      SendUpdateMail(*notice.mail);
    }
  }
}

}  // namespace tarsel
