#pragma once

#include <QStandardItemModel>

#include <functional>

class SoundLibrary;

// The rows of one of the sound library's lists, as its views show them: the
// total list and its hi-hat mirror under their one root row "waveList", the
// groups with their sounds, the metronome list under its group, and the
// kit-by-kit list of sound uses. The library owns the models for its whole
// life and is the only one to change their rows; an editor in a view may
// change a name cell, which the window then hands to the library.
class SoundListModel : public QStandardItemModel
{
    Q_OBJECT
public:
    enum class Kind { Total, Mirror, Groups, Metronome };

    Kind kind() const { return m_kind; }
    // The row the sounds stand under: the root of the total list and the
    // mirror, the metronome group; invalid for the groups and the kit order.
    QModelIndex rootIndex() const;
    // The sound rows under that row (0 when there is none).
    int soundCount() const;
    // A cell of sound row `row`; null when there is none.
    const QStandardItem *soundItem(int row, int column) const;
    // Its text, empty when there is no such cell.
    QString soundText(int row, int column) const;
    QModelIndex soundIndex(int row, int column = 0) const;
    // What `cell` showed before an editor last set its text; `otherwise`
    // when no editor did (its text was set in code).
    QString textBefore(const QModelIndex &cell, const QString &otherwise) const;

    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The rows were made anew: the views took them in with a reset, which
    // dropped their column settings and expanded rows.
    void rebuilt();

private:
    friend class SoundLibrary;
    SoundListModel(Kind kind, QObject *parent);

    QStandardItem *root() const;
    // The rows made anew: headers and root of the kind, then `fill`; the
    // views see one reset once the rows stand.
    void rebuild(const std::function<void()> &fill = std::function<void()>());
    // Many rows changed by `change` at once: the views see one reset after it.
    void quietly(const std::function<void()> &change);

    const Kind m_kind;
    QStandardItem *m_root = nullptr; // the total list's and the mirror's
    QPersistentModelIndex m_edited;  // the cell an editor set last, and its text before
    QString m_editedText;
};
