#ifndef MAINWINDOW1RECORDS_H
#define MAINWINDOW1RECORDS_H

// Record types of the editor's state, reached as MainWindow1Records::soundKit
// etc. by the window, its areas and the objects below them.
// The shared limits (KIT_MAX_COUNT, PAD_NUM_MAX, ...) come with the kit file
// model's header.

#include "model/percussionpadfile1.h"
#include "platform/fileidentity.h"

#include <QString>
#include <QVector>

struct MainWindow1Records
{
    // ---- kit records --------------------------------------------------------

    // One pad of a kit.
    struct KIT_PAD_SETTING : percussionpadfile::P_KIT_PAD_SETTING {
        QString soundName0;
        QString soundFile0;
        QString soundIndex0;
        QString soundName1;
        QString soundFile1;
        QString soundIndex1;
    };

    // The hi-hat and pedal block of a kit.
    struct PEDAL_SETTING : percussionpadfile::P_PEDAL_SETTING {
        QString hh_wave1_file;
        QString hh_wave2_file;
        QString hh_wave3_file;
        QString hh_wave4_file;
        QString hh_wave5_file;
        QString hh_wave1_name;
        QString hh_wave2_name;
        QString hh_wave3_name;
        QString hh_wave4_name;
        QString hh_wave5_name;
    };

    // One kit's complete settings.
    struct soundKit : percussionpadfile::P_KIT_BASE_FIELDS {
        QString kit_name;
        PEDAL_SETTING pedalChunk;
        KIT_PAD_SETTING kpadChunk[PAD_NUM_MAX];
    };

    // A pair of linked pads: 0 = OFF, 1..17 = pad index + 1.
    struct LINK_GROUP {
        quint8 link_pad1 = 0;
        quint8 link_pad2 = 0;
    };

    // Control values of one effect type (0..511, 999 = not used).
    struct KIT_EFFECT {
        quint16 parm1 = 0;
        quint16 parm2 = 0;
        quint16 parm3 = 0;
    };

    // Kit-chain block: row c of curKitChain holds the 20 steps of chain c
    // (1-based kit numbers, 0 = empty step).
    struct KIT_CHAIN {
        quint8 kit_chain = 0;
        quint8 kit_chain_No = 0;
        quint8 curKitChain[9][STEP_MAX_COUNT] = {};
    };

    // ---- global settings ------------------------------------------------------

    using M_NEW_MASTER_EFFECT = percussionpadfile::NEW_MASTER_EFFECT;
    struct CLICK_SETTING {
        quint32 click_startCluster = 0;
        quint32 click_waveLength = 0;
        quint8 clickSoundNo = 0;
        quint8 interval = 0;
        quint8 pan = 0;
        quint8 volume = 0;
        quint8 output = 0;
        quint8 reserved[3] = {};
    };

    using AUDIO_SETTING = percussionpadfile::P_AUDIO_SETTING;
    using MIDI_SETTING = percussionpadfile::P_MIDI_SETTING;
    using LCD_LED_CHUNK = percussionpadfile::P_LCD_LED_CHUNK;
    // Trigger record of old global chunks (842 bytes or less).
    using PAD_FS_TRIG_ATTR = percussionpadfile::P_PAD_FS_TRIG_ATTR;
    // Trigger record of current global chunks.
    using M_PAD_FS_TRIG_ATTR = percussionpadfile::NEW_PAD_FS_TRIG_ATTR;

    // ---- sound records ----------------------------------------------------------

    // One sound of a sound list.
    struct SOUND_INDEX {
        char wave_name[SOUND_NAME_LENGTH_MAX] = {};
        QString file;
        quint16 wave_No = 0;
        quint8 wave_lock = 0;
        quint32 start_cluster = 0;
        quint32 wave_length = 0;
        quint32 wave_start = 0;
        quint32 wave_end = 0;
        quint32 offset = 0;
        quint32 size = 0;
    };

    // One sound gathered for a kit file or for the metronome list.
    struct SOUND_LIST_INFO {
        QString name;
        QString file;
        quint16 waveNo = 0;
        quint32 offset = 0;
        quint32 size = 0;
    };

    struct strSoundItem {
        QString index;
        QString name;
        QString file;
        QString lock;
    };

    // A named group of sounds; itemList is owned by the caller.
    struct strSoundGroup {
        QString name;
        QVector<strSoundItem> *itemList = nullptr;
    };

    // One loaded kit file.
    struct READ_KIT_FILE {
        QString file;
        quint8 flag = 0;
        quint8 kitIndex = 0;
        quint16 waveCount = 0;
        quint64 fileTotalLength = 0;
        ztplatform::FileStamp stamp; // the file as it was opened for the load
        percussionpadfile info;
    };

    // ---- device records ------------------------------------------------------------

    // Packs the device kit record of kit kitNo (1..100, element kitNo - 1 of
    // kitAttrList) into the KIT_RECORD_SIZE bytes at view.
    static bool updateKit(char *view, const QVector<soundKit> &kitAttrList, int kitNo);

    // What a checked write of a record on the pad did.
    enum class PadRecordWrite {
        Written,      // the record is written and synced
        NotWritten,   // missing, short or locked file, or a failed write whose old bytes are back
        Changed,      // the file holds other bytes than at load: not touched
        Refused,      // another volume or pad at the pad's root: not touched
        Outside,      // the file's folder is reached through a link or on another volume: not touched
        MayBeDamaged, // the write failed and the old bytes could not be put back
    };
};

#endif // MAINWINDOW1RECORDS_H
