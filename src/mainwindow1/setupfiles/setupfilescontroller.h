#ifndef ZT_MAINWINDOW1_SETUPFILES_SETUPFILESCONTROLLER_H
#define ZT_MAINWINDOW1_SETUPFILES_SETUPFILESCONTROLLER_H

// Setup files: the imports and saves of kit files and whole setups, and what the window does with their results.

#include <QObject>

class SetupFilesController : public QObject
{
    Q_OBJECT

public:
    explicit SetupFilesController(QObject *parent = nullptr);
};

#endif
