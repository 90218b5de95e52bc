#pragma once

#include <QTreeView>

class QAction;
class QEvent;
class QMenu;
class QMouseEvent;

// Tree view of the sound groups, with a "Delete Sound" context menu.
class WaveTreeView1 : public QTreeView
{
    Q_OBJECT
public:
    explicit WaveTreeView1(QWidget *parent = nullptr);
    ~WaveTreeView1() override;

    // The "Delete Sound" action shared by all group trees; made on first use,
    // its text in the installed language (set again at each call).
    static QAction *delSoundAction();
    static QAction *del_sound;

    QMenu *contextMenu() const { return menu; }
    // True while the last press in this tree was a right press.
    bool isLeftWave() const { return m_isLeftWave; }

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QMenu *menu = nullptr;
    bool m_isLeftWave = false;
};
