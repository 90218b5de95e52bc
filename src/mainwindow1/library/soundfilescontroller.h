#ifndef ZT_MAINWINDOW1_LIBRARY_SOUNDFILESCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_SOUNDFILESCONTROLLER_H

// Sound import and export: the imports into the lists and groups, Export Sound.

#include "library/groupentries.h"
#include "model/audioconverter.h"
#include "model/mainwindow1records.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVector>

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
    // `parent` owns the boxes; imports fill `lists`; their probes and the
    // exports wait under `preview`'s wait dialog.
    SoundFilesController(KitDocument &doc, SoundLibrary &library, PadSession &pad, QWidget *parent,
                         UiPrompter &prompter, const audioconverter::Limits &conversion, PreviewController &preview,
                         SoundListsController &lists);
    SoundFilesController(const SoundFilesController &) = delete;
    SoundFilesController &operator=(const SoundFilesController &) = delete;

    // The files picked into the group chosen of the group tree.
    void addFilesToGroup();
    // The files picked into the total list.
    void addFilesToTotalList();
    // The files of `group` into the group tree (mode 3) or the total list
    // (mode 4) of `model`.
    void addFileToGroupList(MainWindow1Records::strSoundGroup *group, QStandardItemModel *model, quint8 mode);
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
    SoundListsController &m_soundLists;
    CustomDialog *m_custom = nullptr; // the export report shown

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
