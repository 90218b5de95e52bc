#pragma once

#include <Qt>

#include <functional>

class QDrag;

// Internal drags of sounds start here. A real drag waits for the mouse, so
// tests put their own runner in place to record what would be dragged.
namespace draghook {

using Runner = std::function<Qt::DropAction(QDrag *drag, Qt::DropActions supported)>;

// Runs the drag with the current runner (QDrag::exec by default).
Qt::DropAction run(QDrag *drag, Qt::DropActions supported);
// Replaces the runner; an empty one restores QDrag::exec.
void setRunner(Runner runner);

} // namespace draghook
