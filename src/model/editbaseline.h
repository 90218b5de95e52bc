#ifndef ZT_MODEL_EDITBASELINE_H
#define ZT_MODEL_EDITBASELINE_H

// The kits and the global settings as last loaded or saved, kept as snapshots,
// to tell whether closing would lose edits.

#include "model/mainwindow1records.h"

#include <QByteArray>
#include <QVector>

class EditBaseline
{
public:
    using Kit = MainWindow1Records::soundKit;

    // What a kit file keeps of a kit: its settings, name and slot sounds;
    // wave positions, reserved bytes and the kit's own index do not count.
    static QByteArray kitSnapshot(const Kit &kit);

    void setKits(const QVector<Kit> &kits);
    void setKit(int kit, const Kit &record);
    void setGlobal(const QByteArray &chunk);
    // The kit-chain block of `chunk` replaces the kept one; the rest stays.
    void setGlobalChains(const QByteArray &chunk);

    // True when a kit or the global chunk differs from what was kept.
    bool differs(const QVector<Kit> &kits, const QByteArray &globalChunk) const;

private:
    QVector<QByteArray> m_kits;
    QByteArray m_global;
};

#endif
