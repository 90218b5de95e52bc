// What the steps keep of the document: a kit, all kits, the chains and the
// global settings, each exchanged whole with the document's.
#include "document/kitdocument.h"

#include "kitfile/kitslots.h"
#include "kitfile/soundsource.h"
#include "model/kitrecordmap.h"

#include <QDataStream>
#include <QPointer>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

using Doc = KitDocument;

// Every byte a kit record holds, its texts included: equal bytes, equal records.
QByteArray recordBytes(const Doc::soundKit &k)
{
    QByteArray out(KIT_RECORD_SIZE, '\0');
    kitrecord::packKitRecord(reinterpret_cast<uchar *>(out.data()), k, k.pedalChunk, k.kpadChunk);
    QByteArray texts;
    QDataStream ds(&texts, QIODevice::WriteOnly);
    for (const Doc::KIT_PAD_SETTING &pad : k.kpadChunk) {
        ds << pad.soundName0 << pad.soundFile0 << pad.soundIndex0 << pad.soundName1 << pad.soundFile1
           << pad.soundIndex1;
    }
    const Doc::PEDAL_SETTING &h = k.pedalChunk;
    ds << k.kit_name << h.hh_wave1_file << h.hh_wave2_file << h.hh_wave3_file << h.hh_wave4_file << h.hh_wave5_file
       << h.hh_wave1_name << h.hh_wave2_name << h.hh_wave3_name << h.hh_wave4_name << h.hh_wave5_name;
    return out + texts;
}

QByteArray padListBytes(const QVector<Doc::KIT_PAD_SETTING> &pads)
{
    Doc::soundKit k;
    QByteArray out;
    for (int i = 0; i < pads.size(); i += PAD_NUM_MAX) {
        std::fill(std::begin(k.kpadChunk), std::end(k.kpadChunk), Doc::KIT_PAD_SETTING());
        std::copy(pads.cbegin() + i, pads.cbegin() + qMin(pads.size(), i + PAD_NUM_MAX), k.kpadChunk);
        out += recordBytes(k);
    }
    return out + QByteArray::number(pads.size());
}

QByteArray imageBytes(const Doc::BaseImage &base, const Doc::PedalImage &pedal, const Doc::PadImage *pads)
{
    QByteArray out(KIT_RECORD_SIZE, '\0');
    std::memcpy(out.data(), base.kit_name, KIT_NAME_FIELD);
    kitrecord::packKitRecord(reinterpret_cast<uchar *>(out.data()), base, pedal, pads);
    return out;
}

template <class T>
QByteArray podBytes(const T &value)
{
    return QByteArray(reinterpret_cast<const char *>(&value), int(sizeof value));
}

QByteArray effectBytes(const QVector<Doc::KIT_EFFECT> &effects)
{
    QByteArray out;
    QDataStream ds(&out, QIODevice::WriteOnly);
    ds << effects.size();
    for (const Doc::KIT_EFFECT &e : effects)
        ds << e.parm1 << e.parm2 << e.parm3;
    return out;
}

QByteArray linkBytes(const QVector<Doc::LINK_GROUP> &links)
{
    QByteArray out;
    for (const Doc::LINK_GROUP &g : links)
        out += char(g.link_pad1) + QByteArray(1, char(g.link_pad2));
    return out + QByteArray::number(links.size());
}

// The sound sources of a kit: pad layers and hi-hat slots.
QSet<QString> sourcesOf(const Doc::soundKit &k)
{
    QSet<QString> out;
    setupfiles::forEachSoundSlot(k, [&out](auto s) {
        if (!s.file.isEmpty())
            out.insert(s.file);
    });
    return out;
}

} // namespace

// ---- one kit -----------------------------------------------------------------------------

struct KitDocument::KitState
{
    soundKit attr;
    QVector<KIT_PAD_SETTING> pads;
    QString name;
    int index = 0;
    QVector<KIT_EFFECT> effects[4];
    QVector<LINK_GROUP> links;
    BaseImage base;
    PedalImage pedal;
    PadImage padImages[PAD_NUM_MAX];
    quint8 flag = 0, flag1 = 0;

