#include "library/soundlibrary.h"

#include "library/clicksounds.h"
#include "library/kitusage.h"
#include "library/soundlistmodel.h"
#include "library/soundorder.h"
#include "kitfile/kitfiles.h"
#include "kitfile/lostsounds.h"
#include "model/wavekitindex.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>

#include <memory>

namespace {

const char kLockIcon[] = ":/images/lock.png";

QIcon lockIcon(bool locked)
{
    static const QIcon lock(QString::fromLatin1(kLockIcon));
    return locked ? lock : QIcon(QString());
}

QStandardItem *fixedItem(const QString &text, const QIcon &icon = QIcon())
{
    auto *item = new QStandardItem(icon, text);
    item->setEditable(false);
    return item;
}

// The cells of `column` under `parent` whose text `to` names take the new text.
void repointCells(QStandardItem *parent, int column, const QHash<QString, QString> &to)
{
    for (int r = 0; parent && r < parent->rowCount(); ++r) {
        QStandardItem *cell = parent->child(r, column);
        const auto it = cell ? to.constFind(cell->text()) : to.constEnd();
        if (it != to.constEnd())
            cell->setText(it.value());
    }
}

// The rows under `parent` whose `column` text `gone` names are removed.
void removeRowsOf(QStandardItem *parent, int column, const QHash<QString, quint16> &gone)
{
    for (int r = parent && !gone.isEmpty() ? parent->rowCount() - 1 : -1; r >= 0; --r) {
        const QStandardItem *cell = parent->child(r, column);
        if (cell && gone.contains(cell->text()))
            parent->removeRow(r);
    }
}

// More rows than this leave a list by showing the rows after them anew.
constexpr int kManyRows = 128;

// Rows `rows` (descending) of `parent` go. Each row after one that went has
// moved, and a moved item is found again only by a search as long as its
// move: once many rows went, rebuilding or clearing a list of thousands
// would take long. So when many go, the rows after the first of them are
// shown anew as copies, at the places they are put at.
void dropRows(QStandardItem *parent, const QVector<int> &rows)
{
    if (rows.size() <= kManyRows) {
        for (int r : rows) {
            if (r >= 0 && r < parent->rowCount())
                parent->removeRow(r);
        }
        return;
    }
    const int count = parent->rowCount();
    QVector<bool> gone(count, false);
    int first = count;
    for (int r : rows) {
        if (r >= 0 && r < count) {
            gone[r] = true;
            first = qMin(first, r);
        }
    }
    if (first == count)
        return;
    QVector<QList<QStandardItem *>> kept;
    for (int r = first + 1; r < count; ++r) {
        if (gone.at(r))
            continue;
        QList<QStandardItem *> row;
        for (int c = 0; c < parent->columnCount(); ++c) {
            const QStandardItem *cell = parent->child(r, c);
            row.append(cell ? cell->clone() : nullptr);
        }
        kept.append(row);
    }
    parent->removeRows(first, count - first);
    for (const QList<QStandardItem *> &row : qAsConst(kept))
        parent->appendRow(row);
}

} // namespace

SoundLibrary::SoundLibrary(const QString &clickFolder, std::shared_ptr<ztplatform::Leftovers> leftovers,
                           std::shared_ptr<ztplatform::FolderFence> fence,
                           std::shared_ptr<ztplatform::SilentFiles> silent, QObject *parent)
    : QObject(parent)
    , m_leftovers(std::move(leftovers))
    , m_fence(std::move(fence))
    , m_silent(ztplatform::orNewSilentFiles(std::move(silent)))
    , m_total(new SoundListModel(SoundListModel::Kind::Total, this))
    , m_mirror(new SoundListModel(SoundListModel::Kind::Mirror, this))
    , m_groups(new SoundListModel(SoundListModel::Kind::Groups, this))
    , m_clicks(new SoundListModel(SoundListModel::Kind::Metronome, this))
{
    m_currentOldGroupName = m_total->m_root->text();
    m_clickFolder = clickFolder.isEmpty() ? clicksounds::defaultFolder() : clickFolder;
}

