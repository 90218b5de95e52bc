#ifndef PERCUSSIONPADFILE1_H
#define PERCUSSIONPADFILE1_H

#include <QtGlobal>
#include <QHash>
#include <QString>
#include <QVector>

#include <vector>

class QFile;
class QIODevice;

// Shared limits of the data model.
constexpr int KIT_MAX_COUNT = 100;          // kits, 1..100 for the user
constexpr int PAD_NUM_MAX = 19;             // pads per kit, 0..18
constexpr int NORMAL_PAD_NUM = 9;           // PAD1..PAD9
constexpr int EXT_TRIG_NUM = 8;             // TRIG1..TRIG8
constexpr int EXT_FOOT_SW_NUM = 2;          // FS1, FS2 (layer A only)
constexpr int EXTEND_INPUT_NUM = 17;        // pads with layers A and B
constexpr int HH_NUM_MAX = 5;               // hi-hat waves per kit
constexpr int STEP_MAX_COUNT = 20;          // steps per kit chain
constexpr int KIT_NAME_MAX = 10;            // kit name characters in the editor
constexpr int SOUND_NAME_LENGTH_MAX = 16;   // sound name characters / wave_name width
constexpr int SOUND_NAME_LENGTH = 20;       // name field of a kit file sound entry
constexpr int WAVE_MAX_COUNT = 9999;        // sounds in the library
constexpr int WAVE_MAX_COUNT1 = 10240;      // entries of the kit file sound table
constexpr qint64 RAW_DATA_LENGTH_MAX = Q_INT64_C(4294967296); // largest imported/saved file
constexpr int MAX_THREAD_COUNT = 10;        // worker slots of the device side
constexpr int EMPTY_KIT_NUM = 255;          // current kit number while none is shown

// Kit file layout constants.
constexpr int KIT_NAME_FIELD = 13;          // kit name bytes in a kit record
constexpr int KIT_BASE_SIZE = 54;           // base part of a kit record
constexpr int KIT_BASE_SIZE_OLD = 45;       // base part of the older layout
constexpr int KIT_PEDAL_SIZE = 128;         // hi-hat/pedal part
constexpr int KIT_PAD_SIZE = 95;            // one pad part
constexpr int KIT_RECORD_SIZE = KIT_BASE_SIZE + KIT_PEDAL_SIZE + PAD_NUM_MAX * KIT_PAD_SIZE; // 1987
constexpr int KIT_RECORD_SIZE_OLD = KIT_BASE_SIZE_OLD + KIT_PEDAL_SIZE + PAD_NUM_MAX * KIT_PAD_SIZE; // 1978
constexpr int SKIT_HEADER_SIZE = 12;
constexpr int SOUND_ENTRY_SIZE = 40;        // one entry of the SOUN table
constexpr int SOUN_HEADER_SIZE = 12;
constexpr int GLOBAL_CHUNK_SIZE = 843;      // current GLOB layout
constexpr int GLOBAL_CHUNK_SIZE_OLD_MAX = 488;
constexpr int KIT_CHAIN_BLOCK_OFFSET = 498;  // kit-chain block inside the global chunk
constexpr int KIT_CHAIN_BLOCK_SIZE = 184;
constexpr int INDEX_SLOT_COUNT = 5;         // GLOB, SKIT, SOUN, WAV1, WAV2
constexpr int INDEX_HEADER_SIZE = 16;
constexpr int IDENTITY_CHUNK_SIZE = 8;
constexpr int MASTER_EFFECT_COUNT = 64;
constexpr int KIT_CHAIN_ROWS = 9;
// Nodes per wave-node list: the metronome sounds leave soundCount - 3 = waves + 2
// nodes, so the largest library (9999 waves) needs 10,001.
constexpr int WAVE_NODE_MAX = WAVE_MAX_COUNT + 2;
constexpr quint16 NO_WAVE = 0xFFFF;

class percussionpadfile
{
public:
    // ---- identity and index --------------------------------------------
    struct FILE_IDENTITY_CHUNK {
        quint16 version = 0;
        quint8 reserved[6] = {};
    };

    struct START_ADDRESS {
        quint32 id = 0;
        quint32 address = 0;
    };

    struct FILE_INDEX_CHUNK {
        quint32 inde = 0;
        quint32 size = 0;
        quint16 chunkCount = 0;
        quint8 reserved[6] = {};
        START_ADDRESS chunkIndex[INDEX_SLOT_COUNT];
    };

    // Index slots of chunkIndex.
    enum { SLOT_GLOB = 0, SLOT_SKIT = 1, SLOT_SOUN = 2, SLOT_WAV1 = 3, SLOT_WAV2 = 4 };

