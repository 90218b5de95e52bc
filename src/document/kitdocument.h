#ifndef ZT_DOCUMENT_KITDOCUMENT_H
#define ZT_DOCUMENT_KITDOCUMENT_H

// The editor's document: the 100 kits with their pads, effects, links and
// names, the kit chains, the global settings, the kit file model and what the
// close compares against. The window owns one and edits it through it.

#include "model/editbaseline.h"
#include "model/kitcopy.h"
#include "model/kitediting.h"
#include "model/mainwindow1records.h"
#include "model/percussionpadfile1.h"
#include "kitfile/kitsin.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <vector>

class KitDocument
{
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

    // The global settings page as a pack reads it. An output, LED type or
    // tempo indicator the page shows no word for is -1: the value packed
    // before stays.
    struct GlobalPage
    {
        quint8 clickNo = 0;                          // the metronome sound chosen (0-based)
        quint32 clickCluster = 0, clickLength = 0;   // and where it lies, 0 when none
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

    // ---- global settings and the kit file model -----------------------------
    // Packs the global settings with the page's values into cf's global chunk.
    void setGlobalFileChunk(const GlobalPage &page);
    // Packs the global settings with the page's values, kit chains included, into g.
    void packGlobalSettings(const GlobalPage &page, GlobalChunk &g);
    // The global settings with the page's values as a global chunk's bytes.
    QByteArray globalSettingsBytes(const GlobalPage &page);
    // A read current-layout chunk's effects, triggers, record and loop settings become the document's.
    void takeGlobalSettings(const GlobalChunk &g);
    // cf as a whole setup of the kits and `sounds`; false when the sounds do not fit a kit file.
    bool setAllFileChunk(const SaveSounds &sounds, quint16 version, bool backup);
    // cf as the single-kit file of kit `kit` (0-based) with the sounds `waves`.
    void setKitIniFileChunk(int kit, const QVector<SOUND_INDEX> &waves, const QVector<SOUND_LIST_INFO> &waveList);

    // ---- edit baseline --------------------------------------------------------
    // The kits and global settings as they stand become what the close compares with.
    void markAllSaved(const GlobalPage &page);
    // Kit `kit` (0-based) as it stands becomes what the close compares with.
    void markKitSaved(int kit);
    // The global settings as they stand become what the close compares with.
    void markGlobalSaved(const GlobalPage &page);
    // True when a kit or the global settings changed since they were last marked.
    bool differsFromSaved(const GlobalPage &page);

    // Every per-kit store of the document, for copies and moves of whole kits.
    kitcopy::KitStore kitStore();

    // ---- edits a user makes -------------------------------------------------------
    // Each keeps a kit's record (kitAttrList[k]), its pad and link lists and its
    // file images (base0/pedal0/pad0[k]) in agreement: the images are what
    // kitediting::writeKitImages makes of the record and the pad list. Kits are
    // 0-based; a kit, pad, layer or slot out of range changes nothing.

    // Kit `kit` takes `name`: its record, both name lists and its file image.
    void renameKit(int kit, const QString &name);
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
    // Kit `dst` becomes a copy of kit `src` with its own kit number, name lists and memories included.
    void copyKit(int src, int dst);
    // Pad `dst` of kit `kit` becomes a copy of its pad `src`, keeping its own pad number.
    void copyPad(int kit, int src, int dst);
    // Kits a and b change places with everything that is theirs, kitNameList
    // included (the kit-chain list swaps its own names).
    void moveKit(int a, int b);
    // The kit page's values go into kit `kit` (kitediting::commitKit); linkScratch (5 pairs) takes the group shown.
    void takeKitPage(int kit, const kitediting::KitPage &page, LINK_GROUP *linkScratch);
    // Kit `kit`'s file images from its record and pad list as they stand (a page shown and not edited).
    void refreshKitImages(int kit);
    // The pad page's values go into pad `pad` of kit `kit`.
    void takePadPage(int kit, int pad, const KIT_PAD_SETTING &settings);
    // Every slot of kit `kit` whose sound is `oldFile` takes `newFile` and `number`; true when any did.
    bool renumberSound(int kit, const QString &oldFile, const QString &newFile, quint16 number);
    // Kit `kit` (0-based, below KIT_MAX_COUNT) takes a kit read from a file: its record, pads, links, name,
    // selection mark and effect memories (its file image is the reader's); a name taken cut or replaced is
    // noted in kitMaxList. The record and mark are appended when the lists end at `kit`.
    void takeLoadedKit(int kit, const setupfiles::LoadedKit &loaded);

