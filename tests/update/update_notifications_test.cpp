#include "update/update_notifications.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "parse/charsets/encoding_choice.h"
#include "support/fake_smtp_server.h"
#include "update/update_test_support.h"

namespace tarsel {
namespace {

using testing::RecordingNotice;
using testing::RecordingSound;

RecordRef MakeRecord(const std::string& title, const std::string& description, bool is_new) {
  auto record = std::make_shared<Record>();
  record->title = title;
  record->description = description;
  record->is_new = is_new;
  return record;
}

// A column named "News" with `new_records` new records and one older record.
std::shared_ptr<Column> NewsColumn(int new_records) {
  auto column = std::make_shared<Column>();
  column->name = "News";
  column->use_title_from_rss = false;
  column->channel.records.push_back(MakeRecord("old", "seen before", false));
  for (int i = 0; i < new_records; ++i) {
    column->channel.records.push_back(MakeRecord("t" + std::to_string(i), "d", true));
  }
  return column;
}

struct Outcome {
  std::vector<std::string> notices;
  std::vector<std::string> sounds;
  std::vector<std::string> programs;
  std::vector<UpdateMail> mails;
};

Outcome Deliver(const Column& column, const Settings& settings, bool notice_exists) {
  RecordingNotice notice;
  RecordingSound sound;
  Outcome outcome;
  UpdateServices services;
  services.notice = notice_exists ? &notice : nullptr;
  services.sound = &sound;
  services.sound_file = "/program/Theme/notify.wav";
  services.open_program = [&outcome](const std::string& file, const std::string& parameters) {
    outcome.programs.push_back(file + "|" + parameters);
    return true;
  };
  services.send_mail = [&outcome](const UpdateMail& mail) {
    outcome.mails.push_back(mail);
    return true;
  };
  DeliverUpdateNotice(PlanUpdateNotice(column, settings), services);
  outcome.notices = notice.texts();
  outcome.sounds = sound.files();
  return outcome;
}

TEST(UpdateNotificationsTest, NoticeAndSoundFollowTheFlags) {
  const struct {
    const char* name;
    int new_records;
    bool notify;
    bool column_sound;
    bool mute_popups;
    bool mute_sound;
    bool notice_exists;
    bool text;
    bool sound;
    bool program;
  } rows[] = {
      {"everything on", 2, true, true, false, false, true, true, true, true},
      {"nothing new", 0, true, true, false, false, true, false, false, false},
      {"pop-ups muted, sound still plays", 2, true, true, true, false, true, false, true, true},
      {"sound muted", 2, true, true, false, true, true, true, false, true},
      {"column sound off", 2, true, false, false, false, true, true, false, true},
      {"column does not notify", 2, false, true, false, false, true, false, false, true},
      {"no notice yet: actions still run", 2, true, true, false, false, false, false, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto column = NewsColumn(row.new_records);
    column->notify = row.notify;
    column->play_sound = row.column_sound;
    column->run_program = true;
    column->program_path = "notify-send";
    Settings settings;
    settings.mute_popups = row.mute_popups;
    settings.mute_sound = row.mute_sound;
    const Outcome outcome = Deliver(*column, settings, row.notice_exists);
    EXPECT_EQ(outcome.notices, row.text ? std::vector<std::string>{"\"News\" updated (2 new "
                                                                   "records)\n"}
                                        : std::vector<std::string>{});
    EXPECT_EQ(outcome.sounds, row.sound ? std::vector<std::string>{"/program/Theme/notify.wav"}
                                        : std::vector<std::string>{});
    EXPECT_EQ(outcome.programs.size(), row.program ? 1u : 0u);
  }
}

TEST(UpdateNotificationsTest, ProgramPathIsCutAtItsFirstBlank) {
  const struct {
    const char* path;
    const char* file;
    const char* parameters;
  } rows[] = {
      {"/usr/bin/player", "/usr/bin/player", ""},
      {"player /home/me/My Music/new.wav", "player", "/home/me/My Music/new.wav"},
      {"player  two", "player", " two"},
      {"player ", "player", ""},
      {"", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    auto column = NewsColumn(1);
    column->run_program = true;
    column->program_path = row.path;
    const Outcome outcome = Deliver(*column, Settings(), true);
    ASSERT_EQ(outcome.programs.size(), 1u);
    EXPECT_EQ(outcome.programs[0], std::string(row.file) + "|" + row.parameters);
  }
}

TEST(UpdateNotificationsTest, MailNeedsTheFlagAnAddressAndAServer) {
  const struct {
    const char* name;
    bool send_mail;
    const char* address;
    const char* server;
    bool include_body;
    bool mailed;
    const char* body;
  } rows[] = {
      {"sent with body", true, "me@example.org", "smtp.example.org", true, true, "t0\nd"},
      {"sent without body", true, "me@example.org", "smtp.example.org", false, true, ""},
      {"flag off", false, "me@example.org", "smtp.example.org", true, false, ""},
      {"no address", true, "", "smtp.example.org", true, false, ""},
      {"no server", true, "me@example.org", "", true, false, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto column = NewsColumn(1);
    column->send_mail = row.send_mail;
    column->mail_address = row.address;
    column->include_body = row.include_body;
    Settings settings;
    settings.smtpserver = row.server;
    settings.mail = "sender@example.org";
    const Outcome outcome = Deliver(*column, settings, true);
    ASSERT_EQ(outcome.mails.size(), row.mailed ? 1u : 0u);
    if (!row.mailed) continue;
    const UpdateMail& mail = outcome.mails[0];
    EXPECT_EQ(mail.server, row.server);
    EXPECT_EQ(mail.sender, "sender@example.org");
    EXPECT_EQ(mail.to_address, row.address);
    EXPECT_EQ(mail.subject, "rss column News updated");
    EXPECT_EQ(mail.body, row.body);
  }
}

TEST(UpdateNotificationsTest, MailBodyJoinsTheNewRecordsAsPlainText) {
  Column column;
  column.channel.records = {
      MakeRecord("<b>Bold</b> &amp; title", "<p>First <i>text</i></p>", true),
      MakeRecord("Seen", "not new", false),
      MakeRecord("Title only", "", true),
      MakeRecord("", "Text only", true),
  };
  EXPECT_EQ(NewRecordsMailBody(column, CodePageForEncoding(EncodingChoice::kAutomatic)),
            "Bold & title\nFirst textTitle onlyText only");
}

TEST(UpdateNotificationsTest, AutoSaveCreatesOrEmptiesTheFile) {
  testing::TempDir folder;
  const std::string existing = folder.File("existing.txt");
  testing::WriteFileBytes(existing, "old content");
  for (const std::string& path : {existing, folder.File("fresh.txt")}) {
    SCOPED_TRACE(path);
    auto column = NewsColumn(1);
    column->auto_save = true;
    column->auto_save_path = path;
    Deliver(*column, Settings(), true);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
  }
}

TEST(UpdateNotificationsTest, ExternalProgramReallyStarts) {
  testing::TempDir folder;
  const std::string marker = folder.File("ran");
  auto column = NewsColumn(1);
  column->run_program = true;
  column->program_path = "touch " + marker;
  UpdateServices services;
  DeliverUpdateNotice(PlanUpdateNotice(*column, Settings()), services);
  struct stat info {};
  EXPECT_TRUE(testing::WaitUntil([&] { return stat(marker.c_str(), &info) == 0; }));
}

// The subject comes from the feed's title: line breaks in it must not become header lines.
TEST(UpdateNotificationsTest, MailReachesTheServerWithOneSubjectLine) {
  testing::FakeSmtpServer server{testing::SmtpScript()};
  auto column = NewsColumn(1);
  column->use_title_from_rss = true;
  column->channel.title = "Evil\r\nBcc: victim@example.org";
  column->send_mail = true;
  column->mail_address = "me@example.org";
  column->include_body = true;
  Settings settings;
  settings.smtpserver = "127.0.0.1";
  settings.mail = "sender@example.org";
  UpdateServices services;
  services.smtp_port = server.port();
  DeliverUpdateNotice(PlanUpdateNotice(*column, settings, server.port()), services);
  const testing::SmtpDialogue dialogue = server.Finish();
  ASSERT_GE(dialogue.commands.size(), 5u);
  EXPECT_EQ(dialogue.commands[1], "MAIL FROM: <sender@example.org>\r\n");
  EXPECT_EQ(dialogue.commands[2], "RCPT TO: <me@example.org>\r\n");
  const std::string& message = dialogue.commands[4];
  EXPECT_NE(message.find("\r\nSubject: rss column EvilBcc: victim@example.org updated\r\n"),
            std::string::npos)
      << message;
  EXPECT_EQ(message.find("\r\nBcc:"), std::string::npos);
  EXPECT_NE(message.find("\r\n\r\nt0\r\nd"), std::string::npos) << message;
}

}  // namespace
}  // namespace tarsel
