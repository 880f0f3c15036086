#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <functional>

#include "support/temp_dir.h"

namespace tarsel {
namespace {

using testing::ReadFileBytes;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFileBytes;

constexpr int32_t kFeb3rd2004At1305 = 1075813509;  // 02/03/2004 01:05:09 PM UTC

// Every test runs in UTC with its own data folder.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() : data_home_("XDG_DATA_HOME", home_.path()), tz_("TZ", "UTC") {
    tzset();
    std::filesystem::create_directory(home_.path() + "/Tarsel");
    defaults_.last_version_check = kFeb3rd2004At1305;
  }

  std::string Golden() const { return ReadFileBytes(TARSEL_TEST_DATA "/settings/defaults.xml"); }

  TempDir home_;
  ScopedEnv data_home_;
  ScopedEnv tz_;
  Settings defaults_;
};

// Every field away from its default, with texts the file format has to protect.
Settings Unusual() {
  Settings s;
  s.launch_on_startup = false;
  s.minimize_on_close = false;
  s.minimize_on_start = true;
  s.show_on_update = true;
  s.placement = "0 1 (-1,-1) (-1,-1) (10,20,800,600)";
  s.viewtoolbar = false;
  s.viewstatusbar = true;
  s.sortcolumns = false;
  s.columntreepos = -5;
  s.columnitemspos = 77;
  s.encoding = kEncodingCentralEuropean;
  s.mark_read_enabled = false;
  s.mark_read_seconds = 9;
  s.proxy = {ProxyType::kGiven, "proxy.example", 8080, "it's me", "a b%c\"'<&>\x01\xe9"};
  s.mute_sound = true;
  s.mute_popups = true;
  s.desktop_notifications = true;
  s.lastid = 12345;
  s.blog = {"build in", "Movable Type", "blog.example", "/rpc?a=1&b=<2>", "me", "p]]>w<d"};
  s.fullscreen = false;
  s.smtpserver = "smtp<x>.example";
  s.mail = "me&you@example.org ]]> ]]]>";
  s.descriptions_show = false;
  s.descriptions_limitrows = true;
  s.descriptions_limitsymbols = true;
  s.descriptions_rows = 4;
  s.descriptions_symbols = 99;
  s.external_browser = true;
  s.headers["title"] = {50, false};
  s.headers["received"] = {1, false};
  s.headers["published"] = {2, true};
  s.headers["subject"] = {3, false};
  s.headers["author"] = {4, false};
  s.layout_vertical = true;
  s.unreaditems_first = false;
  s.memories_visible = true;
  s.memories_position = 123;
  s.lang_id = "russian";
  s.itemsfont_name = "O'Neil Sans";
  s.itemsfont_size = 9;
  s.descfont_name = "Say \"Hi\" it's";
  s.descfont_size = 31;
  s.newversion = false;
  s.last_version_check = kFeb3rd2004At1305 - 3600;  // noon: 12 on the 12-hour clock
  s.updateperiod = 5400;
  s.archive_enable = true;
  s.archive_by_records = false;
  s.archive_depth = 7;
  s.groupitems = GroupItemsMode::kAll;
  return s;
}

TEST_F(SettingsFileTest, DefaultsGiveTheGoldenFileAndReadBackUnchanged) {
  ASSERT_TRUE(SaveSettings(defaults_));
  std::string written = ReadFileBytes(SettingsFilePath());
  EXPECT_EQ(written, Golden());
  Settings loaded;
  ASSERT_TRUE(LoadSettings(loaded));
  EXPECT_EQ(loaded, defaults_);
}

