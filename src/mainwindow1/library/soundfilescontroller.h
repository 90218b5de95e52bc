#ifndef ZT_MAINWINDOW1_LIBRARY_SOUNDFILESCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_SOUNDFILESCONTROLLER_H

// Sound import and export: conversion through ffmpeg, the imports into the lists and groups, Export Sound.

#include <QObject>

class SoundFilesController : public QObject
{
    Q_OBJECT

public:
    explicit SoundFilesController(QObject *parent = nullptr);
};

#endif
