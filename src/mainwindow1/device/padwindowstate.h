#ifndef ZT_MAINWINDOW1_PADWINDOWSTATE_H
#define ZT_MAINWINDOW1_PADWINDOWSTATE_H

class QProgressDialog;
class SyncBatch;

// The window's side of the pad: its worker batches and their progress dialogs.
struct PadWindowState
{
    bool fileErrCloseWindow = false; // the chosen drive could not be used: the start-up ends without the window
    SyncBatch *syncBatch = nullptr; // the pad's worker batches, made with the first
    QProgressDialog *usbDialog = nullptr; // progress of the pad load, add batches and the write-back
    QProgressDialog *delDialog = nullptr; // progress of one device deletion, made by its producer
    int addProgressValue = 0;
    int delProgressValue = 0;
};

#endif
