// The record pane's core work for one selection: a 5 KB record through the shipped template,
// then the conversion for the page and the script that carries it there.

#include <benchmark/benchmark.h>

#include <string>

#include "view/record_render.h"
#include "view/record_render_script.h"

namespace tarsel {
namespace {

std::string ShippedTemplate() {
  auto text = ReadRecordTemplate(std::string(TARSEL_BENCH_DIR) + "/../theme/rssitem.templ");
  return text ? *text : std::string("<h1><<RSSITEM.TITLE>></h1><<RSSITEM.CONTENT>>");
}

Record FiveKilobyteRecord() {
  Record record;
  record.title = "Servers & readers: what the \"new\" release changes for feeds";
  record.link = "http://news.example.com/2024/05/article.html?id=42&from=feed";
  record.comments = "http://news.example.com/2024/05/article.html#comments";
  while (record.description.size() < 5000) {
    record.description +=
        "<p class=\"body\">The market update of the reader notes that the feeds server and the "
        "news release go <b>hand in hand</b>, with <a href=\"http://other.example.org/1.html\">"
        "a link</a> and an \xE9l\xE8ve's caf\xE9.</p>\n";
  }
  return record;
}

void BM_RenderRecordBody(benchmark::State& state) {
  const std::optional<std::string> templ = ShippedTemplate();
  Column column;
  column.name = "Example News";
  column.channel.link = "http://news.example.com/";
  column.channel.image_url = "http://news.example.com/logo.png";
  const Record record = FiveKilobyteRecord();
  for (auto _ : state) benchmark::DoNotOptimize(RenderRecordBody(&column, &record, templ));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(record.description.size()));
}
BENCHMARK(BM_RenderRecordBody);

// Everything the pane does before handing the body to the page (the template read excluded).
void BM_RenderConvertAndScript(benchmark::State& state) {
  const std::optional<std::string> templ = ShippedTemplate();
  Column column;
  column.name = "Example News";
  const Record record = FiveKilobyteRecord();
  for (auto _ : state) {
    const std::string body = RenderRecordBody(&column, &record, templ);
    benchmark::DoNotOptimize(BodyAssignmentScript(BodyToUtf8(body, 1252)));
  }
}
BENCHMARK(BM_RenderConvertAndScript);

void BM_ReadTemplateFile(benchmark::State& state) {
  const std::string path = std::string(TARSEL_BENCH_DIR) + "/../theme/rssitem.templ";
  for (auto _ : state) benchmark::DoNotOptimize(ReadRecordTemplate(path));
}
BENCHMARK(BM_ReadTemplateFile);

}  // namespace
}  // namespace tarsel

BENCHMARK_MAIN();
