#ifndef TESTS_MAINWINDOW1_DROPFIXTURE_H
#define TESTS_MAINWINDOW1_DROPFIXTURE_H

// A shown main window (offscreen) that takes drags as Qt delivers them: the
// enter, a move and the drop, sent to the real widgets.

#include "library/dragpayload.h"
#include "windowfixture.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QStandardItemModel>
#include <QUrl>

#include <memory>

struct DropFixture : WindowFixture
{
    bool exposed = false;

    DropFixture()
    {
        w->resize(1400, 900);
        w->show();
        exposed = QTest::qWaitForWindowExposed(w);
        // The device writer is not run here; the tests watch its signal.
        QObject::disconnect(w, &MainWindow1::sendUpdate, w, &MainWindow1::recvUpdate);
    }

    // A sound file in the working folder; its native path.
    QString sound(const QString &fileName, const QByteArray &bytes = QByteArray("RIFF"))
    {
        const QString path = work.filePath(fileName);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return QDir::toNativeSeparators(path);
    }

    // Device mode on a pad folder made here.
    void deviceMode()
    {
        const QString root = work.filePath("pad") + "/";
        QDir().mkpath(root + "ZT350/WAV_DATA");
        w->currentDirPath = root;
        w->isUDiskFlag = false;
    }

    static std::unique_ptr<QMimeData> payload(const QString &text)
    {
        std::unique_ptr<QMimeData> mime(new QMimeData);
        mime->setData("mimeformat", text.toUtf8());
        return mime;
    }
    static std::unique_ptr<QMimeData> files(const QStringList &paths)
    {
        std::unique_ptr<QMimeData> mime(new QMimeData);
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        mime->setUrls(urls);
        return mime;
    }

    // Enter, move and drop at `pos` of `target`; true when the drop was accepted.
    bool drag(QWidget *target, const QPoint &pos, const QMimeData *mime)
    {
        QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        if (!move.isAccepted())
            return false;
        QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

    // The centre of a pad's layer label (0 A, 1 B) in the pad's coordinates.
    QPoint labelCentre(int pad, int layer) const
    {
        const MainWindow1::strPadWidgetGroup &g = w->padWidgetGroup[pad];
        const QLabel *label = layer == 0 ? g.lableA : g.lableB;
        return label->mapTo(g.group, label->rect().center());
    }
    bool dropOnPad(int pad, int layer, const QString &text)
    {
        auto mime = payload(text);
        return drag(w->padWidgetGroup[pad].group, labelCentre(pad, layer), mime.get());
    }
    // The centre of `child` in the coordinates of `ancestor`.
    static QPoint centreIn(const QWidget *child, const QWidget *ancestor)
    {
        return child->mapTo(ancestor, child->rect().center());
    }

    // Rows of the total list: number|name|path.
    QStringList totalRows() const
    {
        QStringList out;
        for (int r = 0; r < w->totalGroup->rowCount(); ++r)
            out << w->totalGroup->child(r, 0)->text() + '|' + w->totalGroup->child(r, 1)->text() + '|'
                           + w->totalGroup->child(r, 2)->text();
        return out;
    }
    QStringList mirrorRows() const
    {
        QStringList out;
        for (int r = 0; r < w->hhGroup->rowCount(); ++r)
            out << w->hhGroup->child(r, 0)->text() + '|' + w->hhGroup->child(r, 1)->text();
        return out;
    }
    // A sound of the setup: its row and its working-list entry.
    void addListed(const QString &name, const QString &path, quint16 number)
    {
        w->totalGroup->appendRow({new QStandardItem(QString::number(number)), new QStandardItem(name),
                                  new QStandardItem(path)});
        w->hhGroup->appendRow({new QStandardItem(name), new QStandardItem(path)});
        MainWindow1::SOUND_INDEX s;
        s.file = path;
        s.wave_No = number;
        s.wave_lock = 1;
        w->waveLoadKitAttrList.append(s);
    }
};

#endif
