#ifndef ZT_MAINWINDOW1_DEVICE_PADPANE_H
#define ZT_MAINWINDOW1_DEVICE_PADPANE_H

// The pad's work other areas of the window call, on the window's pad sync.

#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/mainwindow1.h"

namespace padpane {

inline void changeOnlineKitPath(MainWindow1 *w, QString originalPath, QString newPath, quint16 newNum,
                                quint32 newLength, int kitNo)
{
    w->padSync().changeOnlineKitPath(originalPath, newPath, newNum, newLength, kitNo);
}
inline void showPadMode(MainWindow1 *w, PadSession::Mode mode) { w->padSync().showPadMode(mode); }
inline bool closeOnPad(MainWindow1 *w) { return w->padSync().closeOnPad(); }

} // namespace padpane

#endif
