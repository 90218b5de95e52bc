#ifndef ZT_MAINWINDOW1_LIBRARY_SOUNDLISTSCONTROLLER_H
#define ZT_MAINWINDOW1_LIBRARY_SOUNDLISTSCONTROLLER_H

// The sound lists and groups: the total list, the group tree, the hi-hat and metronome lists, their selections, renames, orders, locks and deletes.

#include "model/mainwindow1records.h"
#include "model/namerules.h"
#include "widgets/jobdialog.h"

#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QObject>
#include <QPointer>
#include "widgets/jobdialog.h"
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class KitDocument;
class PadSession;
class PreviewController;
class QLabel;
class QRadioButton;
class QStandardItem;
class QStyle;
class QToolButton;
class QTreeView;
class QWidget;
class SoundLibrary;
class TotalTreeView;
class UiPrompter;
class WaveTreeView1;
namespace soundorder {
struct Row;
}
namespace soundsource {
struct Stored;
}

// The widgets the sound lists drive: the group tree, the setup's sound list
// and its hi-hat mirror, with their panes and buttons.
struct SoundListsView
{
    WaveTreeView1 *waveGroupTreeView = nullptr;
    TotalTreeView *totalWaveTreeView = nullptr;
    QTreeView *soundListTreeView = nullptr; // the mirror on the pad settings page
    // The groups' pane.
    QWidget *left_stackedSoundWidget = nullptr;
    QWidget *logoWidget1 = nullptr;
    QWidget *waveGroup_widget = nullptr;
    QLabel *left_waveList_label = nullptr;
    QWidget *groupButtons = nullptr; // the frame of NEW, ADD and DEL
    QToolButton *addWaveGroup = nullptr;
    QToolButton *addWaveFile = nullptr;
    QToolButton *delWaveGroup = nullptr;
    // The setup's sounds' pane.
    QWidget *right_stackedWidgetPage1 = nullptr;
    QWidget *rightWaveWidget = nullptr;
    QLabel *right_waveList_label = nullptr;
    QWidget *orderWidget = nullptr;
    QRadioButton *defaultRbtn = nullptr;
    QRadioButton *kitRbtn = nullptr;
    QRadioButton *upRbtn = nullptr;
    QRadioButton *DownRbtn = nullptr;
    QRadioButton *customRbtn = nullptr;
    QWidget *rightWaveAdd = nullptr;
    QLabel *waveInfoShow = nullptr;
    QToolButton *tbtAddWave = nullptr;
    QToolButton *tbtDel = nullptr;
    QWidget *rightwaveListIO = nullptr;
    QToolButton *btnImportRightWave = nullptr;
    QToolButton *btnExportRightWave = nullptr;
};

class SoundListsController : public QObject
{
    Q_OBJECT

public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;

    // `parent` owns the boxes and the drags and filters the drops on the
    // panes; the preview stops as a selection changes.
    SoundListsController(KitDocument &doc, SoundLibrary &library, PadSession &pad, const SoundListsView &view,
                         QWidget *parent, UiPrompter &prompter, PreviewController &preview);
    const SoundListsView &view() const { return m_view; }
    // The style the lists are drawn with.
    void useStyle(QStyle *style) { m_style = style; }

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

    // ---- the drag under way ----------------------------------------------------------
    // 1 when it started in the pad's own sound list, 0 in the sound groups.
    int dragLeftOrRight() const { return m_dragLeftOrRight; }
    void dragFromPadList() { m_dragLeftOrRight = 1; }
    void dragFromGroups() { m_dragLeftOrRight = 0; }
    // The drag holds several sounds: the pads take no drop.
    bool dropToPadOrRight() const { return m_dropToPadOrRight; }
    void dragSeveralSounds(bool several) { m_dropToPadOrRight = several; }

