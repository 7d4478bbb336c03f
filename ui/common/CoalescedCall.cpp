// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/CoalescedCall.h"

#include <QTimer>
#include <utility>

namespace pothenot {

CoalescedCall::CoalescedCall(QObject* context, std::function<void()> call)
    : context_(context), call_(std::move(call)) {}

void CoalescedCall::schedule() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, context_, [this] {
    pending_ = false;
    call_();
  });
}

}  // namespace pothenot
