// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/angles.h"

#include <array>

#include "calc/number_text.h"

namespace pothenot {

std::string DegreesToDmsText(Extended x, std::string_view separator) {
  const scheme::Dms parts = scheme::DmsOf(x);
  auto part = [&](std::int64_t v) { return TextFromNumber(Extended::FromInt64(v), separator); };
  return part(parts.degrees) + "°" + part(parts.minutes) + "`" + part(parts.seconds) + "``";
}

namespace {

// A reader over an angle text: each step takes what it expects or fails.
class DmsReader {
 public:
  explicit DmsReader(std::string_view text) : rest_(text) {}

  // A part and whether a sign was written before it.
  struct Signed {
    std::int64_t value = 0;
    bool minus = false, sign = false;
  };

  std::optional<Signed> Part() {
    SkipSpaces();
    Signed part;
    if (!rest_.empty() && (rest_.front() == '+' || rest_.front() == '-')) {
      part.sign = true;
      part.minus = rest_.front() == '-';
      rest_.remove_prefix(1);
    }
    int significant = 0;
    bool anyDigit = false;
    for (; !rest_.empty() && rest_.front() >= '0' && rest_.front() <= '9'; rest_.remove_prefix(1)) {
      anyDigit = true;
      if ((part.value != 0 || rest_.front() != '0') && ++significant > 18) return std::nullopt;
      part.value = part.value * 10 + (rest_.front() - '0');
    }
    if (!anyDigit) return std::nullopt;
    if (part.minus) part.value = -part.value;
    return part;
  }

  template <std::size_t N>
  bool Mark(const std::array<std::string_view, N>& marks) {
    SkipSpaces();
    for (std::string_view mark : marks) {
      if (rest_.starts_with(mark)) {
        rest_.remove_prefix(mark.size());
        return true;
      }
    }
    return false;
  }

  bool AtEnd() {
    SkipSpaces();
    return rest_.empty();
  }

 private:
  void SkipSpaces() {
    while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
  }
  std::string_view rest_;
};

}  // namespace

std::optional<scheme::Dms> ReadDmsText(std::string_view text) {
  // Longer marks first: "``" before "`", "''" before "'".
  static constexpr std::array<std::string_view, 1> kDegree{"°"};
  static constexpr std::array<std::string_view, 3> kMinute{"`", "'", "′"};
  static constexpr std::array<std::string_view, 4> kSecond{"``", "''", "\"", "″"};
  DmsReader reader(text);
  const auto d = reader.Part();
  if (!d || !reader.Mark(kDegree)) return std::nullopt;
  const auto m = reader.Part();
  if (!m || !reader.Mark(kMinute)) return std::nullopt;
  const auto s = reader.Part();
  if (!s || !reader.Mark(kSecond) || !reader.AtEnd()) return std::nullopt;
  // "-144°20`38``" is how a student writes -144°-20`-38``, and "-0°0`1``"
  // is 0°0`-1``: the minus before the degrees is the whole angle's.
  const std::int64_t whole = d->minus && !m->sign && !s->sign ? -1 : 1;
  return scheme::Dms{d->value, whole * m->value, whole * s->value};
}

}  // namespace pothenot