    QByteArray bytes() const
    {
        QByteArray out = recordBytes(attr) + padListBytes(pads) + imageBytes(base, pedal, padImages) + linkBytes(links);
        for (const QVector<KIT_EFFECT> &e : effects)
            out += effectBytes(e);
        QDataStream ds(&out, QIODevice::Append);
        ds << name << index << flag << flag1;
        return out;
    }
    bool operator==(const KitState &o) const { return bytes() == o.bytes(); }
};

class KitDocument::KitPart : public editstep::WholePart<KitDocument, KitState>, public HeldKits
{
public:
    KitPart(KitDocument &doc, int kit)
        : WholePart(doc)
        , m_kit(kit)
    {
        doc.m_held.insert(this);
        take(m_state);
    }
    ~KitPart() override
    {
        if (m_owner)
            m_owner->m_held.remove(this);
    }

    QString key() const override { return QStringLiteral("kit:%1").arg(m_kit); }
    QStringList refusals() const override
    {
        if (!m_owner || !m_owner->hasKit(m_kit))
            return {};
        return m_owner->goneSounds({&m_state.attr}, {&m_owner->m_kitAttrList.at(m_kit)});
    }
    qint64 size() const override
    {
        return qint64(sizeof(KitPart)) + qint64(sizeof(KIT_PAD_SETTING)) * m_state.pads.size();
    }
    void forEachKit(const std::function<void(int, soundKit &, QVector<KIT_PAD_SETTING> &)> &fn) override
    {
        fn(m_kit, m_state.attr, m_state.pads);
        kitediting::writeKitImages(m_kit, m_state.attr, m_state.pads,
                                   {&m_state.base, &m_state.pedal, m_state.padImages});
    }

private:
    bool here() const override { return m_owner && m_owner->hasKit(m_kit); }
    void told() override { m_owner->changed(m_kit); }
    void take(KitState &s) const override
    {
        const KitDocument &d = *m_owner;
        const int k = m_kit;
        s.attr = d.m_kitAttrList.at(k);
        s.pads = d.m_kitPadList[k];
        s.name = d.m_kitNameList.value(k);
        s.index = d.m_kitIndexList.value(k);
        for (int e = 0; e < 4; ++e)
            s.effects[e] = d.m_kitEffectList[e][k];
        s.links = d.m_kitLinkList[k];
        s.base = d.m_base0[k];
        s.pedal = d.m_pedal0[k];
        std::copy(d.m_pad0[k], d.m_pad0[k] + PAD_NUM_MAX, s.padImages);
        s.flag = d.m_kitNumFlagList.value(k);
        s.flag1 = d.m_kitNumFlagList1.value(k);
    }
    void put(const KitState &s) override
    {
        KitDocument &d = *m_owner;
        const int k = m_kit;
        d.m_kitAttrList[k] = s.attr;
        d.m_kitPadList[k] = s.pads;
        if (k < d.m_kitNameList.size())
            d.m_kitNameList[k] = s.name;
        if (k < d.m_kitIndexList.size())
            d.m_kitIndexList[k] = s.index;
        for (int e = 0; e < 4; ++e)
            d.m_kitEffectList[e][k] = s.effects[e];
        d.m_kitLinkList[k] = s.links;
        d.m_base0[k] = s.base;
        d.m_pedal0[k] = s.pedal;
        std::copy(s.padImages, s.padImages + PAD_NUM_MAX, d.m_pad0[k]);
        if (k < d.m_kitNumFlagList.size())
            d.m_kitNumFlagList[k] = s.flag;
        if (k < d.m_kitNumFlagList1.size())
            d.m_kitNumFlagList1[k] = s.flag1;
    }

    const int m_kit;
};

// ---- all kits -------------------------------------------------------------------------------

struct KitDocument::AllKitsState
{
    QVector<soundKit> kits;
    QVector<soundKit> curKits;
    QVector<QVector<KIT_PAD_SETTING>> pads;
    QVector<QString> names;
    QVector<int> indexes;
    QVector<soundKit> original;
    QVector<quint8> flags, flags1;
    QVector<int> maxList;
    QVector<QVector<KIT_EFFECT>> effects[4];
    QVector<QVector<LINK_GROUP>> links;
    std::vector<BaseImage> base = std::vector<BaseImage>(KIT_MAX_COUNT);
    std::vector<PedalImage> pedal = std::vector<PedalImage>(KIT_MAX_COUNT);
    std::vector<PadImage> padImages = std::vector<PadImage>(size_t(KIT_MAX_COUNT) * PAD_NUM_MAX);

