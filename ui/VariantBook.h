#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "calc/worksheet.h"
#include "ui/PaperPage.h"

/// A class set of exercises in one PDF: a sheet per variant, its givens
/// filled and its results empty, then the answer key: per variant every
/// result text as Calculate writes it, the exact station, M and the verdicts.
class TVariantBook {
 public:
  static constexpr int kMaxCount = 100;
  /// m_β of the key's judgements, arc seconds.
  static constexpr double kAngleErrorSeconds = 5.0;

  /// Puts a variant's givens into `sheet` and empties its results; the
  /// mirrors follow Xa and Ya.
  static void Fill(pothenot::TWorksheet& sheet, const pothenot::TWorksheet& variant);

  /// Writes variants first … first + count − 1 (count 1–kMaxCount, the last
  /// at most 999999) to `path`. `progress(done)` is called after each
  /// variant's sheet with the number done so far; when it returns false the
  /// run stops and nothing is written. Throws std::invalid_argument for a
  /// count or a range out of bounds.
  static TPaperPage::Outcome WritePdf(std::uint32_t first, int count, const QString& path,
                                      const std::function<bool(int done)>& progress);
};
