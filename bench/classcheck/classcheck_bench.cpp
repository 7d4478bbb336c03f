// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test: the marking of a whole class, and the command line as a process.
//   CheckJsonProcess: `pothenot --check --json` over 1 000 sheet files on disk,
//     start to exit (goal ≤ 1 s in all);
//   MarkFiles: the same 1 000 files marked in this process, without the start;
//   CalculateProcess / EmptyCoreProcess: `pothenot --calculate` of one file
//     against a program that makes an empty QCoreApplication and ends, both
//     start to exit (goal: at most twice as long).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/classcheck/ClassReport.h"

namespace {

constexpr int kClass = 1000;

// A class of kClass worked sheets, one variant each; every third has K1
// altered, so that the marking meets wrong and carried boxes too.
const QStringList& classFiles() {
  static QTemporaryDir dir;
  static const QStringList files = [] {
    QStringList paths;
    for (std::uint32_t n = 1; n <= kClass; ++n) {
      pothenot::SheetFile file{pothenot::MakeVariant(n), ",", n, "Студент " + std::to_string(n)};
      pothenot::Calculate(file.sheet, ",");
      if (n % 3 == 0) file.sheet.setText(pothenot::Field::EK1, "1");
      QFile out(dir.filePath(QStringLiteral("%1.pothenot").arg(n)));
      if (!out.open(QIODevice::WriteOnly)) std::abort();
      out.write(QByteArray::fromStdString(pothenot::WriteSheetFile(file)));
      paths << out.fileName();
    }
    return paths;
  }();
  return files;
}

void runProcess(benchmark::State& state, const QString& program, const QStringList& arguments) {
  for (auto _ : state) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
      state.SkipWithError("the process did not end");
    benchmark::DoNotOptimize(process.readAllStandardOutput());
  }
}

void BM_CheckJsonProcess(benchmark::State& state) {
  runProcess(state, QStringLiteral(POTHENOT_PROGRAM),
             QStringList{QStringLiteral("--check"), QStringLiteral("--json")} + classFiles());
}
BENCHMARK(BM_CheckJsonProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_MarkFiles(benchmark::State& state) {
  const QStringList& files = classFiles();
  for (auto _ : state) benchmark::DoNotOptimize(pothenot::classcheck::markFiles(files));
}
BENCHMARK(BM_MarkFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_CalculateProcess(benchmark::State& state) {
  runProcess(state, QStringLiteral(POTHENOT_PROGRAM),
             {QStringLiteral("--calculate"), classFiles().front()});
}
BENCHMARK(BM_CalculateProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BM_EmptyCoreProcess(benchmark::State& state) {
  runProcess(state, QStringLiteral(POTHENOT_CORE_PROBE), {});
}
BENCHMARK(BM_EmptyCoreProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