    QByteArray bytes() const
    {
        QByteArray out;
        for (const QVector<soundKit> *list : {&kits, &curKits, &original}) {
            out += QByteArray::number(list->size());
            for (const soundKit &k : *list)
                out += recordBytes(k);
        }
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            out += padListBytes(pads.value(k)) + linkBytes(links.value(k));
            for (const QVector<QVector<KIT_EFFECT>> &e : effects)
                out += effectBytes(e.value(k));
            out += imageBytes(base[size_t(k)], pedal[size_t(k)], &padImages[size_t(k) * PAD_NUM_MAX]);
        }
        QDataStream ds(&out, QIODevice::Append);
        ds << names << indexes << flags << flags1 << maxList;
        return out;
    }
    bool operator==(const AllKitsState &o) const { return bytes() == o.bytes(); }
};

class KitDocument::AllKitsPart : public editstep::WholePart<KitDocument, AllKitsState>, public HeldKits
{
public:
    explicit AllKitsPart(KitDocument &doc)
        : WholePart(doc)
    {
        doc.m_held.insert(this);
        take(m_state);
    }
    ~AllKitsPart() override
    {
        if (m_owner)
            m_owner->m_held.remove(this);
    }

    QString key() const override { return QStringLiteral("kits"); }
    QStringList refusals() const override
    {
        if (!m_owner)
            return {};
        QVector<const soundKit *> kept, live;
        for (const soundKit &k : m_state.kits)
            kept.append(&k);
        for (const soundKit &k : m_owner->m_kitAttrList)
            live.append(&k);
        return m_owner->goneSounds(kept, live);
    }
    qint64 size() const override
    {
        return qint64(sizeof(AllKitsPart))
               + qint64(sizeof(soundKit) + sizeof(BaseImage) + sizeof(PedalImage) + PAD_NUM_MAX * sizeof(PadImage))
                         * KIT_MAX_COUNT * 2;
    }
    void forEachKit(const std::function<void(int, soundKit &, QVector<KIT_PAD_SETTING> &)> &fn) override
    {
        for (int k = 0; k < m_state.kits.size() && k < KIT_MAX_COUNT; ++k) {
            if (k >= m_state.pads.size())
                break;
            fn(k, m_state.kits[k], m_state.pads[k]);
            kitediting::writeKitImages(k, m_state.kits[k], m_state.pads[k],
                                       {&m_state.base[size_t(k)], &m_state.pedal[size_t(k)],
                                        &m_state.padImages[size_t(k) * PAD_NUM_MAX]});
        }
    }

private:
    void told() override { m_owner->allChanged(); }
    void take(AllKitsState &s) const override
    {
        const KitDocument &d = *m_owner;
        s.kits = d.m_kitAttrList;
        s.curKits = QVector<soundKit>(d.m_curKitAttr, d.m_curKitAttr + KIT_MAX_COUNT);
        s.pads = QVector<QVector<KIT_PAD_SETTING>>(d.m_kitPadList, d.m_kitPadList + KIT_MAX_COUNT);
        s.names = d.m_kitNameList;
        s.indexes = d.m_kitIndexList;
        s.original = d.m_originalKitAttrList;
        s.flags = d.m_kitNumFlagList;
        s.flags1 = d.m_kitNumFlagList1;
        s.maxList = d.m_kitMaxList;
        for (int e = 0; e < 4; ++e)
            s.effects[e] = QVector<QVector<KIT_EFFECT>>(d.m_kitEffectList[e], d.m_kitEffectList[e] + KIT_MAX_COUNT);
        s.links = QVector<QVector<LINK_GROUP>>(d.m_kitLinkList, d.m_kitLinkList + KIT_MAX_COUNT);
        std::copy(d.m_base0, d.m_base0 + KIT_MAX_COUNT, s.base.begin());
        std::copy(d.m_pedal0, d.m_pedal0 + KIT_MAX_COUNT, s.pedal.begin());
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            std::copy(d.m_pad0[k], d.m_pad0[k] + PAD_NUM_MAX, s.padImages.begin() + k * PAD_NUM_MAX);
    }
    void put(const AllKitsState &s) override
    {
        KitDocument &d = *m_owner;
        d.m_kitAttrList = s.kits;
        std::copy(s.curKits.cbegin(), s.curKits.cend(), d.m_curKitAttr);
        std::copy(s.pads.cbegin(), s.pads.cend(), d.m_kitPadList);
        d.m_kitNameList = s.names;
        d.m_kitIndexList = s.indexes;
        d.m_originalKitAttrList = s.original;
        d.m_kitNumFlagList = s.flags;
        d.m_kitNumFlagList1 = s.flags1;
        d.m_kitMaxList = s.maxList;
        for (int e = 0; e < 4; ++e)
            std::copy(s.effects[e].cbegin(), s.effects[e].cend(), d.m_kitEffectList[e]);
        std::copy(s.links.cbegin(), s.links.cend(), d.m_kitLinkList);
        std::copy(s.base.cbegin(), s.base.cend(), d.m_base0);
        std::copy(s.pedal.cbegin(), s.pedal.cend(), d.m_pedal0);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            std::copy(s.padImages.cbegin() + k * PAD_NUM_MAX, s.padImages.cbegin() + (k + 1) * PAD_NUM_MAX,
                      d.m_pad0[k]);
    }

};

