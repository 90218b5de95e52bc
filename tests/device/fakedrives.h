#ifndef TESTS_DEVICE_FAKEDRIVES_H
#define TESTS_DEVICE_FAKEDRIVES_H

#include "platform/removabledrives.h"

#include <QDir>
#include <QFile>

// A drive list the test controls; installs itself while it lives.
struct FakeDriveSource : DriveSource
{
    QVector<DriveEntry> list;
    FakeDriveSource() { ztplatform::setDriveSource(this); }
    ~FakeDriveSource() override { ztplatform::setDriveSource(nullptr); }
    QVector<DriveEntry> drives() const override { return list; }
};

// Lays out a pad below root: zt350 with KIT, SYS (CLICK, global.ini),
// WAV_DATA and WAV_PRM, names spelled as given.
inline void makePadTree(const QString &root, const QStringList &names = {"KIT", "SYS", "WAV_DATA", "WAV_PRM"},
                        const QString &model = "ZT350")
{
    QDir d(root);
    d.mkpath(model);
    for (const QString &n : names)
        d.mkpath(model + "/" + n);
    d.mkpath(model + "/" + names[1] + "/CLICK");
    QFile g(root + "/" + model + "/" + names[1] + "/global.ini");
    g.open(QIODevice::WriteOnly);
    g.write(QByteArray(843, '\0'));
}

inline void touchFile(const QString &path, const QByteArray &data = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
}

#endif
