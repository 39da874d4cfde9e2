#include <benchmark/benchmark.h>
#include <libyuv/cpu_id.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Cpu.h"

namespace bench {

namespace {

struct Row {
  std::string ours;
  std::vector<Reference> references;
  std::string path;
};

std::vector<Row>& Rows() {
  static std::vector<Row> rows;
  return rows;
}

// The processor's own name, with its family and model where the name alone says little (a
// virtual machine may show only "AMD EPYC"): the same figures mean different things on
// different machines.
std::string ProcessorModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::map<std::string, std::string> fields;
  std::string line;
  while (std::getline(cpuinfo, line) && !line.empty()) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string key = line.substr(0, colon);
    key.erase(key.find_last_not_of(" \t") + 1);
    const size_t value = line.find_first_not_of(' ', colon + 1);
    fields[key] = value == std::string::npos ? "" : line.substr(value);
  }
  if (fields["model name"].empty()) return "unknown";
  return fields["model name"] + " (family " + fields["cpu family"] + ", model " + fields["model"] + ")";
}

// The kernels our modules pick (base/Cpu.h) and the widest ones libyuv picks.
std::string SimdPaths() {
  const std::string libyuv = libyuv::TestCpuFlag(libyuv::kCpuHasAVX512BW) ? "avx512bw"
                             : libyuv::TestCpuFlag(libyuv::kCpuHasAVX2)   ? "avx2"
                             : libyuv::TestCpuFlag(libyuv::kCpuHasSSSE3)  ? "ssse3"
                             : libyuv::TestCpuFlag(libyuv::kCpuHasSSE2)   ? "sse2"
                                                                          : "plain";
  return "ours " + PathName(cpu::kAllFeatures) + " for the color filter and the simulation, " +
         PathName(cpu::kSse2 | cpu::kAvx2) + " for the scaler rows and flips, " + PathName(cpu::kSse2) +
         " for the contrast pen; libyuv " + libyuv + " at its widest, " + LibyuvColorMatrixPath() +
         " in ARGBColorMatrix";
}

std::string Labelled(const std::string& name, const std::string& path) {
  return path.empty() ? name : name + " [" + path + "]";
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
    std::printf("\nprocessor: %s\nSIMD paths: %s\n", ProcessorModel().c_str(), SimdPaths().c_str());
    std::printf(
        "\n| case [our path] | ours (us) | reference [its path] | reference (us) | ours / reference | goal |\n");
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
        std::printf("| %s | %.0f | %s | %.0f | %.2f | %s |\n", Labelled(row.ours, row.path).c_str(), ours->second,
                    Labelled(ref.label, ref.path).c_str(), theirs->second, ratio, goal);
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

void Compare(const std::string& ours, std::vector<Reference> references, std::string oursPath) {
  Rows().push_back({ours, std::move(references), std::move(oursPath)});
}

std::string PathName(uint32_t features) {
  const uint32_t on = cpu::Features() & features;
  return (on & cpu::kAvx512) != 0 ? "avx512"
         : (on & cpu::kAvx2) != 0 ? "avx2"
         : (on & cpu::kSse2) != 0 ? "sse2"
                                  : "plain";
}

// SSSE3 where the width is a whole number of its eight-pixel steps, else C (libyuv 0.0.1857).
std::string LibyuvColorMatrixPath() {
  return libyuv::TestCpuFlag(libyuv::kCpuHasSSSE3) && kViewWidth % 8 == 0 ? "ssse3" : "c";
}

}  // namespace bench

// Medians of interleaved repetitions by default: this machine is shared, and a median shrugs
// off the runs another process interrupted, while interleaving spreads a busy spell over every
// case instead of landing on one. Flags given on the command line win.
int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=7";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  std::string minTime = "--benchmark_min_time=0.05";
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  if (!bench::HasFlag(argc, argv, "--benchmark_repetitions")) args.insert(args.begin() + 1, repetitions.data());
  if (!bench::HasFlag(argc, argv, "--benchmark_report_aggregates_only"))
    args.insert(args.begin() + 1, aggregates.data());
  if (!bench::HasFlag(argc, argv, "--benchmark_min_time")) args.insert(args.begin() + 1, minTime.data());
  if (!bench::HasFlag(argc, argv, "--benchmark_enable_random_interleaving"))
    args.insert(args.begin() + 1, interleave.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::AddCustomContext("processor", bench::ProcessorModel());
  benchmark::AddCustomContext("SIMD paths", bench::SimdPaths());
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