QStringList SoundLibrary::defaultClickFiles() const
{
    return clicksounds::folderFiles(ztplatform::diskOf(m_fence), m_clickFolder);
}

SoundLibrary::~SoundLibrary() = default;

SoundLibrary::Edit::Edit(SoundLibrary *lib, int changes, bool told)
    : m_lib(lib)
    , m_sounds(changes & Sounds)
{
    lib->touch(changes);
    if (m_sounds) {
        ++lib->m_listEdits;
        if (lib->m_soundsDepth++ == 0)
            lib->soundsEditBegins(told);
    }
    ++lib->m_editDepth;
    lib->m_changes |= changes;
}

SoundLibrary::Edit::~Edit()
{
    if (m_sounds && --m_lib->m_soundsDepth == 0)
        m_lib->soundsEditEnds();
    if (--m_lib->m_editDepth > 0)
        return;
    const int changes = m_lib->m_changes;
    m_lib->m_changes = 0;
    if (changes & Sounds)
        emit m_lib->soundsChanged();
    if (changes & Groups)
        emit m_lib->groupsChanged();
    if (changes & Clicks)
        emit m_lib->clickSoundsChanged();
}

void SoundLibrary::useDarkIcons(bool dark)
{
    const QIcon songIcon(QString::fromLatin1(dark ? ":/images/song16x16.png" : ":/images/song16x16_2.png"));
    const int groups = m_groups->rowCount();
    for (int g = 0; g < groups; ++g) {
        QStandardItem *group = m_groups->item(g, 0);
        for (int r = 0; group && r < group->rowCount(); ++r) {
            if (QStandardItem *sound = group->child(r, 0))
                sound->setIcon(songIcon);
        }
    }
    // The lock icon of each locked sound; each wave number answers with its first record.
    const QIcon lock(QString::fromLatin1(dark ? ":/images/lock2.png" : kLockIcon));
    WaveKitIndex first;
    first.build(m_waveLoadKitAttrList.constData(), m_waveLoadKitAttrList.size());
    for (int r = 0; r < m_total->soundCount(); ++r) {
        QStandardItem *item = m_total->m_root->child(r, 0);
        if (!item)
            continue;
        bool ok = false;
        const int entry = first.firstEntry(item->text().toUShort(&ok));
        if (ok && entry >= 0 && m_waveLoadKitAttrList.at(entry).wave_lock == 0)
            item->setIcon(lock);
    }
}

QVector<setupfiles::TotalRow> SoundLibrary::totalRows() const
{
    QVector<setupfiles::TotalRow> rows;
    const int count = m_total->soundCount();
    rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        const QString path = m_total->soundText(r, 2);
        if (!path.isEmpty())
            rows.append({m_total->soundText(r, 1), path});
    }
    return rows;
}

int SoundLibrary::soundRowOf(const QString &path) const
{
    return m_totalPathIndex.row(m_total, m_total->m_root, path);
}

int SoundLibrary::lastWaveNumber() const
{
    return m_waveLoadKitAttrList.isEmpty() ? 0 : m_waveLoadKitAttrList.constLast().wave_No;
}

