#include "platform/process/qt_run_guard.h"

namespace kelvane {

bool RunGuard::begin() {
    if (busy_) return false;
    busy_ = true;
    emit busyChanged(true);
    return true;
}

void RunGuard::end() {
    if (!busy_) return;
    busy_ = false;
    emit busyChanged(false);
}

}  // namespace kelvane
