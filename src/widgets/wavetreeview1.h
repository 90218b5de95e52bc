#pragma once

#include <QTreeView>

class QAction;
class QEvent;
class QMenu;
class QMouseEvent;

// Tree view of the sound groups, with a "Delete Sound" context menu. A name
// that does not show whole (elided, or running past the view) has its tool
// tip.
class WaveTreeView1 : public QTreeView
{
    Q_OBJECT
public:
    explicit WaveTreeView1(QWidget *parent = nullptr);
    ~WaveTreeView1() override;

    // The "Delete Sound" action of its context menu, its text in the installed language.
    QAction *delSoundAction() const { return m_deleteSound; }

    QMenu *contextMenu() const { return menu; }
    // True while the last press in this tree was a right press.
    bool isLeftWave() const { return m_isLeftWave; }

    // True when the text of `index` does not show whole.
    bool isTextCut(const QModelIndex &index) const;

protected:
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QAction *m_deleteSound = nullptr;
    QMenu *menu = nullptr;
    bool m_isLeftWave = false;
};