void SoundLibrary::addSound(const QString &name, const QString &path, quint16 waveNo, bool showRow)
{
    const bool appendOnly = m_namesSeen == m_listEdits && m_editDepth == 0;
    const Edit edit(this, Sounds, true);
    ListPlan plan;
    plan.tail[ListPlan::Entries] = m_waveLoadKitAttrList.size();
    if (showRow) {
        plan.tail[ListPlan::Names] = m_soundList.size();
        plan.tail[ListPlan::Total] = m_total->m_root->rowCount();
        plan.tail[ListPlan::Mirror] = qMin(m_mirror->m_root->rowCount(), m_total->m_root->rowCount());
    }
    tellSounds(plan);
    if (appendOnly)
        m_namesSeen = m_listEdits; // the name index reads only the entry appended
    if (showRow) {
        m_soundList.append(name);
        // Whole rows at once: one insertion each, no cell-by-cell changes.
        QStandardItem *total = m_total->m_root;
        QStandardItem *mirror = m_mirror->m_root;
        const int row = total->rowCount();
        total->appendRow({fixedItem(QString::number(waveNo)), new QStandardItem(name), new QStandardItem(path)});
        // The hi-hat list mirrors the total list row for row.
        if (mirror->rowCount() <= row) {
            mirror->setRowCount(row);
            mirror->appendRow({new QStandardItem(name), new QStandardItem(path)});
        } else {
            mirror->setChild(row, 0, new QStandardItem(name));
            mirror->setChild(row, 1, new QStandardItem(path));
        }
    }
    SOUND_INDEX entry;
    percussionpadfile::str2CharArray(name, entry.wave_name, SOUND_NAME_LENGTH_MAX);
    entry.file = path;
    entry.wave_No = waveNo;
    entry.wave_lock = 1;
    m_waveLoadKitAttrList.append(entry);
}

QVector<QString> SoundLibrary::getSoundFileList(const QVector<soundKit> &kits) const
{
    return kitusage::usedSoundFiles(m_waveLoadKitAttrList, kits);
}

QStringList SoundLibrary::librarySources() const
{
    QStringList out;
    for (const SOUND_INDEX &s : m_waveLoadKitAttrList)
        out.append(s.file);
    for (const soundfilexml::strSoundGroup &g : m_soundGroupList) {
        for (const soundfilexml::strSoundItem &item : g.soundList)
            out.append(item.file);
    }
    for (const SOUND_LIST_INFO &click : m_clickList)
        out.append(click.file);
    return out;
}

namerules::NamesInUse SoundLibrary::soundNamesInUse(bool withList) const
{
    namerules::NamesInUse names;
    if (withList) {
        for (const SOUND_INDEX &s : m_waveLoadKitAttrList)
            names.add(percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX), s.file);
    }
    for (const soundfilexml::strSoundGroup &g : m_soundGroupList) {
        for (const soundfilexml::strSoundItem &item : g.soundList)
            names.add(item.name.trimmed(), item.file);
    }
    return names;
}

const namerules::NamesInUse &SoundLibrary::soundNameIndex() const
{
    const namerules::NamesInUse &names =
            m_nameIndex.names(m_waveLoadKitAttrList, m_soundGroupList, m_namesSeen == m_listEdits);
    // Within an edit the list may change further with no edit begun.
    m_namesSeen = m_editDepth == 0 ? m_listEdits : 0;
    return names;
}

setupfiles::SoundBytes SoundLibrary::soundBytes(bool apart) const
{
    struct Held
    {
        Held(const QVector<READ_KIT_FILE> &loaded, bool apart, bool clicksFirst,
             const std::shared_ptr<ztplatform::SilentFiles> &silent, const ztplatform::Waiter &wait)
            : copy(apart ? loaded : QVector<READ_KIT_FILE>())
            , entries(apart ? copy : loaded, clicksFirst, silent, wait)
        {
        }
        const QVector<READ_KIT_FILE> copy;
        soundsource::StoredEntries entries;
    };
    // Looked at here, the window paints while a drive is awaited.
    const ztplatform::Waiter wait = apart ? ztplatform::Waiter() : m_lookWait;
    const auto held =
            std::make_shared<Held>(m_loadedKitFiles, apart, m_loadClickFlag && !m_clickDeviceFlag, m_silent, wait);
    return setupfiles::SoundBytes(m_silent, [held](const QString &source) {
        setupfiles::SoundBytes::Place place;
        const READ_KIT_FILE *kit = nullptr;
        const int e = held->entries.find(source, &kit);
        if (e >= 0 && kit) {
            const percussionpadfile::P_SOUND_INDEX &entry = kit->info.soundChunk.soundIndex[e];
            place.file = kit->file;
            place.start = entry.wave_start;
            place.length = entry.wave_length;
        }
        return place;
    }, wait, m_fence);
}

void SoundLibrary::clearSoundRows()
{
    const Edit edit(this, Sounds);
    m_total->rebuild();
    m_currentOldGroupName = m_total->m_root->text();
}

