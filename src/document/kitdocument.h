#ifndef ZT_DOCUMENT_KITDOCUMENT_H
#define ZT_DOCUMENT_KITDOCUMENT_H

// The editor's document: the 100 kits with their pads, effects, links and
// names, the kit chains, the global settings, the kit file model and what the
// close compares against. The window owns one; everything changes through the
// edit methods below, each named for what the user, a load, a save or the pad
// does, and each tells what changed by one signal.

#include "model/editbaseline.h"
#include "model/editstep.h"
#include "model/kitcopy.h"
#include "model/kitediting.h"
#include "model/mainwindow1records.h"
#include "model/percussionpadfile1.h"
#include "kitfile/kitfiles.h"
#include "kitfile/kitsin.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

#include <array>
#include <memory>
#include <functional>
#include <vector>

class QFile;

namespace setupfiles {
class OwnedModel;
}

class KitDocument : public QObject
{
    Q_OBJECT

public:
    using Records = MainWindow1Records;
    using soundKit = Records::soundKit;
    using KIT_PAD_SETTING = Records::KIT_PAD_SETTING;
    using PEDAL_SETTING = Records::PEDAL_SETTING;
    using KIT_EFFECT = Records::KIT_EFFECT;
    using LINK_GROUP = Records::LINK_GROUP;
    using KIT_CHAIN = Records::KIT_CHAIN;
    using M_NEW_MASTER_EFFECT = Records::M_NEW_MASTER_EFFECT;
    using CLICK_SETTING = Records::CLICK_SETTING;
    using AUDIO_SETTING = Records::AUDIO_SETTING;
    using MIDI_SETTING = Records::MIDI_SETTING;
    using LCD_LED_CHUNK = Records::LCD_LED_CHUNK;
    using PAD_FS_TRIG_ATTR = Records::PAD_FS_TRIG_ATTR;
    using M_PAD_FS_TRIG_ATTR = Records::M_PAD_FS_TRIG_ATTR;
    using SOUND_INDEX = Records::SOUND_INDEX;
    using SOUND_LIST_INFO = Records::SOUND_LIST_INFO;
    using GlobalChunk = percussionpadfile::NEW_FILE_GLOBAL_CHUNK;
    using BaseImage = percussionpadfile::P_KIT_BASE_PARA;
    using PedalImage = percussionpadfile::P_PEDAL_SETTING;
    using PadImage = percussionpadfile::P_KIT_PAD_SETTING;

    // The global settings page as a pack reads it. An output, LED type or
    // tempo indicator the page shows no word for is -1: the value packed
    // before stays.
    struct GlobalPage
    {
        quint8 clickNo = 0;                          // the metronome sound chosen (0-based)
        quint32 clickCluster = 0, clickLength = 0;   // and where it lies, 0 when none
        bool clickListed = false;                    // those of the metronome's record clickNo, when it has one
        quint8 clickBeat = 0, clickPan = 0, clickVolume = 0;
        int clickOutput = -1;
        quint8 audioVolume = 0, btVolume = 0, systanGain = 0;
        int audioOutput = -1;
        MIDI_SETTING midi;
        quint8 lcdContrast = 0, ledLogo = 0;
        int ledType = -1, tempoIndicate = -1;
    };

    // What a whole setup's save gathered on the sound side.
    struct SaveSounds
    {
        const QVector<SOUND_INDEX> &waves;          // the file's sounds, in order
        QVector<SOUND_LIST_INFO> &waveList;         // where each one's bytes come from
        const QVector<SOUND_INDEX> &clicks;         // the metronome sounds
        const QVector<SOUND_LIST_INFO> &clickWaves; // where their bytes come from
        const QVector<quint16> &kitOrder;           // positions of `waves` in kit order
    };

