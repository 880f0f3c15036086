#pragma once

// A columns tree and a memories tree with every stored field set, and field-by-field checks.

#include <gtest/gtest.h>

#include "store/column_tree.h"

namespace tarsel::testing {

inline RecordRef SampleRecord(int n) {
  auto record = std::make_shared<Record>();
  const std::string tag = std::to_string(n);
  record->received = 1000000 + n;
  record->unread = n % 2 == 0;
  record->is_new = true;
  record->persistent = n % 3 == 0;
  record->deleted = n % 5 == 4;
  record->title = "Title " + tag;
  record->link = "http://example.com/" + tag;
  record->summary = "Summary \xe9 " + tag;
  record->comments = "http://example.com/c/" + tag;
  record->author = "Author " + tag;
  record->subject = "Subject " + tag;
  record->guid = "guid-" + tag;
  record->description = "<p>Description " + tag + "</p>";
  record->published = 2000000 + n;
  return record;
}

inline std::shared_ptr<Column> SampleColumn(int32_t id, int records) {
  auto column = std::make_shared<Column>();
  const std::string tag = std::to_string(id);
  column->id = id;
  column->name = "Column " + tag;
  column->last_result = 3;
  column->update_state = kUpdateRunning;
  column->play_sound = false;
  column->notify = false;
  column->update_on_start = true;
  column->last_update_time = 5000 + id;
  column->last_news_time = 6000 + id;
  column->update_interval = 1800;
  column->url = "http://feeds.example.com/" + tag;
  column->login = "user" + tag;
  column->password = "Secret-pass" + tag;
  column->etag = "\"etag" + tag + "\"";
  column->last_modified = "Mon, 05 Jan 2004 10:20:30 GMT";
  column->reserved = 42;
  column->use_title_from_rss = false;
  column->channel.title = "Channel " + tag;
  column->channel.link = "http://example.com/";
  column->channel.description = "About " + tag;
  column->channel.image_url = "http://example.com/i.png";
  column->channel.image_title = "Image";
  for (int n = 0; n < records; ++n) column->channel.records.push_back(SampleRecord(n));
  column->filters = {{"x", kFilterNotContains, kFilterDecline, kFilterLink},
                     {"", kFilterContains, kFilterMarkRead, kFilterAnyField}};
  column->auto_save = true;
  column->run_program = true;
  column->send_mail = false;
  column->include_body = true;
  column->auto_save_path = "/tmp/save" + tag;
  column->program_path = "/usr/bin/true";
  column->mail_address = "me@example.com";
  column->archive_enabled = true;
  column->archive_by_count = false;
  column->archive_depth = 12;
  return column;
}

// [1 group "News" (closed) [2 column, 3 group [4 column]], 5 column, 6 empty group]
inline void FillColumnsTree(ColumnTree& tree, int records = 4) {
  auto news = std::make_shared<ColumnGroup>("News");
  news->id = 1;
  news->expanded = false;
  news->AddChild(SampleColumn(2, records));
  auto inner = std::make_shared<ColumnGroup>("Inner");
  inner->id = 3;
  inner->AddChild(SampleColumn(4, records));
  news->AddChild(inner);
  tree.Append(news);
  tree.Append(SampleColumn(5, records));
  auto empty = std::make_shared<ColumnGroup>("Empty");
  empty->id = 6;
  tree.Append(empty);
}

inline void ExpectRecordsEqual(const Record& a, const Record& b) {
  EXPECT_EQ(a.received, b.received);
  EXPECT_EQ(a.unread, b.unread);
  EXPECT_EQ(a.persistent, b.persistent);
  EXPECT_EQ(a.deleted, b.deleted);
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.link, b.link);
  EXPECT_EQ(a.summary, b.summary);
  EXPECT_EQ(a.comments, b.comments);
  EXPECT_EQ(a.author, b.author);
  EXPECT_EQ(a.subject, b.subject);
  EXPECT_EQ(a.guid, b.guid);
  EXPECT_EQ(a.description, b.description);
  EXPECT_EQ(a.published, b.published);
}

// Every stored field; the update bookkeeping is not compared (a load resets it).
inline void ExpectColumnsEqual(const Column& a, const Column& b) {
  EXPECT_EQ(a.id, b.id);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.play_sound, b.play_sound);
  EXPECT_EQ(a.notify, b.notify);
  EXPECT_EQ(a.update_on_start, b.update_on_start);
  EXPECT_EQ(a.last_update_time.load(), b.last_update_time.load());
  EXPECT_EQ(a.last_news_time.load(), b.last_news_time.load());
  EXPECT_EQ(a.update_interval, b.update_interval);
  EXPECT_EQ(a.url, b.url);
  EXPECT_EQ(a.login, b.login);
  EXPECT_EQ(a.password, b.password);
  EXPECT_EQ(a.etag, b.etag);
  EXPECT_EQ(a.last_modified, b.last_modified);
  EXPECT_EQ(a.reserved, b.reserved);
  EXPECT_EQ(a.use_title_from_rss, b.use_title_from_rss);
  EXPECT_EQ(a.channel.title, b.channel.title);
  EXPECT_EQ(a.channel.link, b.channel.link);
  EXPECT_EQ(a.channel.description, b.channel.description);
  EXPECT_EQ(a.channel.image_url, b.channel.image_url);
  EXPECT_EQ(a.channel.image_title, b.channel.image_title);
  EXPECT_EQ(a.filters, b.filters);
  EXPECT_EQ(a.auto_save, b.auto_save);
  EXPECT_EQ(a.run_program, b.run_program);
  EXPECT_EQ(a.send_mail, b.send_mail);
  EXPECT_EQ(a.include_body, b.include_body);
  EXPECT_EQ(a.auto_save_path, b.auto_save_path);
  EXPECT_EQ(a.program_path, b.program_path);
  EXPECT_EQ(a.mail_address, b.mail_address);
  EXPECT_EQ(a.archive_enabled, b.archive_enabled);
  EXPECT_EQ(a.archive_by_count, b.archive_by_count);
  EXPECT_EQ(a.archive_depth, b.archive_depth);
  ASSERT_EQ(a.channel.records.size(), b.channel.records.size());
  for (size_t i = 0; i < a.channel.records.size(); ++i) {
    ExpectRecordsEqual(*a.channel.records[i], *b.channel.records[i]);
  }
}

}  // namespace tarsel::testing
