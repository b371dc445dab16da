// Reading a large DXL database: a generated file of about 100 MB with documents of text, number,
// date/time and rich-text items. Reports the peak resident memory against the file's size.
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "dxl/reader.h"

namespace {

constexpr std::size_t kTargetBytes = 100u << 20;

// Writes the database document by document, so generating it needs little memory.
std::string WriteLargeDatabase() {
  const std::string path = (std::filesystem::temp_directory_path() / "nvorpel_dxl_read_bench.xml").string();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  std::fputs("<?xml version='1.0' encoding='utf-8'?>\n<database xmlns='http://www.lotus.com/dxl' title='大量'>\n"
             "<view name='一覧'><column itemname='顧客名' sort='ascending'><columnheader title='顧客名'/></column>"
             "</view>\n", out);
  std::size_t written = 0;
  for (unsigned n = 1; written < kTargetBytes; ++n) {
    written += static_cast<std::size_t>(std::fprintf(out,
        "<document form='受注'>\n<noteinfo noteid='%x' unid='0A1B2C3D4E5F6071%016X'>\n"
        "<created><datetime>20260401T091500,00+09</datetime></created></noteinfo>\n"
        "<item name='受注番号'><text>J-%08u</text></item>\n"
        "<item name='顧客名'><text>株式会社ソ表商事 第%u営業所</text></item>\n"
        "<item name='担当者'><textlist><text>佐藤 花子</text><text>鈴木 一郎</text></textlist></item>\n"
        "<item name='数量'><number>%u</number></item>\n<item name='単価'><number>823.5</number></item>\n"
        "<item name='受注日'><datetime>20260401</datetime></item>\n"
        "<item name='備考'><text>納期: 4月10日, 分納可 &amp; \"至急\"</text></item>\n"
        "<item name='本文'><richtext>\n<par>いつもお世話になっております。<break/>見積書を送ります。</par>\n"
        "<par><run><font style='bold'/>合計</run> %u 円</par>\n</richtext></item>\n</document>\n",
        n * 4, n, n, n % 97, n % 1000, n * 17));
  }
  std::fputs("</database>\n", out);
  std::fclose(out);
  return path;
}

void BM_ReadLargeDatabase(benchmark::State& state) {
  const std::string path = WriteLargeDatabase();
  const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  std::size_t notes = 0;
  for (auto _ : state) {
    std::vector<std::string> warnings;
    const host::model::Database database = host::dxl::ReadFiles({path}, warnings);
    notes = database.notes.size();
    benchmark::DoNotOptimize(notes);
  }
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  state.counters["file_MB"] = fileBytes / (1 << 20);
  state.counters["notes"] = static_cast<double>(notes);
  state.counters["peak_RSS_MB"] = static_cast<double>(after.ru_maxrss) / 1024;
  state.counters["peak_per_file_byte"] = static_cast<double>(after.ru_maxrss) * 1024 / fileBytes;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadLargeDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