    // The kits the pad's load read, in slot order, with the images of their records.
    struct PadKitsRead
    {
        QVector<soundKit> kits;
        QVector<int> kitIndex;        // each kit's selection byte
        QVector<quint8> nameAdjusted; // 1 where the name held differs from the one stored
        QVector<int> renamedKits;     // 1-based numbers of the kits renamed
        const BaseImage *base = nullptr;                 // KIT_MAX_COUNT each
        const PedalImage *pedal = nullptr;
        const PadImage (*pads)[PAD_NUM_MAX] = nullptr;
    };

    // What the write-back of the close on the pad changes: the kits (their wave
    // numbers refreshed), the change marks and the two flags.
    struct PadClose
    {
        QVector<soundKit> kits;
        QVector<quint8> kitFlags;
        QVector<quint8> kitMarks;
        int kitChangedFlag = 0;
        int globalFlag = 0;
    };

    // Edits made while a batch is open (a load of many kits) emit no signal
    // each: the last batch to close emits kitsChanged() once.
    class Batch
    {
    public:
        explicit Batch(KitDocument &doc) : m_doc(doc) { ++m_doc.m_batch; }
        ~Batch() { m_doc.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        KitDocument &m_doc;
    };

    explicit KitDocument(QObject *parent = nullptr);
    ~KitDocument() override;
    KitDocument(const KitDocument &) = delete;
    KitDocument &operator=(const KitDocument &) = delete;

    // ---- steps --------------------------------------------------------------------------
    // The user's edits below become steps of `recorder` (none: no step is
    // kept). Within a step every edit, a load's too, adds what it changes: a
    // kit, all kits, the chains or the global settings as they were. A
    // sound that moves (to the pad, to a kept copy, to another loaded kit
    // file) moves in the kits the steps keep too.
    void useRecorder(editstep::Recorder *recorder) { m_recorder = recorder; }
    editstep::Recorder *recorder() const { return m_recorder; }
    // Of `sources`, the sounds that are gone, and in `unanswered` those whose
    // drive did not answer; a step that would put such a sound back into a
    // kit is refused.
    using SoundGone = std::function<QStringList(const QStringList &sources, QStringList *unanswered)>;
    void useSoundCheck(SoundGone gone) { m_soundGone = std::move(gone); }

    // ---- kits -------------------------------------------------------------------------
    // Kits are 0-based; a kit, pad, layer or slot out of range reads as empty
    // and changes nothing.
    const QVector<soundKit> &kitAttrList() const { return m_kitAttrList; } // kit k at k
    const soundKit &kit(int k) const;
    const soundKit *curKitAttr() const { return m_curKitAttr; } // each kit as last made or read
    const QVector<KIT_PAD_SETTING> &kitPadList(int k) const; // kit k's pads as its pages take them
    const QVector<QString> &kitNameList() const { return m_kitNameList; } // as the kit saves name their files
    const QVector<int> &kitIndexList() const { return m_kitIndexList; }   // selection marks of a whole setup
    const QVector<soundKit> &originalKitAttrList() const { return m_originalKitAttrList; } // as loaded from the pad
    const QVector<quint8> &kitNumFlagList() const { return m_kitNumFlagList; }   // 1: renumbered or written back
    const QVector<quint8> &kitNumFlagList1() const { return m_kitNumFlagList1; } // 1: the pad load renamed it
    const QVector<quint8> &kitMarkList() const { return m_kitMarkList; } // 1: written to the pad in this run
    const QVector<int> &kitMaxList() const { return m_kitMaxList; }              // kits (1-based) the last load renamed
    // Kit k's controls per effect type of kit effect `slot` (0..2, 3 the active effect).
    const QVector<KIT_EFFECT> &kitEffectList(int slot, int k) const;
    const QVector<LINK_GROUP> &kitLinkList(int k) const; // kit k's five link pairs as its page takes them
    // Kit k's file image: base part, hi-hat and pedal part, pad parts.
    const BaseImage &base0(int k) const;
    const PedalImage &pedal0(int k) const;
    const PadImage &pad0(int k, int pad) const;

