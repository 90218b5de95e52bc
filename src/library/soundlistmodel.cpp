#include "library/soundlistmodel.h"

#include <QCoreApplication>
#include <QSignalBlocker>

namespace {

QStringList headersOf(SoundListModel::Kind kind)
{
    const QString name = QCoreApplication::translate("MainWindow1", "Name");
    const QString file = QCoreApplication::translate("MainWindow1", "File");
    switch (kind) {
    case SoundListModel::Kind::Total:
        return {QCoreApplication::translate("MainWindow1", "Item"), name, file};
    case SoundListModel::Kind::Metronome:
        return {QCoreApplication::translate("MainWindow1", "Index"), name, file};
    case SoundListModel::Kind::Mirror:
    case SoundListModel::Kind::Groups:
        break;
    }
    return {name, file};
}

} // namespace

SoundListModel::SoundListModel(Kind kind, QObject *parent)
    : QStandardItemModel(parent)
    , m_kind(kind)
{
    rebuild();
}

QStandardItem *SoundListModel::root() const
{
    if (m_kind == Kind::Metronome)
        return item(0, 0);
    return m_root;
}

QModelIndex SoundListModel::rootIndex() const
{
    const QStandardItem *r = root();
    return r ? r->index() : QModelIndex();
}

int SoundListModel::soundCount() const
{
    const QStandardItem *r = root();
    return r ? r->rowCount() : 0;
}

const QStandardItem *SoundListModel::soundItem(int row, int column) const
{
    const QStandardItem *r = root();
    return r && row >= 0 && row < r->rowCount() ? r->child(row, column) : nullptr;
}

QString SoundListModel::soundText(int row, int column) const
{
    const QStandardItem *cell = soundItem(row, column);
    return cell ? cell->text() : QString();
}

QModelIndex SoundListModel::soundIndex(int row, int column) const
{
    const QModelIndex r = rootIndex();
    return r.isValid() ? index(row, column, r) : QModelIndex();
}

QString SoundListModel::textBefore(const QModelIndex &cell, const QString &otherwise) const
{
    return cell.isValid() && cell == m_edited ? m_editedText : otherwise;
}

bool SoundListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role == Qt::EditRole || role == Qt::DisplayRole) {
        m_edited = index;
        m_editedText = index.data(Qt::DisplayRole).toString();
    }
    const bool set = QStandardItemModel::setData(index, value, role);
    m_edited = QPersistentModelIndex(); // told to the itemChanged slots only
    return set;
}

void SoundListModel::rebuild(const std::function<void()> &fill)
{
    // Quiet while the rows are made: the views take them in at the reset.
    quietly([this, &fill] {
        clear();
        setHorizontalHeaderLabels(headersOf(m_kind));
        m_root = nullptr;
        if (m_kind == Kind::Total || m_kind == Kind::Mirror) {
            m_root = new QStandardItem(QCoreApplication::translate("MainWindow1", "waveList"));
            if (m_kind == Kind::Total)
                m_root->setEditable(false);
            appendRow(m_root);
        }
        if (fill)
            fill();
    });
}

void SoundListModel::quietly(const std::function<void()> &change)
{
    {
        const QSignalBlocker quiet(this);
        change();
    }
    beginResetModel();
    endResetModel();
    emit rebuilt();
}