void SoundLibrary::clearMirrorRows()
{
    const Edit edit(this, Sounds);
    m_mirror->rebuild();
}

void SoundLibrary::mirrorSoundRows()
{
    const Edit edit(this, Sounds);
    m_mirror->rebuild([this] {
        QStandardItem *mirror = m_mirror->m_root;
        const int rows = m_total->soundCount();
        for (int i = 0; i < rows; ++i)
            mirror->appendRow(
                    {new QStandardItem(m_total->soundText(i, 1)), new QStandardItem(m_total->soundText(i, 2))});
    });
}

void SoundLibrary::takeSoundRecords(const QVector<SOUND_INDEX> &records)
{
    const bool indexed = m_namesSeen == m_listEdits && m_editDepth == 0;
    {
        const Edit edit(this, Sounds);
        m_waveLoadKitAttrList = records;
    }
    // The names follow the whole list now, not at the next sound added.
    if (indexed)
        soundNameIndex();
}

void SoundLibrary::loadPadSounds(const QVector<SOUND_INDEX> &sounds)
{
    const Edit edit(this, Sounds);
    m_waveLoadKitAttrList = sounds;
    showPadSounds(sounds);
}

void SoundLibrary::showSounds(const QVector<soundorder::Row> &rows, bool numbersEditable, bool namesEditable)
{
    const Edit edit(this, Sounds);
    m_total->rebuild([this, &rows, numbersEditable, namesEditable] {
        for (const soundorder::Row &row : rows) {
            auto *number = new QStandardItem(lockIcon(row.locked), QString::number(row.number));
            number->setEditable(numbersEditable);
            auto *name = new QStandardItem(row.name);
            name->setEditable(namesEditable);
            m_total->m_root->appendRow({number, name, new QStandardItem(row.file)});
        }
    });
    m_currentOldGroupName = m_total->m_root->text();
    mirrorSoundRows();
    noteRowNames();
}

void SoundLibrary::showPadSounds(const QVector<SOUND_INDEX> &sounds)
{
    for (const SOUND_INDEX &s : sounds) {
        const QString name = percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
        m_total->m_root->appendRow({fixedItem(QString::number(s.wave_No), lockIcon(s.wave_lock == 0)),
                                    fixedItem(name), new QStandardItem(s.file)});
        m_mirror->m_root->appendRow({new QStandardItem(name), new QStandardItem(s.file)});
    }
}

void SoundLibrary::noteRowNames()
{
    const Edit edit(this, Sounds);
    m_soundList.clear();
    m_currentOldGroupName = m_total->m_root->text();
    const int rows = m_total->soundCount();
    m_soundList.reserve(rows);
    for (int i = 0; i < rows; ++i)
        m_soundList.append(m_total->soundText(i, 1));
}

void SoundLibrary::putBackName(const QModelIndex &cell, const QString &name)
{
    const Edit edit(this, cell.model() == m_groups ? Groups : Sounds);
    for (SoundListModel *model : {m_total, m_mirror, m_groups}) {
        if (cell.model() == model) {
            if (QStandardItem *item = model->itemFromIndex(cell))
                item->setText(name);
        }
    }
}

void SoundLibrary::renameSound(int row, const QString &name)
{
    const auto step = userStep(tr("name of sound %1").arg(name), false);
    const Edit edit(this, Sounds, true);
    const QString file = m_total->soundText(row, 2);
    ListPlan plan;
    if (row >= 0 && row < m_soundList.size())
        plan.changed[ListPlan::Names] = {row};
    for (int i = 0; !file.isEmpty() && i < m_waveLoadKitAttrList.size(); ++i) {
        if (m_waveLoadKitAttrList.at(i).file == file)
            plan.changed[ListPlan::Entries].append(i);
    }
    tellSounds(plan);
    if (row >= 0 && row < m_soundList.size())
        m_soundList[row] = name;
    if (file.isEmpty())
        return;
    for (SOUND_INDEX &s : m_waveLoadKitAttrList) {
        if (s.file == file)
            percussionpadfile::str2CharArray(name, s.wave_name, SOUND_NAME_LENGTH_MAX);
    }
}