    // ---- wave nodes -----------------------------------------------------
    struct WAVE_NODE {
        quint16 nextNode = 0;
        quint16 lastNode = 0;
    };

    struct WAVE_NODE_FILE1 {
        quint32 wave1 = 0;
        quint32 size = 0;
        WAVE_NODE wn1[WAVE_NODE_MAX];
    };

    struct WAVE_NODE_FILE2 {
        quint32 wave2 = 0;
        quint32 size = 0;
        WAVE_NODE wn2[WAVE_NODE_MAX];
    };

    // ---- global chunk ---------------------------------------------------
    struct NEW_MASTER_EFFECT {
        quint16 param1 = 0;
        quint16 param2 = 0;
        quint16 param3 = 0;
        quint8 no = 0;
    };

    struct P_MASTER_EFFECT {
        quint8 effectType = 0;
        quint8 effectCtrl1 = 0;
        quint8 effectCtrl2 = 0;
        quint8 effectCtrl3 = 0;
        quint8 reserved[4] = {};
    };

    struct P_METRONOME_SETTING {
        quint32 click_startCluster = 0;
        quint32 click_waveLength = 0;
        quint8 click_no = 0;
        quint8 beat = 0;
        quint8 pan = 0;
        quint8 volume = 0;
        quint8 click_output = 0;
        quint8 reserved[3] = {};
    };

    struct P_AUDIO_SETTING {
        quint8 volume = 0;
        quint8 bt_volume = 0;
        quint8 systan_gain = 0;
        quint8 output = 0;
        quint8 reserved[4] = {};
    };

    struct P_EQ_SETTING {
        quint16 low_freq = 0;
        quint16 mid_freq = 0;
        quint16 hig_freq = 0;
        quint8 low_gain = 0;
        quint8 mid_gain = 0;
        quint8 hig_gain = 0;
        quint8 reserved[3] = {};
    };

    struct P_MIDI_SETTING {
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

    struct P_LCD_LED_CHUNK {
        quint8 lcd_contrast = 0;
        quint8 led_type = 0;
        quint8 led_logo = 0;
        quint8 tempo_indicate = 0;
    };

    struct P_LED_TYPE {
        quint8 click_led = 0;
        quint8 click_led_mode = 0;
        quint8 pad_hit_mode = 0;
        quint8 pad_loop = 0;
        quint8 pad_loop_mode = 0;
        quint8 pad_ctrl = 0;
        quint8 logo = 0;
        quint8 logo_mode = 0;
        quint8 reserved[4] = {};
    };

    struct P_KIT_CHAIN {
        quint8 kit_chain = 0;
        quint8 kit_chain_No = 0;
        quint8 kitChain[KIT_CHAIN_ROWS][STEP_MAX_COUNT] = {};
        quint8 reserved[2] = {};
    };

    struct P_PAD_FS_TRIG_ATTR {
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

    struct NEW_PAD_FS_TRIG_ATTR {
        quint8 type = 0;
        quint8 sensivity = 0;
        quint8 curve = 0;
        quint8 mask_time = 0;
        quint8 retrig_level = 0;
        quint8 anti_cross = 0;
        quint8 rim_gain = 0;
        quint8 dynamic_range = 0;
    };

    // Current 843-byte layout.
    struct NEW_FILE_GLOBAL_CHUNK {
        quint32 glob = 0;
        quint32 size = 0;
        quint8 editing_effect = 0;
        quint8 effect_off = 0;
        NEW_MASTER_EFFECT effect[MASTER_EFFECT_COUNT];
        P_METRONOME_SETTING click;
        P_AUDIO_SETTING audio;
        P_MIDI_SETTING midi;
        P_LCD_LED_CHUNK lced;
        P_KIT_CHAIN kc;
        NEW_PAD_FS_TRIG_ATTR pfta[PAD_NUM_MAX];
        quint8 rec_level = 0;
        quint8 auto_state = 0;
        quint8 loop_click = 0;
        quint8 loop_qtz = 0;
        quint8 loop_meas = 0;
        quint8 loop_meas_index = 0;
        quint8 rec_pad = 0;
        quint8 reserved[2] = {};
    };

