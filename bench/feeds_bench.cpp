// Reading whole feeds as an update does: ParseAndCleanFeed (the parse and the clean-up), over
// generated RSS 2.0, RDF, Atom 0.3, Atom 1.0 and JSON Feed 1.1 documents of 50 items with about 1.5
// KB of HTML each, in English words or in UTF-8-heavy Russian and Chinese ones. Bytes per second
// count the feed bytes.

#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "parse/charsets/encoding_choice.h"
#include "parse/dates/date_readers.h"
#include "parse/feeds/feed_parser.h"
#include "parse/feeds/parsed_channel_cleanup.h"
#include "platform/url_combine.h"

namespace tarsel {
namespace {

constexpr int kItems = 50;

// What an update reads with when the user left the settings alone.
feeds::ReadSettings DefaultRead() {
  feeds::ReadSettings read;
  read.code_page = CodePageForEncoding(EncodingChoice::kAutomatic);
  return read;
}
constexpr size_t kDescriptionBytes = 1500;

enum class Language { kEnglish, kRussian, kChinese };

class Generator {
 public:
  Generator(uint32_t seed, Language language) : random_(seed), language_(language) {}

  std::string Words(int count) {
    static const char* const kEnglish[] = {"harbour", "update", "release", "tide",  "the", "of",
                                           "and",     "feeds",  "reader",  "notes", "a",   "news"};
    static const char* const kRussian[] = {"гавань", "обновление", "выпуск",   "прилив",
                                           "и",      "ленты",      "читатель", "заметки",
                                           "в",      "новости",    "на",       "&#1105;лка"};
    static const char* const kChinese[] = {"港口", "更新",   "发布", "潮汐", "的", "和",
                                           "订阅", "阅读器", "笔记", "新闻", "是", "&#26032;闻"};
    const char* const* words = language_ == Language::kRussian   ? kRussian
                               : language_ == Language::kChinese ? kChinese
                                                                 : kEnglish;
    std::string text;
    for (int i = 0; i < count; ++i) {
      if (i > 0 && language_ != Language::kChinese) text += ' ';
      text += words[random_() % std::size(kEnglish)];
    }
    return text;
  }

  // Typical blog markup: paragraphs, relative and absolute links, an image, entities, a script.
  std::string Description() {
    std::string html;
    while (html.size() < kDescriptionBytes) {
      html += "<p class=\"entry\">" + Words(18) + " &amp; <b>" + Words(2) + "</b> <a href=\"";
      html += random_() % 2 ? "/story/" : "http://other.example.org/";
      html += std::to_string(random_()) + ".html\" target=\"_blank\">" + Words(3) + "</a>&nbsp;" +
              Words(12) + "&hellip;</p>\n";
    }
    html += "<img src=\"img/" + std::to_string(random_()) + ".png\" width=\"80\"><br>";
    html += "<script>track();</script>";
    return html;
  }

  // Feeds carry descriptions escaped or in CDATA; both forms occur.
  std::string Escaped(const std::string& html) {
    std::string escaped;
    for (char c : html) {
      if (c == '<')
        escaped += "&lt;";
      else if (c == '>')
        escaped += "&gt;";
      else if (c == '&')
        escaped += "&amp;";
      else
        escaped += c;
    }
    return escaped;
  }

  std::string Rss() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><channel>\n<title>Bench RSS</title>"
        "<link>http://rss.example.com/blog/</link><description>RSS 2.0</description>\n";
    for (int i = 0; i < kItems; ++i) {
      xml += "<item><title>" + Words(6) + "</title><link>http://rss.example.com/blog/" +
             std::to_string(i) + "</link><guid>id-" + std::to_string(i) +
             "</guid><pubDate>Mon, 05 Jan 2004 10:20:30 GMT</pubDate><dc:creator>" + Words(2) +
             "</dc:creator>";
      if (i % 2 == 0) {
        xml += "<description>" + Escaped(Description()) + "</description>";
      } else {
        xml += "<description><![CDATA[" + Description() + "]]></description>";
      }
      xml += "</item>\n";
    }
    return xml + "</channel></rss>\n";
  }

