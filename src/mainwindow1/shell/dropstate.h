#ifndef ZT_MAINWINDOW1_DROPSTATE_H
#define ZT_MAINWINDOW1_DROPSTATE_H

#include <QString>

class QMimeData;

// The drag under way and what the last drop left on the pads.
struct DropState
{
    const QString MIME_FORMAT = QStringLiteral("mimeformat");
    int dragLeftOrRight = 0;
    int padDropState = -1;                    // dropToPadOrRight as last applied to the pads
    // The payload of the drag under way and whether it is ours (taken at its enter).
    const QMimeData *dragMime = nullptr;
    bool dragMimeOurs = false;
};

#endif