    // ---- kit chains -----------------------------------------------------------------------
    const QVector<KIT_CHAIN> &kitChainList() const { return m_kitChainList; } // chain c keeps its steps in row c
    const QVector<KIT_CHAIN> &originalKitChainList() const { return m_originalKitChainList; } // as loaded

    // ---- global settings ------------------------------------------------------------------
    quint8 curEditEffect() const { return m_curEditEffect; }
    quint8 curEffectOFF() const { return m_curEffectOFF; }
    const M_NEW_MASTER_EFFECT &meffChunk1(int i) const;
    quint8 curRecLevel() const { return m_curRecLevel; }
    quint8 curAutoState() const { return m_curAutoState; }
    quint8 curLoopClick() const { return m_curLoopClick; }
    quint8 curLoopQtz() const { return m_curLoopQtz; }
    quint8 curLoopMeas() const { return m_curLoopMeas; }
    quint8 curLoopMeasIndex() const { return m_curLoopMeasIndex; }
    quint8 curRecPad() const { return m_curRecPad; }
    const QVector<PAD_FS_TRIG_ATTR> &padTrigList() const { return m_padTrigList; }     // old layout
    const QVector<M_PAD_FS_TRIG_ATTR> &padTrigList1() const { return m_padTrigList1; } // current layout
    int globalSize() const { return m_globalSize; } // the size of the global chunk read last
    // The global settings follow the current chunk layout (the readers' rule).
    bool currentGlobalLayout() const { return m_globalSize > GLOBAL_CHUNK_SIZE_OLD_MAX; }
    int globalFlag() const { return m_globalFlag; }         // 1: the write-back found the global settings changed
    int kitChangedFlag() const { return m_kitChangedFlag; } // 1: the write-back wrote a kit
    // The global settings file a restore from a pad's backup put into the
    // editor, as the backup holds it; empty when none stands.
    const QByteArray &restoredGlobalFile() const { return m_restoredGlobalFile; }

    // ---- kit file model -----------------------------------------------------------------------
    const percussionpadfile &cf() const { return m_cf; } // the model the saves fill and write

    // ---- what a start or a load makes of the kits --------------------------------------------
    // A new setup: `kits` (KIT_MAX_COUNT) with their names, selection marks,
    // pads and images, five empty link pairs each; the effect memories of
    // every kit take `effects` unless it is empty.
    void startKits(const QVector<soundKit> &kits, const QVector<KIT_EFFECT> &effects);
    // Every kit goes with its pad list, selection mark and load renames: a load
    // of all kits begins.
    void clearKits();
    // The next load notes the kits it renames afresh (kitMaxList).
    void clearKitRenames();
    // Kit `kit` (0-based, below KIT_MAX_COUNT) takes a kit read from a file: its
    // record, pads, links, name, selection mark and effect memories, and the
    // image read (or, without one, the image its record makes); a name taken
    // cut or replaced is noted in kitMaxList. The record and mark are appended
    // when the lists end at `kit`.
    void takeLoadedKit(int kit, const setupfiles::LoadedKit &loaded);
    // The kits the pad's load read become the kits, and the copies the close compares with.
    void takePadKits(const PadKitsRead &read);
    // The kits of a backup of the pad become the kits, their images made from
    // their records; the copies the close compares with stay as loaded, so
    // that the close writes the kits that differ from the pad.
    void restorePadKits(const QVector<soundKit> &kits, const QVector<int> &kitIndex);
    // What the write-back of the close on the pad changes (padClose() before it ran).
    PadClose padClose() const;
    void takePadClose(const PadClose &close);

    // ---- edits a user makes to a kit ------------------------------------------------------------
    // Each keeps the kit's record, its name in kitNameList and its file image in
    // agreement: the image is what kitediting::writeKitImages makes of the record
    // and the pad list. Each emits kitChanged(kit) once for each kit it changes.

