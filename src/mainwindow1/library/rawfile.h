#ifndef ZT_MAINWINDOW1_LIBRARY_RAWFILE_H
#define ZT_MAINWINDOW1_LIBRARY_RAWFILE_H

// The wave of a sound source written to a file, for a save or a preview:
// stored sounds copied out of their kit file, audio files converted by ffmpeg.

#include "model/audioconverter.h"
#include "model/conversionjobs.h"
#include "setup/savesteps.h"

#include <QHash>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class KitDocument;
class PadSession;
class QWidget;
class SoundLibrary;
class UiPrompter;

namespace ztplatform {
class FolderAnchor;
class FolderFence;
class SilentFiles;
}

// Where a preview's copy or conversion runs: off the GUI thread under the
// preview's wait, until its Stop.
class PreviewWork
{
public:
    virtual ~PreviewWork() = default;
    virtual const std::atomic_bool *previewStopFlag() const = 0;
    virtual bool previewStopped() const = 0;
    // False when Stop ended `work`; it steps the wait up to `lastStep`.
    virtual bool runPreviewWork(const std::function<void()> &work, int lastStep) = 0;
};

class RawFiles : public QObject
{
    Q_OBJECT

public:
    // `parent` owns the boxes.
    RawFiles(KitDocument &doc, SoundLibrary &library, PadSession &pad, QWidget *parent, UiPrompter &prompter,
             const audioconverter::Limits &conversion);
    RawFiles(const RawFiles &) = delete;
    RawFiles &operator=(const RawFiles &) = delete;

    // The wave of `waveFileName` written to `outFileName`: a stored sound
    // copied out of its kit file, an audio file converted. Its size, or 0
    // after a box. A preview's (`preview` given) runs under its wait until Stop.
    quint32 getRawFile(const QString &waveFileName, const QString &outFileName, PreviewWork *preview);
    // True when the last getRawFile failed for a cause it named that is not
    // the sound's (its output could not be written): no box blames the sound.
    bool rawFailureTold() const { return m_rawFailureTold; }
    // The file whose drive did not answer in the last getRawFile; empty when
    // it failed otherwise. A save's getRawFile says so in a box, a preview's
    // leaves the box to Play.
    const QString &silentFile() const { return m_silentFile; }
    // The words of a box for a sound whose file's drive does not answer.
    static QString silentText(const QString &path);
    // The conversions a save asks getRawFile for next (source, target), in
    // order: they begin at once off the GUI thread, as many at a time as
    // there are cores, and getRawFile takes their results. They are held
    // while the object returned lives; its end stops the rest.
    std::shared_ptr<void> planConversions(const QVector<QPair<QString, QString>> &jobs);
    // The same conversions for a save's job, safe on its thread and without
    // a box: what failed is kept, and its box shown by `tell` here once the
    // job is over (getRawFile's boxes, and rawFailureTold after them).
    savejob::JobConversion jobConversion();

    // What a save's conversion of a plain sound came to, and what it needs of the window.
    struct Plain;
    struct PlainSetting;

    // The pad's root as loaded: its sounds are read below it.
    const ztplatform::FolderAnchor &padRoot() const;
    // The pad's folder fenced or watched, for each sound read by its name.
    const std::shared_ptr<ztplatform::FolderFence> &fence() const;
    // The files whose looks were given up on, for each sound looked at.
    const std::shared_ptr<ztplatform::SilentFiles> &silentFiles() const;
    // Each sound the list holds once whose loaded kit file is gone or no
    // longer as loaded is taken from another loaded kit file holding it;
    // which sources moved where.
    QHash<QString, QString> handOverFromChangedFiles();

signals:
    // A sound's file is gone: its box was shown, its row is to be pointed at.
    void soundMissing(const QString &file);

private:
    KitDocument &m_doc;
    SoundLibrary &m_library;
    PadSession &m_pad;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog
    const audioconverter::Limits m_conversion; // the bounds of each ffmpeg run

    bool m_rawFailureTold = false;
    QString m_silentFile;
    std::weak_ptr<ConversionJobs> m_planned; // the conversions of the save under way

    quint64 copyStoredSound(const QString &source, const QString &target, PreviewWork *preview);
    void tellSilent(const QString &path, bool preview);
    void tellMissing(const QString &waveFileName);
    PlainSetting plainSetting() const;
    static Plain lookAtSource(const PlainSetting &setting, const QString &source, const ztplatform::Waiter &wait);
    // A save's plain sound converted into `target` by a planned job or one
    // of its own, each wait through `wait`: its size, or what to tell.
    static Plain convertPlain(const PlainSetting &setting, const std::shared_ptr<ConversionJobs> &planned,
                              const QString &source, const QString &target, const ztplatform::Waiter &wait);
    // The box of a conversion that failed, as getRawFile shows it.
    void tellPlain(const QString &source, const Plain &done);
};

#endif