    // ---- views and models -----------------------------------------------------
    // The views are given the library's models, once; rows made anew are shown
    // with the views' column settings again.
    void setUpSoundViews();
    // The group tree on the library's model, its pane taking the files dropped on it.
    void setUpGroupTree();
    // Its selection tells groupSelectionChanged; Ctrl+A selects all of it.
    void connectGroupSelection();
    void addSelectAll();
    // The frame's texts, fonts and hidden widgets of the panes, in `fontFamily`.
    void setUpTexts(const QString &fontFamily);
    void applyTheme(bool isDark);
    // The group pane takes dropped files only offline.
    void acceptGroupDrops();
    // The look of device mode: the groups stay as they are; sounds come and
    // go only on the pad.
    void showOnPadLook();
    // The setup's sounds' pane takes input (false while the pad's add batch runs).
    void enableSoundPane(bool enabled);
    // The group tree's horizontal scroll bar stays off; its width.
    void fitGroupTree();
    int groupTreeWidth() const;
    void setGroupPaneWidth(int width);
    void initTotalItemModel();
    void initHHListItemModel();
    void initClickItemModel();
    void getRightSoundList();
    void showTotalRows(const QVector<soundorder::Row> &rows, bool itemEditable);
    void connectSoundListSelections();
    void clearTotalSelection();
    // A sound row is current in the group tree, the sound list or the mirror.
    bool soundRowCurrent() const;
    // The group files picked for it go into: the group chosen in the group
    // tree or the one of the sound chosen; nothing when no row is chosen.
    std::optional<QString> groupToFill() const;
    void expandGroup(const QModelIndex &group);
    // The total list's selected rows, each once, as first cells in selection order.
    QModelIndexList selectedSoundRows() const;
    // The total list's row of `file` becomes current; none when no row holds it.
    void pointAtSound(const QString &file);
    // The mirror's selected cells; its source column is hidden.
    QModelIndexList mirrorSelection() const;
    void hideMirrorSources();

    // ---- groups and their file ----------------------------------------------------
    // The groups of the file, with a box for what the start found there.
    void importSoundList(const QString &fileName);
    // The write at the close, with its boxes; false when it failed and the
    // user keeps the window open.
    bool saveSoundListAtClose();
    // Whether the close writes the sound list (not for a start-up never shown).
    void setWriteSoundListOnClose(bool write) { m_writeSoundListOnClose = write; }
    // The close that ends the window wrote the groups, or the user quit without them.
    void markSoundListSettled() { m_soundListSettled = true; }
    // A window gone without its close writes the groups without a word.
    void settleSoundListAtExit();
    void addGroup();
    // The group a drop of files goes to: the one selected (or the selected
    // sound's), else the last of `groups`.
    int dropGroupRow(int groups) const;

    // ---- drop areas ------------------------------------------------------------------
    bool isGroupPane(const QObject *watched) const;
    bool isSoundPane(const QObject *watched) const;
    // `pos` (in the pane) lies on the setup's sound list.
    bool soundListHit(const QPoint &pos) const;

    // ---- selection ------------------------------------------------------------------
    void totalListSelection(const QModelIndex &index, bool press);
    void groupTreeSelection(const QModelIndex &index, bool press);
    // The total list asks its current row to be pressed again (`again`).
    void pressCurrentSound(bool again);

    // ---- renames ----------------------------------------------------------------------
    // Shows why a sound name is refused (blank, pattern, length; `symbols`
    // ends the pattern message); false when the name passes.
    bool refuseSoundName(const QString &name, const QString &symbols);
    bool replaceNameToPadSetting(quint8 mode, QString file, QString name);
    void totalListItemModelChanged(QStandardItem *item);
    void renameGroupRow(QStandardItem *item);
    void hhListItemModelChanged(QStandardItem *item);
    // One box listing each sound name the sound-name rule changed in one import
    // or drop, and what it became; nothing when none changed.
    void tellRenamedSounds(const QVector<namerules::NameChange> &changes);

