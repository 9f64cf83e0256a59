// Print > To File with a registered callsign of a megabyte: the sheet's file
// name alone, and the whole sheet written to a temporary working folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "logbook/data_folder.h"
#include "logbook/file_names.h"
#include "logbook/registration.h"
#include "reports/sheet_file_name.h"
#include "reports/write_summary_sheet.h"
#include "scoring/counters.h"

namespace {

namespace fs = std::filesystem;
using namespace vl;

const std::string& megabyteCall() {
    static const std::string call = [] {
        std::string c;
        for (int i = 0; c.size() < 1'000'000; ++i) c += i % 3 == 0 ? "W1\xD8/" : "K1ABC";
        return c;
    }();
    return call;
}

void BM_SheetFileName_MegabyteCall(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(reports::sheetFileName(megabyteCall(), "2026"));
    }
}

void BM_WriteSummarySheet_MegabyteCall(benchmark::State& state) {
    char pattern[] = "/tmp/vl_bench_sheet_XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    logbook::DataFolder folder(dir);
    logbook::Registration r;
    r.call = megabyteCall();
    r.chapter = "012";
    r.year = "2026";
    folder.writeWhole(logbook::names::kRegistration, logbook::formatRegistrationLine(r));
    folder.touch(logbook::names::kContactLog);
    scoring::Counters counters;
    scoring::ZeroCounters(counters);
    for (auto _ : state) {
        const reports::SheetOutcome outcome = reports::writeSummarySheet(folder, counters, {});
        if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
    }
    fs::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_SheetFileName_MegabyteCall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSummarySheet_MegabyteCall)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