  std::string Rdf() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rdf:RDF "
        "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
        "xmlns=\"http://purl.org/rss/1.0/\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
        "<channel rdf:about=\"http://rdf.example.net/\"><title>Bench RDF</title>"
        "<link>http://rdf.example.net/</link><description>RDF</description></channel>\n";
    for (int i = 0; i < kItems; ++i) {
      xml += "<item rdf:about=\"http://rdf.example.net/" + std::to_string(i) + "\"><title>" +
             Words(6) + "</title><link>http://rdf.example.net/" + std::to_string(i) +
             "</link><dc:date>2004-01-05T18:45:00+00:00</dc:date><description>" +
             Escaped(Description()) + "</description></item>\n";
    }
    return xml + "</rdf:RDF>\n";
  }

  std::string Atom() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed version=\"0.3\" "
        "xmlns=\"http://purl.org/atom/ns#\"><title>Bench Atom</title>"
        "<link rel=\"alternate\" type=\"text/html\" href=\"http://atom.example.org/\"/>"
        "<tagline>Atom 0.3</tagline>\n";
    for (int i = 0; i < kItems; ++i) {
      xml += "<entry><title>" + Words(6) + "</title><link rel=\"alternate\" href=\"" +
             "http://atom.example.org/" + std::to_string(i) +
             "\"/><modified>2004-01-09T23:15:00Z</modified><author><name>" + Words(2) +
             "</name></author><content type=\"text/html\" mode=\"escaped\">" +
             Escaped(Description()) + "</content></entry>\n";
    }
    return xml + "</feed>\n";
  }

  // Atom 1.0 as release and blog feeds write it: escaped HTML content, both dates, categories.
  std::string Atom10() {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed xmlns=\"http://www.w3.org/2005/Atom\">"
        "<title>Bench Atom 1.0</title><subtitle>Atom 1.0</subtitle>"
        "<link rel=\"alternate\" type=\"text/html\" href=\"http://atom10.example.org/\"/>"
        "<link rel=\"self\" href=\"http://atom10.example.org/feed.atom\"/>"
        "<id>tag:atom10.example.org,2005:feed</id><updated>2005-07-31T12:29:29Z</updated>\n";
    for (int i = 0; i < kItems; ++i) {
      const std::string number = std::to_string(i);
      xml +=
          "<entry><title type=\"html\">" + Words(6) +
          "</title><link rel=\"alternate\" type=\"text/html\" href=\"http://atom10.example.org/" +
          number + "\"/><id>tag:atom10.example.org,2005:" + number +
          "</id><published>2005-07-30T08:29:29-04:00</published>"
          "<updated>2005-07-31T12:29:29Z</updated><author><name>" +
          Words(2) + "</name></author><category term=\"" + Words(1) + "\"/><category term=\"" +
          Words(1) + "\"/><content type=\"html\">" + Escaped(Description()) +
          "</content></entry>\n";
    }
    return xml + "</feed>\n";
  }

  // The RSS 2.0 feed's content drawn in the same order, so that both formats carry the same
  // words: the two readers are compared on equal text.
  std::string JsonFeed() {
    nlohmann::json feed = {{"version", "https://jsonfeed.org/version/1.1"},
                           {"title", "Bench JSON Feed"},
                           {"home_page_url", "http://json.example.com/blog/"},
                           {"description", "JSON Feed 1.1"}};
    nlohmann::json items = nlohmann::json::array();
    for (int i = 0; i < kItems; ++i) {
      nlohmann::json item = {{"title", Words(6)},
                             {"url", "http://json.example.com/blog/" + std::to_string(i)},
                             {"id", "id-" + std::to_string(i)},
                             {"date_published", "2004-01-05T10:20:30Z"}};
      item["authors"] = {{{"name", Words(2)}}};
      item["content_html"] = Description();
      items.push_back(std::move(item));
    }
    feed["items"] = std::move(items);
    return feed.dump(2) + "\n";
  }

 private:
  std::mt19937 random_;
  Language language_;
};

