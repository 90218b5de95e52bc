#ifndef ZT_MAINWINDOW1_LIBRARY_SOUNDLISTSCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_SOUNDLISTSCONTROLLER_H

// The sound lists and groups: the total list, the group tree, the hi-hat and metronome lists, their selections, renames, orders, locks and deletes.

#include <QObject>

class SoundListsController : public QObject
{
    Q_OBJECT

public:
    explicit SoundListsController(QObject *parent = nullptr);
};

#endif
