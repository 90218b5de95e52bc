#ifndef TESTS_MAINWINDOW1_DROPFIXTURE_H
#define TESTS_MAINWINDOW1_DROPFIXTURE_H

// A shown main window (offscreen) that takes drags as Qt delivers them: the
// enter, a move and the drop, sent to the real widgets.

#include "padwriter.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "library/dragpayload.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "windowfixture.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QStandardItemModel>
#include <QUrl>

struct DropFixture : WindowFixture
{
    bool exposed = false;
    bool writerOff = false;

    DropFixture()
    {
        w->resize(1400, 900);
        w->show();
        exposed = QTest::qWaitForWindowExposed(w);
        // The device writer is not run here; the tests watch its signal.
        writerOff = holdPadWriter(w);
    }

    // A file in the working folder; its native path.
    QString sound(const QString &fileName, const QByteArray &bytes = QByteArray())
    {
        const QString path = work.filePath(fileName);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return QDir::toNativeSeparators(path);
    }

    // Device mode on a pad folder made here.
    void deviceMode()
    {
        QDir().mkpath(work.filePath("pad/ZT350/WAV_DATA"));
        w->pad().beginLoad(work.filePath("pad") + "/");
    }

    // Enter, move and drop of our payload `text` (or of file URLs) at `pos` of `target`.
    void drag(QWidget *target, const QPoint &pos, const QString &text, const QStringList &files = {})
    {
        QMimeData mime;
        if (files.isEmpty())
            mime.setData("mimeformat", text.toUtf8());
        for (const QString &p : files)
            mime.setUrls(mime.urls() << QUrl::fromLocalFile(p));
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(pos, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    // The centre of `child` in the coordinates of `ancestor`.
    static QPoint centreIn(const QWidget *child, const QWidget *ancestor)
    {
        return child->mapTo(ancestor, child->rect().center());
    }
    // A drop at the centre of a pad's layer label (0 A, 1 B).
    void dropOnPad(int pad, int layer, const QString &text)
    {
        const MainPadPageController::strPadWidgetGroup &g = w->mainPadPage().padWidgetGroup()[pad];
        drag(g.group, centreIn(layer == 0 ? g.lableA : g.lableB, g.group), text);
    }

    // Rows of the total list (number|name|path) and of its hi-hat mirror (name|path).
    QStringList totalRows() const
    {
        QStringList out;
        const SoundListModel *total = w->library().totalListItemModel();
        for (int r = 0; r < total->soundCount(); ++r)
            out << total->soundText(r, 0) + '|' + total->soundText(r, 1) + '|' + total->soundText(r, 2);
        return out;
    }
    QStringList mirrorRows() const
    {
        QStringList out;
        const SoundListModel *mirror = w->library().hhSoundItemModel();
        for (int r = 0; r < mirror->soundCount(); ++r)
            out << mirror->soundText(r, 0) + '|' + mirror->soundText(r, 1);
        return out;
    }
    // A sound of the setup: its rows and its working-list entry.
    void addListed(const QString &name, const QString &path, quint16 number)
    {
        w->library().addSound(name, path, number, true);
    }
};

#endif
