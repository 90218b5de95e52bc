#ifndef TESTS_MAINWINDOW1_PADWINDOW_H
#define TESTS_MAINWINDOW1_PADWINDOW_H

// A main window loaded from a folder laid out as the pad: the drive layer
// lists that folder as a removable drive, every box is answered by a script
// and the dismount is recorded, with the change file as it stood then.

#include "device/padfixture.h"
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/mainwindow1_ui.h"
#include "model/audioconverter.h"
#include "platform/dismount.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardItemModel>

#include <functional>

struct RecordingDismounter : VolumeDismounter {
    QStringList mountPoints;
    QVector<QByteArray> alterAtCall; // alter.ini when the dismount ran
    QString alterFile;
    bool answer = true;
    RecordingDismounter() { ztplatform::setDismounter(this); }
    ~RecordingDismounter() override { ztplatform::setDismounter(nullptr); }
    bool dismount(const QString &mountPoint) override
    {
        mountPoints << mountPoint;
        alterAtCall << kf::readFile(alterFile);
        return answer;
    }
};

// Metronome sounds the import takes (above 4 KB).
inline void writeClicks(const PadFixture &pad)
{
    for (int i = 1; i <= 5; ++i)
        touchFile(pad.sysPath + QString("/CLICK/click%1.wav").arg(i), kf::wavBytes(8000, quint32(i)));
}

// A script that also lets a test act when a box comes up.
struct HookPrompter : ScriptedPrompter {
    std::function<void(const Prompt &)> onPrompt;

protected:
    QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override
    {
        const QMessageBox::StandardButton answer =
                ScriptedPrompter::messageBox(kind, parent, title, text, buttons, defaultButton);
        if (onPrompt)
            onPrompt(prompts.last());
        return answer;
    }
};

struct PadWindow {
    PadFixture pad;
    FakeDriveSource drives;
    HookPrompter prompter;
    RecordingDismounter dismounter;
    QTemporaryDir work;
    QString oldDir = QDir::currentPath();
    QPointer<MainWindow1> w;

    PadWindow()
    {
        ztInitResources();
        QDir::setCurrent(work.path());
        writeClicks(pad);
        drives.list = {{root(), true}};
        dismounter.alterFile = pad.sysPath + "/alter.ini";
    }
    ~PadWindow()
    {
        delete w.data();
        QDir::setCurrent(oldDir);
    }
    QString root() const { return pad.root + "/"; }

    // Sounds 1 ... n and kits that use the first of them.
    void layOut(int sounds = 3)
    {
        for (int n = 1; n <= sounds; ++n)
            pad.addWave(n);
        pad.writeKits(sounds > 0 ? QVector<quint16>{0, 1} : QVector<quint16>{});
    }

    MainWindow1 *open()
    {
        w = new MainWindow1;
        w->writeSoundListOnClose = false;
        loopFlag1 = 1;
        w->recvFilePath(root());
        return w;
    }

    // Closes the window answering "Quit?" with Yes; true when it closed.
    bool closeWithYes()
    {
        prompter.buttonAnswers.enqueue(QMessageBox::Yes);
        const bool closed = w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return closed;
    }

    // The rows of the total list as "number|name|file".
    QStringList rows() const
    {
        QStringList out;
        for (int r = 0; r < w->totalGroup->rowCount(); ++r)
            out << w->totalGroup->child(r, 0)->text() + "|" + w->totalGroup->child(r, 1)->text() + "|"
                            + w->totalGroup->child(r, 2)->text();
        return out;
    }

    QString wav(int n) const { return pad.dataPath + "/" + padtree::waveDataRelativePath(n); }
    QString prm(int n) const { return pad.prmPath + "/" + padtree::wavePrmRelativePath(n); }
};

// A tone of `seconds` made by ffmpeg; empty when it cannot be made.
inline QString makeTone(const QString &path, double seconds = 1.0, int frequency = 440)
{
    QProcess p;
    p.start(audioconverter::defaultProgram(),
            {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
             QString("sine=frequency=%1:sample_rate=44100:duration=%2").arg(frequency).arg(seconds), "-y", path});
    return p.waitForFinished(60000) && p.exitCode() == 0 ? path : QString();
}

#endif