    // The merge key of the edits on kit `kit`'s settings pages, the pad
    // settings among them: a run of them on one control is one step.
    static QString settingsRun(int kit);

    // Kit `kit` takes `name`: its record, kitNameList and its file image; with
    // `renumber` its record's kit number becomes `kit` too. The same name
    // again changes nothing and tells nothing.
    void renameKit(int kit, const QString &name, bool renumber = false);
    // The kit-chain page's OK: kit k takes names[k]; one kitsChanged() when any name changed.
    void renameKits(const QVector<QString> &names);
    // Layer `layer` (0 A, 1 B) of pad `pad` of kit `kit` takes the sound `name` at `file`.
    void setPadSound(int kit, int pad, int layer, const QString &name, const QString &file);
    // Hi-hat slot `slot` of kit `kit` takes the sound `name` at `file`, and wave number `number` unless it is -1.
    void setHiHatSound(int kit, int slot, const QString &name, const QString &file, int number = -1);
    // Every pad layer of kit `kit` loses its sound.
    void clearKit(int kit);
    // Layer `layer` (0 A, 1 B) of pad `pad` of kit `kit` loses its sound.
    void clearPad(int kit, int pad, int layer);
    // The five hi-hat slots of kit `kit` lose their sounds.
    void clearHiHat(int kit);
    // Kit `dst` becomes a copy of kit `src` with its own kit number, its name and memories included.
    void copyKit(int src, int dst);
    // Pad `dst` of kit `kit` becomes a copy of its pad `src`, keeping its own pad number.
    void copyPad(int kit, int src, int dst);
    // Kits a and b change places with everything that is theirs, kitNameList
    // included (the kit-chain list swaps its own names).
    void moveKit(int a, int b);
    // The kit page's values go into kit `kit` (kitediting::commitKit); linkScratch (5) takes the group shown.
    void takeKitPage(int kit, const kitediting::KitPage &page, LINK_GROUP *linkScratch);
    // Kit `kit`'s file images from its record and pad list as they stand (a page shown and not edited).
    void refreshKitImages(int kit);
    // The pad page's values go into pad `pad` of kit `kit`.
    void takePadPage(int kit, int pad, const KIT_PAD_SETTING &settings);
    // Link group `group` (0..4) of kit `kit` takes `pair` (the kit page's link boxes).
    void setKitLink(int kit, int group, const LINK_GROUP &pair);
    // The user chose an effect type for effect `slot` (0..3) of kit `kit` that uses
    // `used` controls: the others hold 999 in the record.
    void markUnusedControls(int kit, int slot, int used);
    // The save dialog's choice: the selection marks of a whole setup.
    void takeKitSelection(const QVector<int> &marks);

    // ---- sounds changing under the kits ------------------------------------------------------------
    // Every pad layer and the first hi-hat slot of each kit with the sound at
    // `file` take `name`; true when a kit did.
    bool renameSound(const QString &file, const QString &name);
    // Every slot of kit `kit` whose sound is `oldFile` takes `newFile` and
    // `number`, and the kit is marked renumbered; true when any did.
    bool renumberSound(int kit, const QString &oldFile, const QString &newFile, quint16 number);
    // Every slot of kit `kit` that names a number but no sound file names no
    // sound, and the kit is marked renumbered; true when any did.
    bool dropNumbersWithoutSound(int kit);
    // The pad layers of kit `kit` with the sound at `oldFile` take its copy on the
    // pad: `newFile`, wave `number` and `length`.
    void moveSoundToPad(int kit, const QString &oldFile, const QString &newFile, quint16 number, quint32 length);
    // Every pad layer and hi-hat slot of kit `kit` with the sound at `file` loses it.
    void clearSound(int kit, const QString &file);
    // Sounds handed over to another loaded kit file holding them (source -> source).
    void moveSharedSounds(const QHash<QString, QString> &moved);
    // Every slot whose sound `to` names takes its kept copy; a slot whose sound
    // `numbers` names takes that wave number too.
    void moveToCopies(const QHash<QString, QString> &to, const QHash<QString, quint16> &numbers);
    // The sounds stored in a kit file that is forgotten leave every slot.
    void forgetKitFileSounds(const setupfiles::StoredIn &storedIn);
    // A whole setup's gathering numbered the sound slots of `numbered` (the kits
    // as they stand) by the sound list's rows: the kits take those numbers.
    void takeSlotNumbers(const QVector<soundKit> &numbered);
    // After a save's kit files were read again: the slots `moves` names take the
    // library's sounds again (setupfiles::repointSlots); true when a kit changed.
    bool repointReloaded(const QVector<setupfiles::MovedSlot> &moves, const QVector<SOUND_INDEX> &library,
                         const QHash<QString, QString> &twins);
    // After a save's whole setup was read again in place of the kits: the
    // kits the steps keep name each sound `to` moves by its new source (and
    // the wave number `numbers` gives it), so that an undo puts back the
    // sounds they named.
    void heldKitsFollow(const QHash<QString, QString> &to, const QHash<QString, quint16> &numbers);