// format: 0 RSS 2.0, 1 RDF, 2 Atom 0.3, 3 all three, 4 Atom 1.0, 5 JSON Feed; English words
// unless `language` says.
std::vector<std::string> Corpus(int format, Language language = Language::kEnglish) {
  Generator generator(2004, language);
  std::vector<std::string> corpus;
  for (int copy = 0; copy < 4; ++copy) {
    if (format == 0 || format == 3) corpus.push_back(generator.Rss());
    if (format == 1 || format == 3) corpus.push_back(generator.Rdf());
    if (format == 2 || format == 3) corpus.push_back(generator.Atom());
    if (format == 4) corpus.push_back(generator.Atom10());
    if (format == 5) corpus.push_back(generator.JsonFeed());
  }
  return corpus;
}

// range(0): 0 RSS 2.0, 1 RDF, 2 Atom 0.3, 3 all three, 4 Atom 1.0, 5 JSON Feed (the RSS 2.0
// feeds' content).
void BM_ParseAndClean(benchmark::State& state) {
  const std::vector<std::string> corpus = Corpus(static_cast<int>(state.range(0)));
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& feed : corpus) {
      ChannelInfo channel;
      if (!ParseAndCleanFeed(feed, channel, true, DefaultRead())) {
        state.SkipWithError("a generated feed did not parse");
      }
      benchmark::DoNotOptimize(channel.records.data());
      bytes += static_cast<int64_t>(feed.size());
    }
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ParseAndClean)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// All three formats in UTF-8-heavy text. range(0): 1 Russian, 2 Chinese.
void BM_ParseAndCleanUtf8(benchmark::State& state) {
  const std::vector<std::string> corpus = Corpus(3, static_cast<Language>(state.range(0)));
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& feed : corpus) {
      ChannelInfo channel;
      if (!ParseAndCleanFeed(feed, channel, true, DefaultRead())) {
        state.SkipWithError("a generated feed did not parse");
      }
      benchmark::DoNotOptimize(channel.records.data());
      bytes += static_cast<int64_t>(feed.size());
    }
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ParseAndCleanUtf8)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The parse alone, to see what the clean-up costs on top; range(0) as for BM_ParseAndClean.
void BM_ParseOnly(benchmark::State& state) {
  const std::vector<std::string> corpus = Corpus(static_cast<int>(state.range(0)));
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& feed : corpus) {
      ChannelInfo channel;
      benchmark::DoNotOptimize(ParseFeed(feed, channel, DefaultRead()));
      bytes += static_cast<int64_t>(feed.size());
    }
  }
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ParseOnly)->Arg(3)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

// One relative link combined with a base parsed once, as the clean-up combines a channel's links.
void BM_CombineRelativeLink(benchmark::State& state) {
  std::vector<std::string> links;
  for (int i = 0; i < 256; ++i) {
    const std::string number = std::to_string(i * 7919);
    links.push_back(i % 3 == 0   ? "/story/" + number + ".html"
                    : i % 3 == 1 ? "img/" + number + ".png"
                                 : "../archive/" + number + ".html?page=2#c");
  }
  const UrlCombiner combiner("http://rss.example.com/blog/");
  for (auto _ : state) {
    for (const std::string& link : links) benchmark::DoNotOptimize(combiner.Combine(link));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(links.size()));
}
BENCHMARK(BM_CombineRelativeLink);

// One date with its zone (GMT, +00:00), read as the feed readers read pubDate and dc:date.
void BM_ReadDate(benchmark::State& state) {
  std::vector<std::string> dates;
  for (int day = 1; day <= 28; ++day) {
    dates.push_back(state.range(0) == 0 ? "Mon, " + std::to_string(day) + " Jan 2004 10:20:30 GMT"
                                        : "2004-01-" + std::to_string(day) + "T18:45:00+00:00");
  }
  for (auto _ : state) {
    for (const std::string& date : dates) {
      benchmark::DoNotOptimize(state.range(0) == 0 ? ReadRfc822Date(date) : ReadIsoDate(date));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(dates.size()));
}
BENCHMARK(BM_ReadDate)->Arg(0)->Arg(1);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
