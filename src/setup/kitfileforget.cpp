#include "setup/kitfileforget.h"

#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"

#include <QDir>
#include <QIcon>
#include <QStandardItem>

namespace setupjob {

namespace {

// The total list's rows of the file, removed a run of neighbours at a time
// from the end; true when there were any.
bool removeFileRows(QStandardItem *total, const setupfiles::StoredIn &storedIn)
{
    bool found = false;
    auto ofFile = [total, &storedIn](int row) {
        const QStandardItem *source = total->child(row, 2);
        return source && storedIn(source->text());
    };
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
    return found;
}

// Numbers and locks of the total list's rows from the working list.
void renumberRows(QStandardItem *total, const QVector<SoundLibrary::SOUND_INDEX> &list)
{
    QHash<QString, int> firstByFile;
    for (int i = list.size() - 1; i >= 0; --i)
        firstByFile.insert(list.at(i).file, i);
    const QIcon lock(QStringLiteral(":/images/lock.png"));
    for (int r = 0; r < total->rowCount(); ++r) {
        const QStandardItem *source = total->child(r, 2);
        const int i = source ? firstByFile.value(source->text(), -1) : -1;
        auto *number = new QStandardItem(QStringLiteral("0"));
        if (i >= 0) {
            const SoundLibrary::SOUND_INDEX &s = list.at(i);
            number->setText(QString::number(s.wave_No));
            if (s.wave_lock == 0)
                number->setIcon(lock);
        }
        number->setEditable(false);
        total->setChild(r, 0, number);
    }
}

} // namespace

void moveSharedSounds(KitDocument &doc, SoundLibrary &library, const QHash<QString, QString> &moved)
{
    if (moved.isEmpty())
        return;
    for (SoundLibrary::SOUND_INDEX &s : library.waveLoadKitAttrList)
        s.file = moved.value(s.file, s.file);
    doc.moveSharedSounds(moved);
    for (QStandardItem *root : {library.totalGroup, library.hhGroup}) {
        const int column = root == library.totalGroup ? 2 : 1;
        for (int r = 0; root && r < root->rowCount(); ++r) {
            QStandardItem *source = root->child(r, column);
            if (source && moved.contains(source->text()))
                source->setText(moved.value(source->text()));
        }
    }
}

QHash<QString, QString> forgetKitFile(KitDocument &doc, SoundLibrary &library, const QString &path)
{
    const setupfiles::StoredIn storedIn(QDir::toNativeSeparators(path));
    const QHash<QString, QString> moved = library.sharedSounds.handOver(storedIn);
    moveSharedSounds(doc, library, moved);
    library.sharedSounds.forget(storedIn);
    doc.forgetKitFileSounds(storedIn);
    if (!library.totalGroup)
        return moved;
    if (removeFileRows(library.totalGroup, storedIn))
        setupfiles::removeKitFileSounds(library.waveLoadKitAttrList, storedIn);
    renumberRows(library.totalGroup, library.waveLoadKitAttrList);
    return moved;
}

QHash<QString, QString> handOverFromChangedFiles(KitDocument &doc, SoundLibrary &library)
{
    if (library.sharedSounds.twins().isEmpty())
        return {};
    setupfiles::StoredSoundLocator files(library.loadedKitFiles);
    const QHash<QString, QString> moved = library.sharedSounds.handOverWhere([&files](const QString &source) {
        const setupfiles::StoredRef ref = setupfiles::parseStoredSource(source);
        const int r = ref.isStored() ? files.recordOf(ref.kitFile) : -1;
        const int e = r < 0 ? -1 : files.entryOf(r, source);
        return e < 0 || files.verify(r, e) != setupfiles::CollectError::None;
    });
    moveSharedSounds(doc, library, moved);
    return moved;
}

} // namespace setupjob
