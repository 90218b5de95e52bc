#ifndef ZT_MAINWINDOW1_LIBRARY_SOUNDLISTSCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_SOUNDLISTSCONTROLLER_H

// The sound lists and groups: the total list, the group tree, the hi-hat and metronome lists, their selections, renames, orders, locks and deletes.

#include "model/mainwindow1records.h"

#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

class KitDocument;
class KitPagesController;
class PadSession;
class PadSyncController;
class PreviewController;
class SetupFilesController;
class ShellController;
class SoundFilesController;
class QStandardItem;
class QTreeView;
class QWidget;
class SoundLibrary;
namespace Ui {
class MainWindow1;
}
namespace soundorder {
struct Row;
}
namespace soundsource {
struct Stored;
}

class SoundListsController : public QObject
{
    Q_OBJECT

public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;

    // `parent` owns the boxes and the drags; the preview stops as a selection
    // changes; `files` tells the renames of an import.
    SoundListsController(KitDocument &doc, SoundLibrary &library, PadSession &pad, Ui::MainWindow1 *ui,
                         QWidget *parent, PreviewController &preview, SoundFilesController &files);

    // ---- the areas made after it ----------------------------------------------------
    void useKitPages(KitPagesController &pages) { m_kitPages = &pages; }
    void useSetupFiles(SetupFilesController &setupFiles) { m_setupFiles = &setupFiles; }
    void usePadSync(PadSyncController &padSync) { m_padSync = &padSync; }
    void useShell(ShellController &shell) { m_shell = &shell; }

    // ---- the working sound list -------------------------------------------------
    const QVector<SOUND_INDEX> &waveAttrList() const { return m_waveAttrList; }
    void clearWaveAttrList() { m_waveAttrList.clear(); }
    // A load or a pad read takes the sounds it read, or adds them.
    void takeWaveAttrList(const QVector<SOUND_INDEX> &read) { m_waveAttrList = read; }
    void addReadWaves(const QVector<SOUND_INDEX> &read) { m_waveAttrList += read; }
    // The working list's last wave number, taken before each add.
    int total_index() const { return m_total_index; }
    void noteLastWaveNumber(int number) { m_total_index = number; }

    // ---- flags --------------------------------------------------------------------
    // The next metronome list build takes the program's own metronome sounds.
    bool userFlag() const { return m_userFlag; }
    void useOwnClickSounds(bool use) { m_userFlag = use; }
    // The metronome list holds its five sounds: the global settings name one.
    bool clickFlag() const { return m_clickFlag; }
    void noteClickListFull(bool full) { m_clickFlag = full; }
    // The group tree's horizontal scroll bar is shown as needed.
    bool leftFlag() const { return m_leftFlag; }

    // ---- views and models -----------------------------------------------------
    // The views are given the library's models, once; rows made anew are shown
    // with the views' column settings again.
    void setUpSoundViews();
    void initKitTotalItemModel();
    void initTotalItemModel();
    void initHHListItemModel();
    void initClickItemModel();
    void getRightSoundList();
    void updateHHsoundList(int row);
    void updateHHsoundList1();
    void showTotalRows(const QVector<soundorder::Row> &rows, bool itemEditable);
    void connectSoundListSelections();

    // ---- groups and their file ----------------------------------------------------
    // The groups of the file, with a box for what the start found there.
    void importSoundList(const QString &fileName);
    // The write at the close, with its boxes; false when it failed and the
    // user keeps the window open.
    bool saveSoundListAtClose();
    void addGroup();

    // ---- selection ------------------------------------------------------------------
    void totalListSelection(const QModelIndex &index, bool press);
    void groupTreeSelection(const QModelIndex &index, bool press);

    // ---- renames ----------------------------------------------------------------------
    // Shows why a sound name is refused (blank, pattern, length; `symbols`
    // ends the pattern message); false when the name passes.
    bool refuseSoundName(const QString &name, const QString &symbols);
    bool replaceNameToPadSetting(quint8 mode, QString file, QString name);
    void renameTotalListSound(QStandardItem *item);
    void renameGroupRow(QStandardItem *item);
    void renameMirrorSound(QStandardItem *item);

    // ---- orders -------------------------------------------------------------------------
    // The orders are steps of the user's, the order buttons with them.
    void showStoredOrder();
    void showKitUseOrder();
    void showNameOrder(bool ascending);
    // The order buttons as they stand are the ones a step keeps.
    void noteOrderShown();
    void takeBackupChoice();
    void exportOrder();
    void importOrder();
    void generateKitOrder();

    // ---- locks, numbers, deletes, metronome ------------------------------------------
    void lockSelected(bool lock);
    void reorderSerialNumbers();
    void deleteSelectedSounds();
    // Selects the total list's rows of these native paths and deletes them.
    void deleteSoundsOfFiles(const QSet<QString> &paths);
    void deleteFromGroups();
    void importClickSounds();

signals:
    // Sounds to delete wait in the pad's queue for its worker.
    void padDeleteQueued();

private:
    KitDocument &m_doc;
    SoundLibrary &m_lib;
    PadSession &m_pad;
    Ui::MainWindow1 *m_ui;
    QWidget *m_parent;
    // A lost group sound whose box its selection showed: the press that follows does not show it again.
    QPersistentModelIndex m_lostTold;
    PreviewController &m_preview;
    SoundFilesController &m_soundFiles;
    KitPagesController *m_kitPages = nullptr;
    SetupFilesController *m_setupFiles = nullptr;
    PadSyncController *m_padSync = nullptr;
    ShellController *m_shell = nullptr;

    QVector<SOUND_INDEX> m_waveAttrList;
    int m_total_index = 0;
    QVariantList m_orderShown; // the order buttons as the last order left them
    // The order buttons as they were go into the step being made.
    void keepOrderButtons();
    // Set while one sound list clears the other's selection.
    bool m_clearingOtherList = false;
    bool m_userFlag = true;
    bool m_clickFlag = false;
    bool m_leftFlag = false;

    void keepWorkingLists(const QVector<soundorder::Row> &rows);
    bool beginSelection(QTreeView *own, QTreeView *other, QModelIndexList *selected);
    void disablePreview();
    void dragPayload(const QString &payload, const QString &text, bool rightPress);
    void readyToPlay();
    void enableSoundActions(const QString &path);
    bool showStoredSoundInfo(const QString &path, const soundsource::Stored &src, const QString &name,
                             const QString &notWave);
    bool showFileSoundInfo(const QString &path, const QString &notWave);
    void showTotalList();
    void showMirrorList();
    void showClickList();
};

#endif
