#ifndef ZT_MAINWINDOW1_LIBRARY_PREVIEWCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_PREVIEWCONTROLLER_H

// The preview bar: the player, the sound chosen, loop and the wait of a long preparation.

#include <QObject>

class PreviewController : public QObject
{
    Q_OBJECT

public:
    explicit PreviewController(QObject *parent = nullptr);
};

#endif