    // ---- kit chains ------------------------------------------------------------------------------------
    // Each emits chainsChanged() once.
    // Nine empty chains, all off; none as loaded.
    void resetChains();
    // Chain `on` (1..8) switched on and the others off; 0 switches all off.
    void switchChainOn(int on);
    // As OK leaves them (kitchain::confirm).
    void confirmChains(int on);
    // Every step of chain c emptied; 0 empties row 0 of entry 0, which no chain shows.
    void clearChain(int c);
    // Step `step` of chain c holds kit `kit` (1..100).
    void setChainStep(int c, int step, int kit);
    // Kits a and b (numbers 1..100) change places on every step.
    void swapChainKits(int a, int b);
    // OK received: every chain takes the flag, the number and its own row of `chains`.
    void applyChains(const QVector<KIT_CHAIN> &chains);
    // Chains read from a file through the page's work record `staging` (kitchain::load);
    // the number of the chain switched on, 0 when none is.
    int loadChains(KIT_CHAIN &staging, const QVector<KIT_CHAIN> &chains);
    // The first `rows` chains from a global chunk's kit-chain block; with
    // `asLoaded` they are also what the close on the pad compares with.
    void takeChainBlock(const percussionpadfile::P_KIT_CHAIN &kc, int rows, bool asLoaded);
    // The chains as they stand are what the close on the pad compares with.
    void markChainsLoaded();

    // ---- global settings ----------------------------------------------------------------------------------
    // Each emits globalChanged() once.
    // The settings of a new setup: effects, record and loop settings.
    void resetGlobalSettings();
    // Each pad's trigger settings as a new setup has them, in the layout the settings follow.
    void startPadTriggers();
    // The global settings read last were `size` bytes: they follow that layout.
    // A restored global settings file no longer stands.
    void takeGlobalSize(int size);
    // The global settings were restored from the file `bytes` of a pad's backup.
    void takeRestoredGlobalFile(const QByteArray &bytes);
    // A read current-layout chunk's effects, triggers, record and loop settings become the document's.
    void takeGlobalSettings(const GlobalChunk &g);
    // A read old-layout chunk's triggers; the current records take what both layouts share.
    void takeOldTriggers(const percussionpadfile::P_PAD_FS_TRIG_ATTR (&pfta)[PAD_NUM_MAX]);