    // Older layout (488 bytes or less), read only.
    struct FILE_GLOBAL_CHUNK {
        quint32 glob = 0;
        quint32 size = 0;
        P_MASTER_EFFECT effect;
        P_METRONOME_SETTING click;
        P_AUDIO_SETTING audio;
        P_EQ_SETTING eq;
        P_MIDI_SETTING midi;
        P_LCD_LED_CHUNK lced;
        P_LED_TYPE led[2];
        P_KIT_CHAIN kc;
        P_PAD_FS_TRIG_ATTR pfta[PAD_NUM_MAX];
        quint8 reserved[4] = {};
        quint32 fileOffset = 0;
    };

    // ---- kit chunk ------------------------------------------------------
    // The settings of a kit record's base part behind its name.
    struct P_KIT_BASE_FIELDS {
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
    };

    struct P_KIT_BASE_PARA : P_KIT_BASE_FIELDS {
        char kit_name[KIT_NAME_FIELD] = {};
    };

    struct P_PEDAL_SETTING {
        quint16 hh_wave1_no = 0;
        quint16 hh_wave2_no = 0;
        quint16 hh_wave3_no = 0;
        quint16 hh_wave4_no = 0;
        quint16 hh_wave5_no = 0;
        quint8 pedal_contrl = 0;
        quint8 hh_layer1 = 0;
        quint8 hh_layer2 = 0;
        quint8 hh_layer3 = 0;
        quint8 hh_layer4 = 0;
        quint8 hh_layer5 = 0;
        quint32 hh_wave1_startCluster = 0;
        quint32 hh_wave1_length = 0;
        quint32 hh_wave1_start = 0;
        quint32 hh_wave1_end = 0;
        quint32 hh_wave2_startCluster = 0;
        quint32 hh_wave2_length = 0;
        quint32 hh_wave2_start = 0;
        quint32 hh_wave2_end = 0;
        quint32 hh_wave3_startCluster = 0;
        quint32 hh_wave3_length = 0;
        quint32 hh_wave3_start = 0;
        quint32 hh_wave3_end = 0;
        quint32 hh_wave4_startCluster = 0;
        quint32 hh_wave4_length = 0;
        quint32 hh_wave4_start = 0;
        quint32 hh_wave4_end = 0;
        quint32 hh_wave5_startCluster = 0;
        quint32 hh_wave5_length = 0;
        quint32 hh_wave5_start = 0;
        quint32 hh_wave5_end = 0;
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

    struct P_KIT_PAD_SETTING {
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

    // SKIT header; the three kit references point at the caller's storage
    // for KIT_MAX_COUNT kits.
    struct FILE_KIT_CHUNK {
        quint32 skit = 0;
        quint32 size = 0;
        quint8 kit_count = 0;
        quint8 baseSize = 0;
        quint8 pedalSize = 0;
        quint8 padSize = 0;
        P_KIT_BASE_PARA *baseChunk = nullptr;
        P_PEDAL_SETTING *pedalChunk = nullptr;
        P_KIT_PAD_SETTING (*kpadChunk)[PAD_NUM_MAX] = nullptr;
        quint8 reserved[4] = {};
    };

    // ---- sound chunk ----------------------------------------------------
    struct P_SOUND_INDEX {
        char wave_name[SOUND_NAME_LENGTH] = {};
        quint16 wave_No = 0;
        quint8 wave_lock = 0;
        quint8 reserved = 0;
        quint32 start_cluster = 0;
        quint32 wave_length = 0;
        quint32 wave_start = 0;
        quint32 wave_end = 0;
        // Kept in memory only: where the wave's bytes are copied from.
        QString fileName;
        quint32 fileOffset = 0;
        quint32 fileSize = 0;
    };

    struct FILE_SOUND_CHUNK {
        quint32 soun = 0;
        quint32 size = 0;
        quint16 soundCount = 0;
        quint8 reserved[2] = {};
        P_SOUND_INDEX *soundIndex = nullptr; // table in use (own `sound` by default)
    };

    // ---- members --------------------------------------------------------
    // Kind of kit file the model initialises, lays out, writes and reads:
    // 0 whole setup, 1 global settings, 2 single kit, 4 bare device kit record.
    // Set by whoever fills or reads the model; copies take it along.
    int curFlag = 0;
    FILE_IDENTITY_CHUNK identityChunk;
    FILE_INDEX_CHUNK indexChunk;
    WAVE_NODE_FILE1 wn1Chunk;
    WAVE_NODE_FILE2 wn2Chunk;
    FILE_GLOBAL_CHUNK globalChunk;
    NEW_FILE_GLOBAL_CHUNK new_globalChunk;
    FILE_KIT_CHUNK kitChunk;
    FILE_SOUND_CHUNK soundChunk;
    std::vector<P_SOUND_INDEX> sound;   // WAVE_MAX_COUNT1 entries, allocated once
    QString kitFileName;

