#ifndef ZT_MAINWINDOW1_DEVICE_PADPANE_H
#define ZT_MAINWINDOW1_DEVICE_PADPANE_H

// The pad's side of the window: its load, its checks, the add and delete
// batches, the renumbering and the close on the pad.

#include "mainwindow1/mainwindow1.h"

#include "device/kitwaves.h"
#include "device/padidentity.h"
#include "device/padkits.h"

namespace padpane {

void addUsbWave(MainWindow1 *w);
void deleteUsbWave(MainWindow1 *w);
void changeOnlineKitPath(MainWindow1 *w, QString originalPath, QString newPath, quint16 newNum, quint32 newLength,
                         int kitNo);
void updateWavePrmAndData(MainWindow1 *w, int count, QVector<int> oldNumbers);
bool generateOrderFile(MainWindow1 *w);
// The total list's number and name of each of `files` it holds.
WaveFileIndex usedWaveIndex(MainWindow1 *w, const QSet<QString> &files);
// The load after the drive's model folder was found; ends the program
// (fileErrCloseWindow) when the pad cannot be used.
void loadPad(MainWindow1 *w, const QString &modelFolder);
// The metronome list, filled from the pad's metronome folder.
void importPadClicks(MainWindow1 *w);
// The kits read from the pad become the window's, with their copies.
void takePadKits(MainWindow1 *w, const PadKits &kits);
// The pad loaded (device mode from now on): the guard that judges the pad
// before each write and read below its root, from `loaded` and the kit
// records read; it warns when another pad is found at a read.
void guardPad(MainWindow1 *w, const PadIdentity &loaded);
// The window follows the pad's mode: the look of device mode once the pad
// is loaded, the pad's dialogs hidden when it goes offline.
void showPadMode(MainWindow1 *w, PadSession::Mode mode);
// The close in device mode; true when the window may close.
bool closeOnPad(MainWindow1 *w);
// The batch object, made and connected on first use.
SyncBatch *padSync(MainWindow1 *w);
// The pad at the pad's place judged now (the session's padLost() when it is another);
// `settingsToo` reads its serials and fingerprint also on the same mount.
PadMatch padCheck(MainWindow1 *w, bool settingsToo);
// True while the pad at the pad's place is the one loaded; otherwise the
// user is told, and when another pad stands there, the pad is lost.
bool padStillLoaded(MainWindow1 *w);
// One box about sounds of a batch that did not reach the pad: why (another
// pad, read-only, gone, or the errno `refusal` of a write it refused), then
// `lead` and the sounds.
DeviceMessage padBatchMessage(MainWindow1 *w, const QString &lead, const QStringList &sounds, int refusal = 0);
// usbDialog prepared for a long pad operation, shown at 0.
QProgressDialog *showPadProgress(MainWindow1 *w, const QString &label, int maximum);
// Warning boxes of the device side, in order.
void showDeviceMessages(MainWindow1 *w, const DeviceMessages &messages);
// The rows, records and kits follow an ended batch; one box names the
// sounds that did not reach the pad or stay on it.
void completeAddBatch(MainWindow1 *w);
void completeDeleteBatch(MainWindow1 *w);
// The pad session's tree checks, with their warnings.
bool getRootDirPath(MainWindow1 *w, QString path);
bool judgeFourFile(MainWindow1 *w);

} // namespace padpane

#endif
