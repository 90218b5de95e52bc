#pragma once

#include <QTreeView>

class QAction;
class QEvent;
class QKeyEvent;
class QMenu;
class QMouseEvent;

// Tree view of the total sound list, with "Export Sound" and "Delete Sound"
// in its context menu.
class TotalTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit TotalTreeView(QWidget *parent = nullptr);
    ~TotalTreeView() override;

    // The actions of its context menu, their texts in the installed language.
    QAction *deleteSoundAction() const { return m_deleteSound; }
    QAction *exportSoundAction() const { return m_exportSound; }

    QMenu *contextMenu() const { return menu; }
    // True while the last press in this list was a right press.
    bool isRight() const { return m_isRight; }

signals:
    void sendSelectItem(bool flag);

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void translateActions();

    QAction *m_deleteSound = nullptr;
    QAction *m_exportSound = nullptr;
    QMenu *menu = nullptr;
    bool m_isRight = false;
};