TEST_F(SettingsFileTest, WeblogBlockDependsOnTheTool) {
  const struct {
    BlogSettings blog;
    std::string block;
  } cases[] = {
      {{"build in", "Blogger", "h", "/p", "u", "pw"},
       "\t<blogger tool='build in'>\n\t\t<service>Blogger</service>\n\t\t<host>h</host>\n"
       "\t\t<page>/p</page>\n\t\t<user>u</user>\n\t\t<password>pw</password>\n\t</blogger>\n"},
      {{"w.Bloggar", "Blogger", "h", "/p", "u", "pw"}, "\t<blogger tool='w.Bloggar'/>\n"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.blog.tool);
    Settings s = defaults_;
    s.blog = test.blog;
    std::string golden = Golden();
    golden.insert(golden.find("\t<fullscreen>"), test.block);
    EXPECT_EQ(SettingsFileText(s), golden);
    Settings loaded;
    ASSERT_TRUE(ParseSettingsXml(golden.data(), golden.size(), loaded));
    BlogSettings expected;
    expected.tool = test.blog.tool;
    if (test.blog.tool == "build in") expected = test.blog;
    EXPECT_EQ(loaded.blog, expected);
  }
}

TEST_F(SettingsFileTest, UnusualValuesRoundTripAndASecondSaveIsIdentical) {
  Settings unusual = Unusual();
  ASSERT_TRUE(SaveSettings(unusual));
  std::string first = ReadFileBytes(SettingsFilePath());
  Settings loaded;
  ASSERT_TRUE(LoadSettings(loaded));
  // A font name with both kinds of quote cannot be quoted; it loses its double quotes only.
  EXPECT_EQ(loaded.descfont_name, "Say Hi it's");
  loaded.descfont_name = unusual.descfont_name;
  EXPECT_EQ(loaded, unusual);
  ASSERT_TRUE(SaveSettings(loaded));
  EXPECT_EQ(ReadFileBytes(SettingsFilePath()), first);
  // Ordinary values keep their plain shape.
  EXPECT_NE(first.find("\t<placement>0 1 (-1,-1) (-1,-1) (10,20,800,600)</placement>\n"),
            std::string::npos);
  EXPECT_NE(first.find("\t<last_version_check>02/03/2004 12:05:09 AM</last_version_check>\n"),
            std::string::npos);
}

TEST_F(SettingsFileTest, FileIsPrivateAndReplacedWholeWithoutLeftovers) {
  WriteFileBytes(SettingsFilePath(), "old");
  chmod(SettingsFilePath().c_str(), 0644);
  ASSERT_TRUE(SaveSettings(Unusual()));
  struct stat status {};
  ASSERT_EQ(stat(SettingsFilePath().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(home_.path() + "/Tarsel")) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(SettingsFileTest, SaveWithoutDataFolderFailsAndLoadWithoutFileKeepsDefaults) {
  std::filesystem::remove_all(home_.path() + "/Tarsel");
  EXPECT_FALSE(SaveSettings(defaults_));
  Settings s = defaults_;
  EXPECT_FALSE(LoadSettings(s));
  EXPECT_EQ(s, defaults_);
}

TEST_F(SettingsFileTest, UnreadableFilesKeepEveryField) {
  const std::string golden = Golden();
  std::string enormous = golden;
  enormous.insert(enormous.find("<mail>") + 6, kMaxSettingsFileSize, 'x');
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"not xml", "settings"},
      {"self-closing root", "<settings/>"},
      {"empty root", "<settings>\n\t\n</settings>"},
      {"attribute without quotes", "<settings><lastid x=1>5</lastid></settings>"},
      {"nested too deep", "<settings>" +
                              [] {
                                std::string deep;
                                for (int i = 0; i < 200000; ++i) deep += "<a>";
                                return deep;
                              }()},
      {"enormous", enormous},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    WriteFileBytes(SettingsFilePath(), test.bytes);
    Settings s = Unusual();
    EXPECT_FALSE(LoadSettings(s));
    EXPECT_EQ(s, Unusual());
  }
}

TEST_F(SettingsFileTest, TruncationAtAnyOffsetNeverCrashesNorHalfAppliesAFailedParse) {
  const std::string full = SettingsFileText(Unusual());
  for (size_t length = 0; length <= full.size(); ++length) {
    Settings s = defaults_;
    // Copy into a buffer of its own so a read past the end shows under the sanitizers.
    std::string prefix = full.substr(0, length);
    bool applied = ParseSettingsXml(prefix.data(), prefix.size(), s);
    if (!applied) {
      ASSERT_EQ(s, defaults_) << "length " << length;
    }
  }
  Settings s = defaults_;
  ASSERT_TRUE(ParseSettingsXml(full.data(), full.size(), s));
  EXPECT_EQ(s.proxy, Unusual().proxy);
}

