#ifndef ZT_MAINWINDOW1_PREVIEWSTATE_H
#define ZT_MAINWINDOW1_PREVIEWSTATE_H

#include "mainwindow1/library/previewsession.h"
#include "platform/fileidentity.h"

#include <QString>

class QMediaPlayer;
class QProgressDialog;

// The sound preview: its player, the sound it holds, its loop and its wait dialog.
struct PreviewState
{
    QMediaPlayer *player2 = nullptr;
    QString playFileNameNew2; // the sound chosen for preview
    QString playFileNameOld2; // the sound whose preview the player holds
    ztplatform::FileStamp playFileStamp2; // the file that preview was made from, as it was then
    int index2 = 0;           // loop presses; odd while loop mode is on
    quint8 playerStrate2 = 0; // player state recorded at a Play press or loop change
    bool singleLoop = false; // loop playback of the preview is on
    qint64 moved_2 = 0;       // last position in ms
    PreviewSession previewSession; // the preparation, its Stop and the loop run
    QProgressDialog *dialog = nullptr; // wait dialog of the long operations
};

#endif