bool SoundLibrary::nameMirrorRowsOf(const QString &file, const QString &name)
{
    const Edit edit(this, Sounds, true);
    QStandardItem *mirror = m_mirror->m_root;
    ListPlan plan;
    for (int r = 0; r < mirror->rowCount(); ++r) {
        const QStandardItem *fileCell = mirror->child(r, 1);
        if (fileCell && fileCell->text() == file)
            plan.changed[ListPlan::Mirror].append(r);
    }
    tellSounds(plan);
    for (int r : qAsConst(plan.changed[ListPlan::Mirror]))
        mirror->setChild(r, 0, new QStandardItem(name));
    return !plan.changed[ListPlan::Mirror].isEmpty();
}

bool SoundLibrary::nameSoundRowsOf(const QString &file, const QString &name)
{
    const Edit edit(this, Sounds);
    bool found = false;
    QStandardItem *total = m_total->m_root;
    QStandardItem *mirror = m_mirror->m_root;
    for (int r = 0; r < total->rowCount(); ++r) {
        const QStandardItem *fileCell = total->child(r, 2);
        if (!fileCell || fileCell->text() != file)
            continue;
        // Raises the total list's edit handling, which carries the name on.
        total->setChild(r, 1, new QStandardItem(name));
        if (r < mirror->rowCount())
            mirror->setChild(r, 0, new QStandardItem(name));
        found = true;
    }
    return found;
}

void SoundLibrary::settleSoundName(int row)
{
    const Edit edit(this, Sounds, true);
    QStandardItem *name = m_total->m_root->child(row, 1);
    ListPlan plan;
    if (name)
        plan.changed[ListPlan::Total] = {row};
    tellSounds(plan);
    if (name)
        name->setEditable(false);
}

void SoundLibrary::lockSounds(const QVector<int> &rows, bool lock)
{
    const Edit edit(this, Sounds, true);
    QHash<quint16, int> byNumber;
    for (int i = m_waveLoadKitAttrList.size() - 1; i >= 0; --i)
        byNumber.insert(m_waveLoadKitAttrList.at(i).wave_No, i);
    QVector<QPair<int, int>> locked; // row, entry
    for (int row : rows) {
        const QStandardItem *cell = m_total->m_root->child(row, 0);
        bool ok = false;
        const int number = cell ? cell->text().toInt(&ok) : -1;
        const int record = ok && number >= 0 && number <= 0xFFFF ? byNumber.value(quint16(number), -1) : -1;
        if (record >= 0)
            locked.append({row, record});
    }
    ListPlan plan;
    for (const QPair<int, int> &l : qAsConst(locked)) {
        plan.changed[ListPlan::Total].append(l.first);
        plan.changed[ListPlan::Entries].append(l.second);
    }
    for (QVector<int> *places : {&plan.changed[ListPlan::Total], &plan.changed[ListPlan::Entries]}) {
        std::sort(places->begin(), places->end());
        places->erase(std::unique(places->begin(), places->end()), places->end());
    }
    tellSounds(plan);
    for (const QPair<int, int> &l : qAsConst(locked)) {
        m_total->m_root->child(l.first, 0)->setIcon(lockIcon(lock));
        m_waveLoadKitAttrList[l.second].wave_lock = lock ? 0 : 1;
    }
}

