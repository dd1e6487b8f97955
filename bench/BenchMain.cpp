// Runs the benchmarks as Google Benchmark does, then prints each figure
// that has a goal beside that goal. With --benchmark_repetitions the
// medians are taken.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

using Run = benchmark::BenchmarkReporter::Run;

// Keeps the real time of each benchmark, in milliseconds, by its function
// name and arguments ("LoadOptionsOfSets/1000").
class FigureReporter : public benchmark::ConsoleReporter {
public:
  FigureReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred)
        continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median)
        continue;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty())
        name += "/" + run.run_name.args;
      const double ms = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
      if (median || !FMedians.contains(name))
        FMilliseconds[name] = ms;
      if (median)
        FMedians[name] = true;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::optional<double> Ms(const std::string& name) const {
    const auto found = FMilliseconds.find(name);
    return found == FMilliseconds.end() ? std::nullopt : std::optional<double>(found->second);
  }

private:
  std::map<std::string, double> FMilliseconds;
  std::map<std::string, bool> FMedians;
};

void PrintFigure(const char* what, std::optional<double> value, const char* unit, const char* goal, bool met) {
  if (!value)
    return;
  std::printf("  %-58s %10.3f %-3s %-12s %s\n", what, *value, unit, goal, *goal ? (met ? "met" : "MISSED") : "");
}

void PrintFigures(const FigureReporter& figures) {
  std::printf("\nFigures (real time; goals beside them):\n");
  const auto perRun = figures.Ms("SwitchOfEightItems");
  const std::optional<double> perItem = perRun ? std::optional<double>(*perRun / 8) : std::nullopt;
  PrintFigure("P2 switch overhead per item", perItem, "ms", "<= 5 ms", perItem && *perItem <= 5);
  const auto load = figures.Ms("LoadOptionsOfSets/1000");
  PrintFigure("P3 load the options of 1000 sets (at start)", load, "ms", "<= 20 ms", load && *load <= 20);
  PrintFigure("   the same right after the file was written", figures.Ms("LoadOptionsOfSetsJustWritten/1000"), "ms",
              "", false);
  const auto erase = figures.Ms("DeleteFirstOfSets/1000");
  PrintFigure("P3 delete set 0 of 1000", erase, "ms", "<= 20 ms", erase && *erase <= 20);
  const auto byHeader = figures.Ms("DeleteFirstHeaderByHeader/1000");
  const std::optional<double> ratio =
      erase && byHeader ? std::optional<double>(*byHeader / *erase) : std::nullopt;
  PrintFigure("   header by header", byHeader, "ms", "", false);
  PrintFigure("P3 one rewrite against header by header (times faster)", ratio, "x", ">= 50 x", ratio && *ratio >= 50);
  PrintFigure("P3 save one set of 1000 (each of its keys)", figures.Ms("SaveOneSetOf/1000"), "ms", "", false);
}

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  FigureReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintFigures(reporter);
  return 0;
}