    // ---- kits ---------------------------------------------------------------------
    QVector<soundKit> kitAttrList;                     // the kits' records, kit k at k
    soundKit curKitAttr[KIT_MAX_COUNT];                // each kit as last made or read, what a load starts from
    QVector<KIT_PAD_SETTING> kitPadList[KIT_MAX_COUNT]; // each kit's pads as its pages take them
    QVector<QString> kitNameList;                      // kit names as the main page and the kit saves use them
    QVector<QString> kitChainNameList;                 // kit names as the kit list of the chain page shows them
    QVector<int> kitIndexList;                         // each kit's selection mark in a whole setup
    QVector<int> kitCount;                             // unused, cleared with the others
    QVector<soundKit> originalKitAttrList;             // the kits as loaded from the pad
    QVector<quint8> kitNumFlagList;                    // 1: the kit's sounds were renumbered or written back
    QVector<quint8> kitNumFlagList1;                   // 1: the pad load adjusted the kit's name
    QVector<int> kitMaxList;                           // kits (1-based) the last load renamed
    QVector<KIT_EFFECT> kitEffectList1[KIT_MAX_COUNT]; // each kit's controls per type of kit effect 1
    QVector<KIT_EFFECT> kitEffectList2[KIT_MAX_COUNT]; // the same for kit effect 2
    QVector<KIT_EFFECT> kitEffectList3[KIT_MAX_COUNT]; // the same for kit effect 3
    QVector<KIT_EFFECT> kitEffectList4[KIT_MAX_COUNT]; // the same for the active effect
    QVector<LINK_GROUP> kitLinkList[KIT_MAX_COUNT];    // each kit's five link pairs as its page takes them
    percussionpadfile::P_KIT_BASE_PARA base0[KIT_MAX_COUNT];             // each kit's file image: base part,
    percussionpadfile::P_PEDAL_SETTING pedal0[KIT_MAX_COUNT];            // hi-hat and pedal part,
    percussionpadfile::P_KIT_PAD_SETTING pad0[KIT_MAX_COUNT][PAD_NUM_MAX]; // and pad parts

    // ---- kit chains -----------------------------------------------------------------
    QVector<KIT_CHAIN> kitChainList;         // the kit chains; chain c keeps its steps in row c
    QVector<KIT_CHAIN> originalKitChainList; // the chains as loaded, for the close on the pad

    // ---- global settings ------------------------------------------------------------
    quint8 curEditEffect = 0, curEffectOFF = 0;          // the global chunk's editing effect and effect off
    M_NEW_MASTER_EFFECT meffChunk1[MASTER_EFFECT_COUNT]; // the master effects
    quint8 curRecLevel = 0, curAutoState = 0, curLoopClick = 0, curLoopQtz = 0, curLoopMeas = 0; // record and
    quint8 curLoopMeasIndex = 0, curRecPad = 0;                                                 // loop settings
    CLICK_SETTING clckChunk;                  // the metronome output packed last, kept for texts the page cannot map
    AUDIO_SETTING audoChunk;                  // the audio output packed last, the same
    MIDI_SETTING midiChunk;                   // unused: the MIDI block comes from the page
    LCD_LED_CHUNK lcedChunk;                  // the LED type and tempo indicator packed last, the same
    QVector<PAD_FS_TRIG_ATTR> padTrigList;    // each pad's trigger settings in the old layout
    PAD_FS_TRIG_ATTR curPad[PAD_NUM_MAX];     // the same as last read
    QVector<M_PAD_FS_TRIG_ATTR> padTrigList1; // each pad's trigger settings in the current layout
    M_PAD_FS_TRIG_ATTR curPad1[PAD_NUM_MAX];  // the same as last read or made
    // Pad p's trigger settings in a new setup (current layout).
    static M_PAD_FS_TRIG_ATTR defaultPadTrigger(int p);
    int globalSize = GLOBAL_CHUNK_SIZE;       // the size of the global chunk read last
    // The global settings follow the current chunk layout (the readers' rule).
    bool currentGlobalLayout() const { return globalSize > GLOBAL_CHUNK_SIZE_OLD_MAX; }
    int globalFlag = 0;     // 1: the write-back found the global settings changed
    int kitChangedFlag = 0; // 1: the write-back wrote a kit

    // ---- kit file model -------------------------------------------------------------
    percussionpadfile cf; // the model the saves fill and write
    std::vector<percussionpadfile::P_SOUND_INDEX> sound0 =
            std::vector<percussionpadfile::P_SOUND_INDEX>(WAVE_MAX_COUNT1); // the sound table cf writes from
    quint32 chunkID = 0;     // the "RIFF" tag, set at the start
    EditBaseline savedState; // kits and global settings as last loaded or saved

private:
    bool hasKit(int kit) const { return kit >= 0 && kit < KIT_MAX_COUNT && kit < kitAttrList.size(); }
    void writeImages(int kit);
};

#endif
