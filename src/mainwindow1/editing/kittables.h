#ifndef ZT_MAINWINDOW1_KITTABLES_H
#define ZT_MAINWINDOW1_KITTABLES_H

#include "model/mainwindow1records.h"

#include <QMap>
#include <QString>
#include <QVector>

// The default kits and the tables between the labels the pages show and the
// bytes the kit records store. The kit pages hold one; tests use it alone.
struct MainWindow1Tables
{
    QMap<QString, int> mapKitMidiGate[11]; // gate label -> value, value v in map v % 8
    QMap<QString, int> mapKitDecay;        // decay label -> decay byte
    QMap<int, int> mapWavePitch[4];        // semitones -> pitch byte, byte b in map b / 8

    // Fills the three value maps (they are emptied first).
    void initValueMaps();

    static quint8 searchDefaultMidiCode(quint8 pad);
    static quint8 searchColorIndex(int index);
    qint8 searchWavePitch(qint8 pitch) const;
    qint8 searchWavePitchKey(quint8 byte) const;
    QString searchMidiGate(quint8 value) const;

    // Default controls of effect type 0 ... 23 (999 = control not used).
    static MainWindow1Records::KIT_EFFECT defaultEffectControls(int type);
    // Kit k (0-based) as the editor starts with it.
    static MainWindow1Records::soundKit defaultKit(int k);
};

#endif
