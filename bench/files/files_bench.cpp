// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/app/Commands.h"
#include "ui/common/Application.h"
#include "ui/files/FileCommands.h"
#include "ui/sheet/Zadaha.h"

namespace {

// A worked variant with a decimal comma, as a student hands it in.
QString WorkedSheet(const QTemporaryDir& dir, std::uint32_t number) {
  pothenot::SheetFile file{pothenot::MakeVariant(number), ",", number, "Иванова А. П."};
  pothenot::Calculate(file.sheet, ",");
  const std::string bytes = pothenot::WriteSheetFile(file);
  const QString path = dir.filePath(QStringLiteral("Вариант %1.pothenot").arg(number));
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()))
    return {};
  return path;
}

// Ctrl+O of a worked sheet on the shown problem window: read from disk, its
// separator moved, all 48 texts into the boxes. Two sheets in turn, so that
// every box really changes.
void BM_OpenSheet(benchmark::State& state) {
  const QTemporaryDir dir;
  const QString sheets[] = {WorkedSheet(dir, 17), WorkedSheet(dir, 18)};
  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  int turn = 0;
  for (auto _ : state) {
    if (!commands.files->openSheet(sheets[turn ^= 1])) state.SkipWithError("not opened");
  }
}
BENCHMARK(BM_OpenSheet)->Unit(benchmark::kMillisecond);

// Ctrl+S of that sheet to its file: the 48 texts, the file written whole.
void BM_SaveSheet(benchmark::State& state) {
  const QTemporaryDir dir;
  TForm2 form;
  const pothenot::Commands commands = pothenot::attachCommands(form);
  form.show();
  if (!commands.files->openSheet(WorkedSheet(dir, 17))) state.SkipWithError("not opened");
  for (auto _ : state) {
    if (!commands.files->save()) state.SkipWithError("not saved");
  }
}
BENCHMARK(BM_SaveSheet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("LC_ALL", "C.UTF-8");  // a point desktop: every comma of the sheets moves
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
