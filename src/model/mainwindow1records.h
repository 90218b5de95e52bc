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
    struct KIT_PAD_SETTING {
        QString soundName0;
        QString soundFile0;
        QString soundIndex0;
        QString soundName1;
        QString soundFile1;
        QString soundIndex1;
        quint16 aWaveNo = 0;
        quint16 bWaveNo = 0;
        quint32 aWaveStartCluster = 0;
        quint32 aWaveLength = 0;
        quint32 aWaveStart = 0;
        quint32 aWaveEnd = 0;
        quint8 aWaveVolume = 0;
        quint8 aWavePan = 0;
        quint8 aWavePitch = 0;
        quint8 aWavePitch_cent = 0;
        quint8 aWaveDecay = 0;
        quint32 bWaveStartCluster = 0;
        quint32 bWaveLength = 0;
        quint32 bWaveStart = 0;
        quint32 bWaveEnd = 0;
        quint8 bWaveVolume = 0;
        quint8 bWavePan = 0;
        quint8 bWavePitch = 0;
        quint8 bWavePitch_cent = 0;
        quint8 bWaveDecay = 0;
        quint8 padNo = 0;
        quint8 midi_code = 0;
        quint8 midi_channel = 0;
        quint8 midi_gate = 0;
        quint8 ext_ctrl = 0;
        quint8 pad_output = 0;
        quint8 mute_group = 0;
        quint8 tempo_sync = 0;
        quint8 mode = 0;
        quint8 loop = 0;
        quint8 trig_mode = 0;
        quint8 velocity = 0;
        quint8 dynamic = 0;
        quint8 poly_mono = 0;
        quint8 pad_volume = 0;
        quint8 pad_fs_ctrl = 0;
        quint8 reserved[33] = {};
    };

    // The hi-hat and pedal block of a kit.
    struct PEDAL_SETTING {
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
        quint8 pedal_contrl = 0;
        quint16 hh_wave1_no = 0;
        quint32 hh_wave1_startCluster = 0;
        quint32 hh_wave1_length = 0;
        quint32 hh_wave1_start = 0;
        quint32 hh_wave1_end = 0;
        quint16 hh_wave2_no = 0;
        quint32 hh_wave2_startCluster = 0;
        quint32 hh_wave2_length = 0;
        quint32 hh_wave2_start = 0;
        quint32 hh_wave2_end = 0;
        quint16 hh_wave3_no = 0;
        quint32 hh_wave3_startCluster = 0;
        quint32 hh_wave3_length = 0;
        quint32 hh_wave3_start = 0;
        quint32 hh_wave3_end = 0;
        quint16 hh_wave4_no = 0;
        quint32 hh_wave4_startCluster = 0;
        quint32 hh_wave4_length = 0;
        quint32 hh_wave4_start = 0;
        quint32 hh_wave4_end = 0;
        quint16 hh_wave5_no = 0;
        quint32 hh_wave5_startCluster = 0;
        quint32 hh_wave5_length = 0;
        quint32 hh_wave5_start = 0;
        quint32 hh_wave5_end = 0;
        quint8 hh_layer1 = 0;
        quint8 hh_layer2 = 0;
        quint8 hh_layer3 = 0;
        quint8 hh_layer4 = 0;
        quint8 hh_layer5 = 0;
        quint8 hh_midi_code = 0;
        quint8 pad_link2_1 = 0;
        quint8 pad_link2_2 = 0;
        quint8 pad_link3_1 = 0;
        quint8 pad_link3_2 = 0;
        quint8 pad_link4_1 = 0;
        quint8 pad_link4_2 = 0;
        quint8 pad_link5_1 = 0;
        quint8 pad_link5_2 = 0;
        quint8 active_fx = 0;
        quint8 active_off = 0;
        quint8 active_no = 0;
        quint16 active_effectCtrl1 = 0;
        quint16 active_effectCtrl2 = 0;
        quint16 active_effectCtrl3 = 0;
        quint8 reserved[14] = {};
    };

    // One kit's complete settings.
    struct soundKit {
        quint8 kit_no = 0;
        quint8 kit_volume = 0;
        quint8 kit_tempo = 0;
        quint8 click_beat = 0;
        quint8 click_volune = 0;
        quint8 pad_link1 = 0;
        quint8 pad_link2 = 0;
        quint8 kit_effect1_state = 0;
        quint8 kit_effect2_state = 0;
        quint8 kit_effect3_state = 0;
        quint8 kit_effect1 = 0;
        quint8 effect1_no = 0;
        quint16 effect1_ctrl1 = 0;
        quint16 effect1_ctrl2 = 0;
        quint16 effect1_ctrl3 = 0;
        quint8 kit_effect2 = 0;
        quint8 effect2_no = 0;
        quint16 effect2_ctrl1 = 0;
        quint16 effect2_ctrl2 = 0;
        quint16 effect2_ctrl3 = 0;
        quint8 kit_effect3 = 0;
        quint8 effect3_no = 0;
        quint16 effect3_ctrl1 = 0;
        quint16 effect3_ctrl2 = 0;
        quint16 effect3_ctrl3 = 0;
        quint8 bottom_color = 0;
        quint8 work_color = 0;
        quint8 pad_volume = 0;
        quint8 reserved[4] = {};
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

    struct M_NEW_MASTER_EFFECT {
        quint16 param1 = 0;
        quint16 param2 = 0;
        quint16 param3 = 0;
        quint8 no = 0;
    };

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

    struct AUDIO_SETTING {
        quint8 volume = 0;
        quint8 bt_volume = 0;
        quint8 systan_gain = 0;
        quint8 output = 0;
        quint8 reserved[4] = {};
    };

    struct MIDI_SETTING {
        quint8 global_ch = 0;
        quint8 ext_ctrl = 0;
        quint8 midi_sync = 0;
        quint8 soft_thru = 0;
        quint8 pc_sw = 0;
        quint8 cc_sw = 0;
        quint8 fx_ctrl1_cc = 0;
        quint8 fx_ctrl2_cc = 0;
        quint8 reserved[4] = {};
    };

    struct LCD_LED_CHUNK {
        quint8 lcd_contrast = 0;
        quint8 led_type = 0;
        quint8 tempo_indicate = 0;
        quint8 led_logo = 0;
    };

    // Trigger record of old global chunks (842 bytes or less).
    struct PAD_FS_TRIG_ATTR {
        quint8 sensibility = 0;
        quint8 threshold = 0;
        quint8 curve = 0;
        quint8 mask_time = 0;
        quint8 anti_cross = 0;
        quint8 model = 0;
        quint8 trig_mode = 0;
        quint8 pad_fs_ctrl = 0;
        quint8 open = 0;
        quint8 close = 0;
        quint8 reserved[2] = {};
    };

    // Trigger record of current global chunks.
    struct M_PAD_FS_TRIG_ATTR {
        quint8 type = 0;
        quint8 sensivity = 0;
        quint8 curve = 0;
        quint8 mask_time = 0;
        quint8 retrig_level = 0;
        quint8 anti_cross = 0;
        quint8 rim_gain = 0;
        quint8 dynamic_range = 0;
    };

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

    // ---- fixed-width names ------------------------------------------------------

    // Writes min(length, n) characters as Latin-1 bytes (0 above U+00FF) and
    // zero-fills the rest of the n-byte field; no terminator when full.
    static void str2CharArray(QString str, char *field, quint8 n);
    // Reads an n-byte field up to its first zero byte: as UTF-8 when it is
    // valid UTF-8, else as Latin-1.
    static QString charArray2String(const char *field, uint n);

    // ---- device records written in place -----------------------------------------
    // Checked in-place writes into files that already exist on the pad.
    // kitNo runs 1..100 and selects element kitNo - 1 of kitAttrList.

    // Packs the device kit record of kit kitNo into the KIT_RECORD_SIZE bytes at view.
    static bool updateKit(char *view, const QVector<soundKit> &kitAttrList, int kitNo);
    // Stores waveNo little-endian in bytes 0 and 1 of view.
    static void updatePrm(char *view, quint16 waveNo);
    // Rewrites the record inside the existing kit record file fileName (UTF-8 path).
    // Never creates or extends the file nor writes through a link; true when
    // the record was written and synced. On false the file holds its old
    // bytes, unless putting them back failed too (logged).
    static bool writeKitRecordInPlace(const char *fileName, const QVector<soundKit> &kitAttrList, int kitNo);
    // Rewrites the wave number at the start of the existing .prm file fileName;
    // the same guarantees.
    static bool writePrmWaveInPlace(const char *fileName, quint16 waveNo);

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
