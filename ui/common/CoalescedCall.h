// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

namespace pothenot {

/// A call made once when the events of the moment are through, however often
/// it is asked for meanwhile: a window that follows the sheet redraws once
/// for a Calculate that changes 29 fields. The call is dropped with
/// `context`.
class CoalescedCall {
 public:
  CoalescedCall(QObject* context, std::function<void()> call);

  /// Asks for the call; nothing more while one is already asked for.
  void schedule();

 private:
  QObject* context_;
  std::function<void()> call_;
  bool pending_ = false;
};

}  // namespace pothenot
