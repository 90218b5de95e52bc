#include "library/draghook.h"

#include <QDrag>

namespace draghook {
namespace {
Runner &current()
{
    static Runner runner;
    return runner;
}
} // namespace

Qt::DropAction run(QDrag *drag, Qt::DropActions supported)
{
    if (current())
        return current()(drag, supported);
    return drag->exec(supported);
}

void setRunner(Runner runner)
{
    current() = std::move(runner);
}

} // namespace draghook