    // ---- orders -------------------------------------------------------------------------
    // The orders are steps of the user's, the order buttons with them.
    void showStoredOrder();
    void showKitUseOrder();
    void showNameOrder(bool ascending);
    // The order of the checked sort button again (none for the custom one).
    void reapplySoundOrder();
    bool defaultOrderChecked() const;
    bool kitOrderChecked() const;
    // The stored order, its button checked.
    void checkDefaultOrder();
    // The name order checked, shown again.
    void showCheckedNameOrder();
    // The order buttons as they stand are the ones a step keeps.
    void noteOrderShown();
    void exportOrder();
    void importOrder();

    // ---- locks, numbers, deletes, metronome ------------------------------------------
    void lockSelected(bool lock);
    void reorderSerialNumbers();
    void deleteSelectedSounds();
    // Selects the total list's rows of these native paths and deletes them.
    void deleteSoundsOfFiles(const QSet<QString> &paths);
    void deleteFromGroups();
    void importClickSounds();

    // ---- progress of a deletion on the pad -------------------------------------------
    JobDialog *delDialog() const { return m_delDialog; }
    int delProgressValue() const { return m_delProgressValue; }
    // The pad's worker deleted `value` more files.
    void recvDelProgress(int value);
    // The batch ended: the dialog shows its end, then closes; the count starts again.
    void fillDeleteProgress();
    void closeDeleteProgress();
    void resetDeleteProgress() { m_delProgressValue = 0; }
    void hideDeleteProgress();

signals:
    // Sounds to delete wait in the pad's queue for its worker.
    void padDeleteQueued();
    // The first `count` sounds were renumbered from `oldNumbers`.
    void soundsRenumbered(int count, const QVector<int> &oldNumbers);
    // The mirror's current sound changed.
    void mirrorSelectionChanged(const QModelIndex &index);
    // The group tree's current row changed.
    void groupSelectionChanged(const QModelIndex &index);
    // A selection in a list begins: the kit name field loses its frame; it
    // was taken: the kit fields lose the focus.
    void selectionStarting();
    void selectionTaken();
    // The metronome list holds `count` sounds from an import.
    void clickSoundsImported(int count);

private:
    KitDocument &m_doc;
    SoundLibrary &m_lib;
    PadSession &m_pad;
    SoundListsView m_view;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog
    QStyle *m_style = nullptr;
    // A lost group sound whose box its selection showed: the press that follows does not show it again.
    QPersistentModelIndex m_lostTold;
    PreviewController &m_preview;

    QVector<SOUND_INDEX> m_waveAttrList;
    int m_total_index = 0;
    QVariantList m_orderShown; // the order buttons as the last order left them
    // The order buttons as they were go into the step being made.
    void keepOrderButtons();
    // Set while one sound list clears the other's selection.
    bool m_clearingOtherList = false;
    bool m_namingMirrorRow = false; // a name typed in the hi-hat list is being taken
    bool m_userFlag = true;
    bool m_clickFlag = false;
    int m_dragLeftOrRight = 0;
    bool m_dropToPadOrRight = false; // the drag holds several sounds: the pads take no drop
    bool m_writeSoundListOnClose = true; // off only when the start-up ends without showing the window
    bool m_soundListSettled = false; // the close that ends the window wrote the file, or the user quit without it
    QPointer<JobDialog> m_delDialog; // a deletion's progress on the pad
    int m_delProgressValue = 0;

    bool beginSelection(QTreeView *own, QTreeView *other, QModelIndexList *selected);
    void dragPayload(const QString &payload, const QString &text, bool rightPress);
    void enableSoundActions(const QString &path);
    bool showStoredSoundInfo(const QString &path, const soundsource::Stored &src, const QString &name,
                             const QString &notWave);
    bool showFileSoundInfo(const QString &path, const QString &notWave);
    void showTotalList();
    void showMirrorList();
};

#endif