// ---- the chains ---------------------------------------------------------------------------------

struct KitDocument::ChainsState
{
    QVector<KIT_CHAIN> chains;
    QVector<KIT_CHAIN> original;

    QByteArray bytes() const
    {
        QByteArray out = QByteArray::number(chains.size()) + '/' + QByteArray::number(original.size());
        for (const QVector<KIT_CHAIN> *list : {&chains, &original}) {
            for (const KIT_CHAIN &c : *list)
                out += podBytes(c);
        }
        return out;
    }
};

class KitDocument::ChainsPart : public editstep::Part
{
public:
    explicit ChainsPart(KitDocument &doc)
        : m_doc(&doc)
        , m_state{doc.m_kitChainList, doc.m_originalKitChainList}
    {
    }

    QString key() const override { return QStringLiteral("chains"); }
    void swap() override
    {
        if (!m_doc)
            return;
        std::swap(m_doc->m_kitChainList, m_state.chains);
        std::swap(m_doc->m_originalKitChainList, m_state.original);
        emit m_doc->chainsChanged();
    }
    bool unchanged() const override
    {
        return !m_doc || ChainsState{m_doc->m_kitChainList, m_doc->m_originalKitChainList}.bytes() == m_state.bytes();
    }
    qint64 size() const override
    {
        return qint64(sizeof(ChainsPart))
               + qint64(sizeof(KIT_CHAIN)) * (m_state.chains.size() + m_state.original.size());
    }

private:
    QPointer<KitDocument> m_doc;
    ChainsState m_state;
};

// ---- the global settings ---------------------------------------------------------------------------

struct KitDocument::GlobalState
{
    quint8 editEffect = 0, effectOff = 0;
    M_NEW_MASTER_EFFECT master[MASTER_EFFECT_COUNT];
    quint8 recordAndLoop[7] = {};
    CLICK_SETTING click;
    AUDIO_SETTING audio;
    MIDI_SETTING midi;
    LCD_LED_CHUNK lced;
    QVector<PAD_FS_TRIG_ATTR> triggers;
    QVector<M_PAD_FS_TRIG_ATTR> triggers1;
    int size = 0;
    QByteArray restoredFile;

    QByteArray bytes() const
    {
        QByteArray out;
        QDataStream ds(&out, QIODevice::WriteOnly);
        ds << editEffect << effectOff << size << triggers.size() << triggers1.size();
        for (const M_NEW_MASTER_EFFECT &m : master)
            ds << m.param1 << m.param2 << m.param3 << m.no;
        out += QByteArray(reinterpret_cast<const char *>(recordAndLoop), 7);
        out += podBytes(click.click_startCluster) + podBytes(click.click_waveLength)
               + QByteArray(reinterpret_cast<const char *>(&click.clickSoundNo), 8);
        out += podBytes(audio) + podBytes(midi) + podBytes(lced);
        for (const PAD_FS_TRIG_ATTR &t : triggers)
            out += podBytes(t);
        for (const M_PAD_FS_TRIG_ATTR &t : triggers1)
            out += podBytes(t);
        return out + restoredFile;
    }
    bool operator==(const GlobalState &o) const { return bytes() == o.bytes(); }
};