TEST_F(SettingsFileTest, AppliesDocumentsAsTheOldReaderDid) {
  const struct {
    const char* name;
    std::string xml;
    std::function<void(Settings&)> expect;  // applied to a copy of the defaults
  } cases[] = {
      {"unknown encoding keeps the value", "<settings><encoding>Koi8</encoding></settings>",
       [](Settings&) {}},
      {"silence_mode without attributes", "<settings><silence_mode/></settings>",
       [](Settings& s) { s.mute_sound = true; }},
      {"proxy type 7", "<settings><proxy type='7'/></settings>",
       [](Settings& s) {
         s.proxy = {ProxyType::kGiven, "", 0, "", ""};
       }},
      {"proxy credentials", "<settings><proxy type='0' password='a b%25c'/></settings>",
       [](Settings& s) {
         s.proxy = {ProxyType::kNone, "", 0, "", "a b%c"};
       }},
      {"group items compared exactly", "<settings><groupitems show='ALL'/></settings>",
       [](Settings& s) { s.groupitems = GroupItemsMode::kUnread; }},
      {"group items without attribute", "<settings><groupitems/></settings>",
       [](Settings& s) { s.groupitems = GroupItemsMode::kUnread; }},
      {"names fold to lower case", "<settings><LastID>5</LastID></settings>",
       [](Settings& s) { s.lastid = 5; }},
      {"later duplicate wins", "<settings><lastid>1</lastid><lastid>2</lastid></settings>",
       [](Settings& s) { s.lastid = 2; }},
      {"numbers read as atoi",
       "<settings><columntreepos>12abc</columntreepos><columnitemspos>abc</columnitemspos>"
       "<memories position='x'/></settings>",
       [](Settings& s) {
         s.columntreepos = 12;
         s.columnitemspos = 0;
         s.memories_visible = true;
         s.memories_position = 0;
       }},
      {"only the title header", "<settings><headers><title width='50'/></headers></settings>",
       [](Settings& s) {
         s.headers["title"] = {50, true};
       }},
      {"headers without widths",
       "<settings><headers><published visible='false'/></headers></settings>",
       [](Settings& s) {
         s.headers["published"] = {90, false};
       }},
      {"attribute defaults when absent",
       "<settings><descriptions/><lang/><itemsfont/><archive type='Records'/></settings>",
       [](Settings& s) {
         s.descriptions_limitrows = true;
         s.descriptions_limitsymbols = true;
         s.lang_id = "";
         s.itemsfont_name = "";
         s.archive_by_records = false;
       }},
      {"booleans are only the exact text true",
       "<settings><fullscreen>TRUE</fullscreen><viewstatusbar>true</viewstatusbar></settings>",
       [](Settings& s) {
         s.fullscreen = false;
         s.viewstatusbar = true;
       }},
      {"warnings without newversion", "<settings><warninngs/></settings>",
       [](Settings& s) { s.newversion = false; }},
      {"dates and periods",
       "<settings><last_version_check>not define</last_version_check>"
       "<updateperiod>2 HR 5 min</updateperiod></settings>",
       [](Settings& s) {
         s.last_version_check = -1;
         s.updateperiod = 7500;
       }},
      {"texts in CDATA and blanks kept",
       "<settings><mail><![CDATA[a<b]]></mail><smtpserver>\n\t host \n</smtpserver></settings>",
       [](Settings& s) {
         s.mail = "a<b";
         s.smtpserver = " host ";
       }},
      {"any root name", "<config><lastid>3</lastid></config>", [](Settings& s) { s.lastid = 3; }},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Settings expected = defaults_;
    test.expect(expected);
    Settings s = defaults_;
    EXPECT_TRUE(ParseSettingsXml(test.xml.data(), test.xml.size(), s));
    EXPECT_EQ(s, expected);
  }
}

}  // namespace
}  // namespace tarsel
