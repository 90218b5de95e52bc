#ifndef ZT_MAINWINDOW1_LIBRARY_SOUNDFILESCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_SOUNDFILESCONTROLLER_H

// Sound import and export: conversion through ffmpeg, the imports into the lists and groups, Export Sound.

#include "library/groupentries.h"
#include "model/audioconverter.h"
#include "model/conversionjobs.h"
#include "model/mainwindow1records.h"
#include "model/namerules.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <QPair>

#include <memory>
#include <optional>

class CustomDialog;
class KitDocument;
class PadSession;
class PreviewController;
class SoundListsController;
class QStandardItemModel;
class QWidget;
class SoundLibrary;
class UiPrompter;

class SoundFilesController : public QObject
{
    Q_OBJECT

public:
    // `parent` owns the boxes; a preview's conversion runs under `preview`'s
    // wait and Stop.
    SoundFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad, QWidget *parent,
                         UiPrompter &prompter, const audioconverter::Limits &conversion,
                         PreviewController &preview);
    SoundFilesController(const SoundFilesController &) = delete;
    SoundFilesController &operator=(const SoundFilesController &) = delete;

    // The lists an import fills, made after it.
    void useSoundLists(SoundListsController &lists) { m_soundLists = &lists; }

    // True when the last getRawFile failed for a cause it named that is not
    // the sound's (its output could not be written): no box blames the sound.
    bool rawFailureTold() const { return m_rawFailureTold; }
    // The file whose drive did not answer in the last getRawFile; empty when
    // it failed otherwise. A save's getRawFile says so in a box, a preview's
    // leaves the box to Play.
    const QString &silentFile() const { return m_silentFile; }
    // The words of a box for a sound whose file's drive does not answer.
    static QString silentText(const QString &path);

    // The wave of `waveFileName` written to `outFileName`: a stored sound
    // copied out of its kit file, an audio file converted. Its size, or 0
    // after a box. A non-zero `format` is a preview's: it runs off the GUI
    // thread until Stop.
    quint32 getRawFile(const QString &waveFileName, const QString &outFileName, quint8 format);
    // The conversions a save asks getRawFile for next (source, target), in
    // order: they begin at once off the GUI thread, as many at a time as
    // there are cores, and getRawFile takes their results. They are held
    // while the object returned lives; its end stops the rest.
    std::shared_ptr<void> planConversions(const QVector<QPair<QString, QString>> &jobs);

    // The files picked into the group chosen of the group tree.
    void addFilesToGroup();
    // The files picked into the total list.
    void addFilesToTotalList();
    // The files of `group` into the group tree (mode 3) or the total list
    // (mode 4) of `model`.
    void addFileToGroupList(MainWindow1Records::strSoundGroup *group, QStandardItemModel *model, quint8 mode);
    // One box listing each sound name the sound-name rule changed in one import
    // or drop, and what it became; nothing when none changed.
    void tellRenamedSounds(const QVector<namerules::NameChange> &changes);
    // The paths that hold decodable audio, in order; the others are named in
    // one warning, those whose ffmpeg took too long in another. Probes on all
    // cores while the window stays responsive; with `bytes`, reads each audio
    // file whole there for what tells its bytes apart. The progress's Cancel
    // stops it: then only the files found audio before are kept, no warning
    // is shown and *canceled is set.
    QStringList audioFilesOf(const QStringList &paths, QHash<QString, groupentries::Identity> *bytes = nullptr,
                             bool *canceled = nullptr);
    // The box after a canceled import that took `imported` sounds.
    void tellCanceledImport(int imported);

    // Export Sound: the sounds selected in the total list as WAV files, and
    // a report of what was written.
    void exportSelectedSounds();
    // The report of the last export was answered.
    void recvOK();
    // The report of the last export while it is shown.
    CustomDialog *custom() const { return m_custom; }

    // Each sound the list holds once whose loaded kit file is gone or no
    // longer as loaded is taken from another loaded kit file holding it; the
    // sound chosen for preview follows it.
    void handOverFromChangedFiles();
    // The pad's root as loaded: its sounds are read below it.
    const ztplatform::FolderAnchor &padRoot() const;

signals:
    // Files are about to be picked into the total list.
    void listImportStarting();
    // Sounds were queued for the pad's writer.
    void padAddsQueued();
    // An export wrote `names` into `folder`.
    void exportWritten(const QStringList &names, const QString &folder);

private:
    KitDocument &m_doc;
    SoundLibrary &m_library;
    PadSession &m_pad;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog
    const audioconverter::Limits m_conversion; // the bounds of each ffmpeg run
    PreviewController &m_preview;
    SoundListsController *m_soundLists = nullptr;
    CustomDialog *m_custom = nullptr; // the export report shown

    bool m_rawFailureTold = false;
    QString m_silentFile;
    std::weak_ptr<ConversionJobs> m_planned; // the conversions of the save under way

    quint64 copyStoredSound(const QString &source, const QString &target, bool preview);
    void tellSilent(const QString &path, bool preview);
    std::optional<bool> readable(const QString &path);
    void tellMissing(const QString &waveFileName);
    // `source` converted into `target` by a planned job or one of its own,
    // the window painting meanwhile; nothing when its drive stops answering.
    std::optional<ConversionJobs::Done> convertOffThread(const QString &source, const QString &target);
    QVector<MainWindow1Records::strSoundItem> audioItemsOf(const MainWindow1Records::strSoundGroup &group,
                                                          QHash<QString, groupentries::Identity> *bytes = nullptr,
                                                          bool *canceled = nullptr);
    int addToGroupTree(const MainWindow1Records::strSoundGroup *group, QStandardItemModel *model,
                        const QVector<MainWindow1Records::strSoundItem> &items,
                        const QHash<QString, groupentries::Identity> &bytes);
    int addToTotalList(QStandardItemModel *model, const QVector<MainWindow1Records::strSoundItem> &items);
    void showExportReport(const QStringList &written, const QString &folder);
};

#endif
