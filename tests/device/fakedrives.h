#ifndef TESTS_DEVICE_FAKEDRIVES_H
#define TESTS_DEVICE_FAKEDRIVES_H

#include "platform/removabledrives.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <condition_variable>
#include <mutex>

// A drive list the test controls, handed to what lists drives.
struct FakeDriveSource : DriveSource
{
    QVector<DriveEntry> list;
    FakeDriveSource() = default;
    ~FakeDriveSource() override
    {
        // Looks still in answers() return before it goes.
        std::unique_lock<std::mutex> hold(m_lock);
        m_hanging.clear();
        m_changed.notify_all();
        m_changed.wait(hold, [&] { return m_calls == 0; });
    }
    QVector<DriveEntry> drives() const override { return list; }

    // A look at `root` waits, as on a dead network or FUSE mount, until released.
    void hang(const QString &root)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_hanging.insert(root);
    }
    void release(const QString &root)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_hanging.remove(root);
        m_changed.notify_all();
    }
    // Looks waiting in answers() now.
    int waiting() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_inside;
    }
    bool answers(const QString &root) const override
    {
        std::unique_lock<std::mutex> hold(m_lock);
        ++m_calls;
        ++m_inside;
        m_changed.wait(hold, [&] { return !m_hanging.contains(root); });
        --m_inside;
        hold.unlock();
        const bool answered = DriveSource::answers(root);
        hold.lock();
        --m_calls;
        m_changed.notify_all();
        return answered;
    }

private:
    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    mutable int m_inside = 0; // waiting while their root hangs
    mutable int m_calls = 0;  // in answers()
    QSet<QString> m_hanging;
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