QVector<QPair<int, SoundLibrary::SOUND_INDEX>> SoundLibrary::removeSounds(const QVector<int> &rows,
                                                                          const QVector<bool> &records)
{
    const auto step = userStep(rows.size() == 1 ? tr("DEL of sound %1").arg(m_total->soundText(rows.first(), 1))
                                                : tr("DEL of %1 sounds").arg(rows.size()),
                               false);
    // Rows each once, from the last: the step keeps the rows that go, with their places.
    bool descending = true;
    for (int i = 1; i < rows.size(); ++i)
        descending = descending && rows.at(i) < rows.at(i - 1);
    const Edit edit(this, Sounds, descending);
    if (descending) {
        ListPlan plan;
        const int sizes[4] = {m_waveLoadKitAttrList.size(), m_soundList.size(), m_total->m_root->rowCount(),
                              m_mirror->m_root->rowCount()};
        for (int seq = ListPlan::Names; seq <= ListPlan::Mirror; ++seq) {
            for (int i = rows.size() - 1; i >= 0; --i) {
                if (rows.at(i) >= 0 && rows.at(i) < sizes[seq])
                    plan.removed[seq].append(rows.at(i));
            }
        }
        for (int i = 0; i < sizes[ListPlan::Entries] && i < records.size(); ++i) {
            if (records.at(i))
                plan.removed[ListPlan::Entries].append(i);
        }
        tellSounds(plan);
    }
    // The names keep one entry per row, taken out as the rows are.
    if (rows.size() <= kManyRows) {
        for (int r : rows) {
            if (r >= 0 && r < m_soundList.size())
                m_soundList.removeAt(r);
        }
    } else {
        QVector<bool> gone(m_soundList.size(), false);
        for (int r : rows) {
            if (r >= 0 && r < gone.size())
                gone[r] = true;
        }
        QStringList names;
        names.reserve(m_soundList.size());
        for (int i = 0; i < gone.size(); ++i) {
            if (!gone.at(i))
                names.append(m_soundList.at(i));
        }
        m_soundList = names;
    }
    dropRows(m_total->m_root, rows);
    dropRows(m_mirror->m_root, rows);
    QVector<QPair<int, SOUND_INDEX>> taken;
    int kept = 0;
    for (int i = 0; i < m_waveLoadKitAttrList.size(); ++i) {
        if (i >= records.size() || !records.at(i))
            m_waveLoadKitAttrList[kept++] = m_waveLoadKitAttrList.at(i);
        else
            taken.append(qMakePair(i, m_waveLoadKitAttrList.at(i)));
    }
    m_waveLoadKitAttrList.resize(kept);
    return taken;
}

void SoundLibrary::soundWrittenToPad(int record, quint16 number, const QString &name, const QString &device)
{
    const Edit edit(this, Sounds, true);
    ListPlan plan;
    plan.tail[ListPlan::Total] = m_total->m_root->rowCount();
    plan.tail[ListPlan::Mirror] = m_mirror->m_root->rowCount();
    if (record >= 0 && record < m_waveLoadKitAttrList.size())
        plan.changed[ListPlan::Entries] = {record};
    tellSounds(plan);
    m_total->m_root->appendRow(
            {fixedItem(QString::number(number), QIcon()), fixedItem(name), new QStandardItem(device)});
    m_mirror->m_root->appendRow({new QStandardItem(name), new QStandardItem(device)});
    if (record < 0 || record >= m_waveLoadKitAttrList.size())
        return;
    SOUND_INDEX entry;
    entry.file = QDir::toNativeSeparators(device);
    entry.wave_No = number;
    entry.wave_lock = 1;
    percussionpadfile::str2CharArray(name, entry.wave_name, SOUND_NAME_LENGTH_MAX);
    m_waveLoadKitAttrList[record] = entry;
}

void SoundLibrary::removeSoundRecords(const QVector<int> &records)
{
    const Edit edit(this, Sounds);
    for (int i = records.size() - 1; i >= 0; --i) {
        if (records.at(i) >= 0 && records.at(i) < m_waveLoadKitAttrList.size())
            m_waveLoadKitAttrList.removeAt(records.at(i));
    }
}

QVector<int> SoundLibrary::renumberSounds()
{
    const Edit edit(this, Sounds);
    QVector<int> before;
    before.reserve(m_waveLoadKitAttrList.size());
    for (int i = 0; i < m_waveLoadKitAttrList.size(); ++i) {
        before.append(m_waveLoadKitAttrList.at(i).wave_No);
        m_waveLoadKitAttrList[i].wave_No = quint16(i + 1);
    }
    return before;
}