    // ---- the kit file model ------------------------------------------------------------------------------
    // Packs the global settings with the page's values into cf's global chunk.
    void setGlobalFileChunk(const GlobalPage &page);
    // Packs the global settings with the page's values, kit chains included, into g.
    void packGlobalSettings(const GlobalPage &page, GlobalChunk &g);
    // The global settings with the page's values as a global chunk's bytes.
    QByteArray globalSettingsBytes(const GlobalPage &page);
    // A new file of kind `kind` (0 whole setup, 1 global settings, 2 single kit) starts in cf.
    void beginFile(int kind);
    // cf as a whole setup of the kits and `sounds`; false when the sounds do not fit a kit file.
    bool setAllFileChunk(const SaveSounds &sounds, quint16 version, bool backup);
    // cf as the single-kit file of kit `kit` (0-based) with the sounds `waves`.
    void setKitIniFileChunk(int kit, const QVector<SOUND_INDEX> &waves, const QVector<SOUND_LIST_INFO> &waveList);
    // cf's chunk sizes and places; false when the file would be too large.
    bool layOutFile();
    // cf with copies of the kit tables it fills, as setAllFileChunk starts
    // from: a whole setup laid out on another thread, as the document would.
    std::shared_ptr<setupfiles::OwnedModel> wholeSetupImage();
    // cf into `file` (setupfiles::writeKitFile); false when it fails.
    bool writeFile(QFile &file, int kit, QString *unwritten);
    // A global settings file of the settings with the page's values into `file`.
    void writeGlobalFile(QFile *file, const GlobalPage &page);

    // ---- edit baseline --------------------------------------------------------
    // The kits and global settings as they stand become what the close compares with.
    void markAllSaved(const GlobalPage &page);
    // Kit `kit` (0-based) as it stands becomes what the close compares with.
    void markKitSaved(int kit);
    // The global settings as they stand become what the close compares with.
    void markGlobalSaved(const GlobalPage &page);
    // The kit chains as they stand become what the close compares with; the
    // other global settings keep what they were compared with.
    void markChainsSaved(const GlobalPage &page);
    // The restored global settings file, with the chains as they stand,
    // becomes what the close compares with.
    void markRestoredGlobalSaved(const GlobalPage &page);
    // True when a kit or the global settings changed since they were last marked.
    bool differsFromSaved(const GlobalPage &page);

signals:
    void kitChanged(int kit); // one kit (0-based)
    void kitsChanged();       // any number of kits at once: a load, a batch, a rename from the chain page
    void chainsChanged();
    void globalChanged();

private:
    // What the steps keep: one kit, all kits, the chains, the global settings.
    struct KitState;
    struct AllKitsState;
    struct ChainsState;
    struct GlobalState;
    class KitPart;
    class AllKitsPart;
    class ChainsPart;
    class GlobalPart;
    // The kits the steps keep, for the sounds that move.
    class HeldKits
    {
    public:
        virtual ~HeldKits() = default;
        // fn(kit, record, pad list) for every kit kept, then its images made again.
        virtual void forEachKit(const std::function<void(int, soundKit &, QVector<KIT_PAD_SETTING> &)> &fn) = 0;
    };
    editstep::Recorder *m_recorder = nullptr;
    SoundGone m_soundGone;
    QSet<HeldKits *> m_held;
    void touchKit(int kit);
    void touchAllKits();
    void touchChains();
    void touchGlobal();
    // The kit file model writes the kits' and sounds' images.
    void useImages();
    // The sounds kept kits name that `live` does not and that are gone.
    QStringList goneSounds(const QVector<const soundKit *> &kept, const QVector<const soundKit *> &live) const;
    // The same move for the kits the steps keep.
    void moveHeld(const std::function<void(int, soundKit &, QVector<KIT_PAD_SETTING> &)> &fn);
    // The slots of `kit` with the sound at `file` take `name` (the first
    // hi-hat slot only); with `onlyLook` nothing changes. True when one has it.
    static bool nameSound(soundKit &kit, const QString &file, const QString &name, bool onlyLook);
    // The pad layers with the sound at `oldFile` take its copy on the pad.
    static bool moveLayersToPad(soundKit &record, QVector<KIT_PAD_SETTING> &pads, const QString &oldFile,
                                const QString &newFile, quint16 number, quint32 length);

    // The record and loop settings, each as a field to read or set, in the global chunk's order.
    std::array<quint8 *, 7> recordAndLoop();