    percussionpadfile();
    percussionpadfile(const percussionpadfile &other);
    percussionpadfile(percussionpadfile &&other) noexcept;
    percussionpadfile &operator=(const percussionpadfile &other);
    percussionpadfile &operator=(percussionpadfile &&other) noexcept;
    ~percussionpadfile();

    // ---- helpers (container) --------------------------------------------
    static quint32 str2int(const QString &tag);
    // Writes min(length, n) characters as Latin-1 bytes (0 above U+00FF) and
    // zero-fills the rest of the n-byte field; no terminator when full.
    static void str2CharArray(QString str, char *field, quint8 n);
    // Reads an n-byte field up to its first zero byte: as UTF-8 when it is
    // valid UTF-8, else as Latin-1.
    static QString charArray2String(const uchar *bytes, uint n);
    static QString charArray2String(const char *bytes, uint n);

    // ---- container and layout -------------------------------------------
    void initFileChunk();
    // Lays out a whole setup (kind 0) or single kit (kind 2). False, with the
    // model unchanged, for a table over WAVE_MAX_COUNT1 entries, a whole setup
    // with fewer than 3 or more than WAVE_NODE_MAX + 3 entries, or a file that
    // would exceed RAW_DATA_LENGTH_MAX.
    bool calculateChunkSize();
    quint32 calculateSkitChunkSize();
    void calculateGlobalChunkSize1();
    void writeIdentityChunk(QFile *file);
    void writeIndexChunk(QFile *file);
    bool getChunkIndex(QFile *file);

    // ---- probes -----------------------------------------------------------
    static quint32 judgeFileType(QFile *file);
    static qint8 readKitNum(QFile *file);
    static bool readIndex(QFile *file, int kind);
    static quint16 judgeWaveTotalNumber(QFile *file, int kitFlag);
    static QString judgeWaveName(QFile *file, int i, int kitFlag);
    // judgeWaveName of entries 0 .. count-1, the table read at once.
    static QVector<QString> judgeWaveNames(QFile *file, int count, int kitFlag);

    // ---- global chunk -----------------------------------------------------
    void initGlobalChunk();
    // Pad p's trigger settings in a new setup.
    static NEW_PAD_FS_TRIG_ATTR defaultTrigger(int p);
    // Packs the KIT_CHAIN_BLOCK_SIZE bytes of a kit-chain block; both leading
    // bytes carry the active chain number (kit_chain_No when kit_chain is set).
    static void packKitChainBlock(const P_KIT_CHAIN &kc, uchar *block);
    // The GLOBAL_CHUNK_SIZE bytes of a current-layout global chunk.
    static QByteArray packGlobalChunk(const NEW_FILE_GLOBAL_CHUNK &g);
    void writeGlobalChunk(QFile *file);
    bool readGlobalChunk(QIODevice *file);

    // ---- sound and wave-node chunks ---------------------------------------
    // Sound bytes of a source file found in `held` (path -> open descriptor)
    // are read through that descriptor, never by the name.
    bool writeSoundChunk(QFile *file, const QHash<QString, int> *held = nullptr);
    bool writeKitSoundChunk(QFile *file, const QHash<QString, int> *held = nullptr);
    void writeWaveNodeChunk(QFile *file, int which);
    // With kitNumbering (a single-kit file) a stored wave number n reads as n - 1.
    bool readSounChunk(QFile *file, bool kitNumbering = false);
    // Fills both wave-node lists from the waves in sound-list order and in kit
    // order (same numbers); false when they differ in length or exceed the lists.
    bool setWaveNodeLists(const QVector<quint16> &listOrder, const QVector<quint16> &kitOrder);
    // The file holding a sound's bytes: "path:Unnnnn" (five digits) gives path.
    static QString soundSourceFile(const QString &fileName);

    // ---- kit chunk ---------------------------------------------------------
    void writeSkitChunk(QFile *file);
    void writeSkitChunkKit(QFile *file);
    void writeSkitChunkPad(QFile *file, int kit);
    bool readSkitChunk(QFile *file);
    bool readSingleSkitChunk(QFile *file, int kit);
    bool readSingleOnlineSkitChunk(QIODevice *file, int kit);

    // Packs one kit record (KIT_RECORD_SIZE bytes) from element `kit` of the
    // kit storage into `out`, fields exactly as stored.
    void packKitRecord(int kit, uchar *out) const;

private:
    void copyChunks(const percussionpadfile &other);
    void copyFrom(const percussionpadfile &other);
};

#endif // PERCUSSIONPADFILE1_H