void SoundLibrary::restoreSoundNumbers(const QVector<int> &numbers)
{
    const Edit edit(this, Sounds);
    for (int i = 0; i < numbers.size() && i < m_waveLoadKitAttrList.size(); ++i)
        m_waveLoadKitAttrList[i].wave_No = quint16(numbers.at(i));
}

QVector<QString> SoundLibrary::moveSoundFiles(const QVector<QPair<int, QString>> &moves)
{
    const Edit edit(this, Sounds);
    // The cells by the files they show before any moves, so that a file
    // moved onto another's old name is not moved twice.
    QHash<QString, QStandardItem *> fileCells;
    for (int row = 0; row < m_total->soundCount(); ++row) {
        if (QStandardItem *cell = m_total->m_root->child(row, 2))
            fileCells.insert(QDir::toNativeSeparators(cell->text()), cell);
    }
    QVector<QString> old;
    for (const QPair<int, QString> &move : moves) {
        if (move.first < 0 || move.first >= m_waveLoadKitAttrList.size()) {
            old.append(QString());
            continue;
        }
        old.append(m_waveLoadKitAttrList.at(move.first).file);
        m_waveLoadKitAttrList[move.first].file = move.second;
        if (QStandardItem *cell = fileCells.value(QDir::toNativeSeparators(old.last())))
            cell->setText(QDir::fromNativeSeparators(move.second));
    }
    return old;
}

void SoundLibrary::moveSounds(const QHash<QString, QString> &to)
{
    const Edit edit(this, Sounds);
    if (to.isEmpty())
        return;
    setupfiles::repointSources(m_waveLoadKitAttrList, to);
    repointCells(m_total->m_root, 2, to);
    repointCells(m_mirror->m_root, 1, to);
}

void SoundLibrary::forgetKitFileSounds(const setupfiles::StoredIn &storedIn)
{
    const Edit edit(this, Sounds);
    QStandardItem *total = m_total->m_root;
    auto ofFile = [total, &storedIn](int row) {
        const QStandardItem *source = total->child(row, 2);
        return source && storedIn(source->text());
    };
    // A run of neighbours at a time, from the end.
    bool found = false;
    for (int r = total->rowCount() - 1; r >= 0;) {
        if (!ofFile(r)) {
            --r;
            continue;
        }
        int first = r;
        while (first > 0 && ofFile(first - 1))
            --first;
        total->removeRows(first, r - first + 1);
        found = true;
        r = first - 1;
    }
    if (found)
        setupfiles::removeKitFileSounds(m_waveLoadKitAttrList, storedIn);
    // Numbers and locks of the rows from the working list.
    QHash<QString, int> firstByFile;
    for (int i = m_waveLoadKitAttrList.size() - 1; i >= 0; --i)
        firstByFile.insert(m_waveLoadKitAttrList.at(i).file, i);
    for (int r = 0; r < total->rowCount(); ++r) {
        const QStandardItem *source = total->child(r, 2);
        const int i = source ? firstByFile.value(source->text(), -1) : -1;
        QStandardItem *number = fixedItem(QStringLiteral("0"));
        if (i >= 0) {
            const SOUND_INDEX &s = m_waveLoadKitAttrList.at(i);
            number->setText(QString::number(s.wave_No));
            if (s.wave_lock == 0)
                number->setIcon(QIcon(QString::fromLatin1(kLockIcon)));
        }
        total->setChild(r, 0, number);
    }
}

QHash<QString, quint16> SoundLibrary::mergeSources(const QHash<QString, QString> &to)
{
    const Edit edit(this, Sounds);
    const QHash<QString, quint16> merged = setupfiles::mergedSources(m_waveLoadKitAttrList, to);
    setupfiles::removeSources(m_waveLoadKitAttrList, merged);
    removeRowsOf(m_total->m_root, 2, merged);
    removeRowsOf(m_mirror->m_root, 1, merged);
    return merged;
}

void SoundLibrary::clearClickRows()
{
    const Edit edit(this, Clicks);
    m_clicks->rebuild();
}