    bool hasKit(int kit) const { return kit >= 0 && kit < KIT_MAX_COUNT && kit < m_kitAttrList.size(); }
    void writeImages(int kit);
    // Kit `kit` changed: its images made again, and told.
    void rewritten(int kit);
    void writeImageName(int kit);
    void setHiHat(int kit, int slot, const QString &name, const QString &file, int number);
    // Each kit's record as EditBaseline compares it.
    QVector<QByteArray> snapshots() const;
    // The kits whose records differ from `before` take their images again; one
    // kitsChanged() when any does.
    bool kitsEdited(const QVector<QByteArray> &before);
    // The effect memories and link pairs of kit k from its record.
    void rememberKit(int k, const soundKit &kit);
    void changed(int kit);
    void allChanged();
    void endBatch();
    kitcopy::KitStore kitStore();

    int m_batch = 0;
    bool m_batchChanged = false;

    // Kits.
    QVector<soundKit> m_kitAttrList;
    soundKit m_curKitAttr[KIT_MAX_COUNT];
    QVector<KIT_PAD_SETTING> m_kitPadList[KIT_MAX_COUNT];
    QVector<QString> m_kitNameList;
    QVector<int> m_kitIndexList;
    QVector<soundKit> m_originalKitAttrList;
    QVector<quint8> m_kitNumFlagList = QVector<quint8>(KIT_MAX_COUNT, 0);
    QVector<quint8> m_kitNumFlagList1 = QVector<quint8>(KIT_MAX_COUNT, 0);
    // What the pad holds anew is not undone with the edits.
    QVector<quint8> m_kitMarkList = QVector<quint8>(KIT_MAX_COUNT, 0);
    QVector<int> m_kitMaxList;
    QVector<KIT_EFFECT> m_kitEffectList[4][KIT_MAX_COUNT];
    QVector<LINK_GROUP> m_kitLinkList[KIT_MAX_COUNT];
    BaseImage m_base0[KIT_MAX_COUNT];
    PedalImage m_pedal0[KIT_MAX_COUNT];
    PadImage m_pad0[KIT_MAX_COUNT][PAD_NUM_MAX];

    // Kit chains.
    QVector<KIT_CHAIN> m_kitChainList;
    QVector<KIT_CHAIN> m_originalKitChainList;

    // Global settings.
    quint8 m_curEditEffect = 0, m_curEffectOFF = 0;
    M_NEW_MASTER_EFFECT m_meffChunk1[MASTER_EFFECT_COUNT];
    quint8 m_curRecLevel = 0, m_curAutoState = 0, m_curLoopClick = 0, m_curLoopQtz = 0, m_curLoopMeas = 0;
    quint8 m_curLoopMeasIndex = 0, m_curRecPad = 0;
    CLICK_SETTING m_clckChunk; // the metronome output packed last, kept for texts the page cannot map
    AUDIO_SETTING m_audoChunk; // the audio output packed last, the same
    MIDI_SETTING m_midiChunk;  // the MIDI block packed last
    LCD_LED_CHUNK m_lcedChunk; // the LED type and tempo indicator packed last, the same as the outputs
    QVector<PAD_FS_TRIG_ATTR> m_padTrigList;
    QVector<M_PAD_FS_TRIG_ATTR> m_padTrigList1;
    int m_globalSize = GLOBAL_CHUNK_SIZE;
    int m_globalFlag = 0;
    QByteArray m_restoredGlobalFile;
    int m_kitChangedFlag = 0;

    // Kit file model.
    percussionpadfile m_cf;
    std::vector<percussionpadfile::P_SOUND_INDEX> m_sound0 =
            std::vector<percussionpadfile::P_SOUND_INDEX>(WAVE_MAX_COUNT1); // the sound table cf writes from
    EditBaseline m_savedState; // kits and global settings as last loaded or saved
};

#endif