class KitDocument::GlobalPart : public editstep::WholePart<KitDocument, GlobalState>
{
public:
    explicit GlobalPart(KitDocument &doc)
        : WholePart(doc)
    {
        take(m_state);
    }

    QString key() const override { return QStringLiteral("global"); }
    qint64 size() const override { return qint64(sizeof(GlobalPart)) + m_state.restoredFile.size(); }

private:
    void told() override { emit m_owner->globalChanged(); }
    void take(GlobalState &s) const override { fields(s, *m_owner, [](auto &kept, const auto &live) { kept = live; }); }
    void put(const GlobalState &s) override { fields(s, *m_owner, [](const auto &kept, auto &live) { live = kept; }); }
    // `carry(kept, live)` for each field the part keeps and the document's own.
    template <class State, class Carry>
    static void fields(State &s, KitDocument &d, Carry carry)
    {
        carry(s.editEffect, d.m_curEditEffect);
        carry(s.effectOff, d.m_curEffectOFF);
        for (int i = 0; i < MASTER_EFFECT_COUNT; ++i)
            carry(s.master[i], d.m_meffChunk1[i]);
        const std::array<quint8 *, 7> loop = d.recordAndLoop();
        for (int i = 0; i < 7; ++i)
            carry(s.recordAndLoop[i], *loop[i]);
        carry(s.click, d.m_clckChunk);
        carry(s.audio, d.m_audoChunk);
        carry(s.midi, d.m_midiChunk);
        carry(s.lced, d.m_lcedChunk);
        carry(s.triggers, d.m_padTrigList);
        carry(s.triggers1, d.m_padTrigList1);
        carry(s.size, d.m_globalSize);
        carry(s.restoredFile, d.m_restoredGlobalFile);
    }

};

// ---- touches ----------------------------------------------------------------------------------------

KitDocument::~KitDocument() = default;

void KitDocument::touchKit(int kit)
{
    if (!m_recorder || !hasKit(kit))
        return;
    m_recorder->touch(QStringLiteral("kit:%1").arg(kit), [this, kit] { return std::make_unique<KitPart>(*this, kit); });
}

void KitDocument::touchAllKits()
{
    if (m_recorder)
        m_recorder->touch(QStringLiteral("kits"), [this] { return std::make_unique<AllKitsPart>(*this); });
}

void KitDocument::touchChains()
{
    if (m_recorder)
        m_recorder->touch(QStringLiteral("chains"), [this] { return std::make_unique<ChainsPart>(*this); });
}

void KitDocument::touchGlobal()
{
    if (m_recorder)
        m_recorder->touch(QStringLiteral("global"), [this] { return std::make_unique<GlobalPart>(*this); });
}

QStringList KitDocument::goneSounds(const QVector<const soundKit *> &kept, const QVector<const soundKit *> &live) const
{
    if (!m_soundGone)
        return {};
    QSet<QString> now;
    for (const soundKit *k : live)
        now.unite(sourcesOf(*k));
    QSet<QString> back;
    for (const soundKit *k : kept) {
        for (const QString &source : sourcesOf(*k)) {
            if (!now.contains(source))
                back.insert(source);
        }
    }
    if (back.isEmpty())
        return {};
    QStringList unanswered;
    QStringList gone = m_soundGone(QStringList(back.cbegin(), back.cend()), &unanswered);
    std::sort(gone.begin(), gone.end());
    std::sort(unanswered.begin(), unanswered.end());
    QStringList out;
    for (const QString &source : qAsConst(gone))
        out.append(tr("The sound %1 is gone.").arg(source));
    for (const QString &source : qAsConst(unanswered))
        out.append(tr("The drive of the sound %1 does not answer.").arg(source));
    return out;
}

void KitDocument::moveHeld(const std::function<void(int, soundKit &, QVector<KIT_PAD_SETTING> &)> &fn)
{
    for (HeldKits *held : qAsConst(m_held))
        held->forEachKit(fn);
}
