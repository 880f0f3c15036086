// Cleaning feed descriptions as the feed readers do: the summary pass and the cleaning pass with
// link resolution, over generated descriptions of typical markup (about 2 KB each). Bytes per
// second count description bytes, once per pass.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "html/cleaning.h"
#include "html/entities.h"
#include "platform/system_code_page.h"

namespace tarsel::HTML {
namespace {

constexpr const char* kBase = "http://news.example.com/2024/05/article.html";

// `relative_links` of every four links are relative and go through the URL combiner.
std::vector<std::string> MakeDescriptions(int relative_links) {
  static const char* const kWords[] = {"market", "update", "release", "server", "the", "of",
                                       "and",    "feeds",  "reader",  "notes",  "a",   "news"};
  std::mt19937 random(2024);
  auto words = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text.append(kWords[random() % std::size(kWords)]).append(" ");
    return text;
  };
  std::vector<std::string> descriptions;
  for (int d = 0; d < 500; ++d) {
    std::string html;
    for (int link = 0; link < 4; ++link) {
      const std::string target = link < relative_links ? "/story/" : "http://other.example.org/";
      html += "<p class=\"body\">" + words(20) + "&amp; <b>" + words(3) + "</b> <a href=\"" +
              target + std::to_string(random()) + ".html\" target=\"_blank\" onclick=\"track()\">" +
              words(2) + "</a>&nbsp;" + words(15) + "</p>\n";
    }
    html += "<ul><li>" + words(6) + "<li>" + words(6) + "</ul><img src=\"http://img.example.org/" +
            std::to_string(random()) + ".png\" width=\"80\"><br><script>ad();</script>\n";
    descriptions.push_back(std::move(html));
  }
  return descriptions;
}

void RunPipeline(benchmark::State& state, bool summary, bool clean) {
  const std::vector<std::string> descriptions = MakeDescriptions(static_cast<int>(state.range(0)));
  int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& description : descriptions) {
      if (summary) benchmark::DoNotOptimize(MakeSummary(description, 2, kCodePageUtf8));
      if (clean) benchmark::DoNotOptimize(CleanHtml(description, kBase));
      bytes += static_cast<int64_t>(description.size()) * (summary + clean);
    }
  }
  state.SetBytesProcessed(bytes);
}

void BM_Summary(benchmark::State& state) {
  RunPipeline(state, true, false);
}
void BM_Clean(benchmark::State& state) {
  RunPipeline(state, false, true);
}
void BM_SummaryAndClean(benchmark::State& state) {
  RunPipeline(state, true, true);
}

// Arg 0: the markup escapes and a few references; 1: the names today's posts use most.
void BM_DecodeEntities(benchmark::State& state) {
  const char* const phrase =
      state.range(0) == 0
          ? "Fish &amp; chips &lt;b&gt; &#233;t&eacute; &quot;x&quot; "
          : "It&rsquo;s &ldquo;caf&eacute;&rdquo; &mdash; na&iuml;ve&nbsp;&copy 2024&hellip; ";
  std::string text;
  while (text.size() < 100000) text += phrase;
  for (auto _ : state) {
    std::string copy = text;
    DecodeEntitiesInPlace(copy, kCodePageUtf8);
    benchmark::DoNotOptimize(copy);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_Summary)->Arg(0);
BENCHMARK(BM_Clean)->Arg(0)->Arg(1)->Arg(4);
BENCHMARK(BM_SummaryAndClean)->Arg(0)->Arg(1)->Arg(4);
BENCHMARK(BM_DecodeEntities)->Arg(0)->Arg(1);

}  // namespace
}  // namespace tarsel::HTML

BENCHMARK_MAIN();
