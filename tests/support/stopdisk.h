#ifndef TESTS_SUPPORT_STOPDISK_H
#define TESTS_SUPPORT_STOPDISK_H

// A disk that stops: put in place of the editor's disk by the first call
// below, it passes every call to the system and counts those that change
// something (the counted opens: those that may create or truncate), until
// the stop comes.

#include "platform/sysio.h"

#include <functional>

namespace stopdisk {

// Calls counted since the last resetCount() or stopAt().
int callCount();
void resetCount();
// The n-th counted call from now (1 is the next) and every one after fail
// with EIO, as if the machine had stopped there. With `dropUnsynced`, at that
// moment every change the system may not yet hold is undone too: bytes
// written since the file's last sync, and entries made, renamed or removed
// since their folder's last sync.
void stopAt(int n, bool dropUnsynced = false);
// True once the stop came.
bool stopped();
// Writes reach the system again (the editor "started again").
void resume();

// Sees, on the calling thread, each open that may create or truncate once
// it is made (size 0) and each write let through before it is made: the
// descriptor and the byte count. Empty ends the watch.
enum class Watched { Open, Write };
using WriteWatch = std::function<void(Watched call, int fd, qint64 size)>;
void setWriteWatch(WriteWatch watch);

// The editor's calls, through this disk.
using ztplatform::sysio::open;
using ztplatform::sysio::renameAt;
using ztplatform::sysio::sync;
using ztplatform::sysio::writeAll;

} // namespace stopdisk

#endif
