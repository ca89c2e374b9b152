#pragma once

// Whether the planner lets a command throw away the changes not saved yet.

#include <functional>

class QWidget;

namespace tessaro::qt_detail {

// True with nothing pending; else the host's answer when it gave a way to ask, or the planner's
// answer to a question box over the parent.
bool MayDiscardChanges(QWidget* parent, int pending, const std::function<bool(int)>& ask);

}  // namespace tessaro::qt_detail