void SoundLibrary::dropClickSounds()
{
    const Edit edit(this, Clicks);
    m_clickList.clear();
}

void SoundLibrary::takeClickRecords(const QVector<SOUND_INDEX> &records)
{
    // Where a save placed the sounds listed, no edit of them: the steps that
    // keep the list stay whole.
    m_clickSetList = records;
    emit clickSoundsChanged();
}

void SoundLibrary::expectPadClickSounds()
{
    const Edit edit(this, Clicks);
    m_clickList.clear();
    m_clickDeviceFlag = true;
}

void SoundLibrary::padClickFolderRead()
{
    m_clickDeviceFlag = false;
}

void SoundLibrary::takeClickSounds(const QVector<SOUND_LIST_INFO> &added, const QVector<SOUND_INDEX> &padRecords)
{
    const Edit edit(this, Clicks);
    m_clickList += added;
    m_clickSetList += padRecords;
    const QString groupName = QCoreApplication::translate("MainWindow1", "Metronome Sound Group");
    QStandardItem *group = nullptr;
    for (int r = m_clicks->rowCount() - 1; r >= 0 && !group; --r) {
        if (m_clicks->item(r, 0) && m_clicks->item(r, 0)->text() == groupName)
            group = m_clicks->item(r, 0);
    }
    if (!group) {
        group = new QStandardItem(groupName);
        m_clicks->appendRow(group);
    }
    for (int i = 0; i < m_clickList.size(); ++i) {
        group->setChild(i, 0, new QStandardItem(QString::number(i + 1)));
        group->setChild(i, 1, new QStandardItem(m_clickList.at(i).name));
        group->setChild(i, 2, new QStandardItem(m_clickList.at(i).file));
    }
}

void SoundLibrary::showLoadedClickSounds()
{
    if (m_clickSetList.isEmpty())
        return;
    auto *group = new QStandardItem(QCoreApplication::translate("MainWindow1", "Metronome Sound Group"));
    m_clicks->appendRow(group);
    for (int k = 0; k < m_clickSetList.size(); ++k) {
        const SOUND_INDEX &s = m_clickSetList.at(k);
        auto *number = new QStandardItem(QString::number(k + 1));
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
        group->setChild(k, 0, number);
        group->setChild(k, 1,
                        new QStandardItem(percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX)));
        group->setChild(k, 2, new QStandardItem(s.file));
    }
}

void SoundLibrary::removeClickSound(const QModelIndex &sound)
{
    const Edit edit(this, Clicks);
    QStandardItem *group = sound.model() == m_clicks ? m_clicks->itemFromIndex(sound.parent()) : nullptr;
    const int row = sound.row();
    if (!group || row < 0 || row >= group->rowCount())
        return;
    group->removeRow(row);
    for (int i = 0; i < group->rowCount(); ++i) {
        if (QStandardItem *number = group->child(i, 0))
            number->setText(QString::number(i + 1));
    }
    // The lists follow the rows one to one.
    if (row < m_clickList.size())
        m_clickList.remove(row);
    if (row < m_clickSetList.size())
        m_clickSetList.remove(row);
}

void SoundLibrary::repointClickSounds(const QHash<QString, QString> &to)
{
    const Edit edit(this, Clicks);
    for (SOUND_LIST_INFO &c : m_clickList)
        c.file = to.value(c.file, c.file);
    setupfiles::repointSources(m_clickSetList, to);
    for (int g = 0; g < m_clicks->rowCount(); ++g)
        repointCells(m_clicks->item(g, 0), 2, to);
}

soundsource::StoredEntries SoundLibrary::storedEntries(const ztplatform::Waiter &wait) const
{
    // The five metronome sounds stand first in a whole setup that holds them.
    return soundsource::StoredEntries(m_loadedKitFiles, m_loadClickFlag && !m_clickDeviceFlag, m_silent, wait,
                                      m_fence);
}

int SoundLibrary::storedSoundEntry(const QString &source, const READ_KIT_FILE **kit,
                                   const ztplatform::Waiter &wait) const
{
    return storedEntries(wait).find(source, kit);
}
