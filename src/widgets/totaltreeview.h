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

    // The actions shared by all total lists; made on first use, their texts
    // in the installed language (set again by each new list and when it changes).
    static QAction *deleteSoundAction();
    static QAction *exportSoundAction();
    static QAction *right_del_sound;
    static QAction *right_export_sound;

    QMenu *contextMenu() const { return menu; }
    bool doubleClickFlag() const { return dclFlag; }
    // True while the last press in this list was a right press.
    bool isRight() const { return m_isRight; }

signals:
    void sendDoubleClickItem(bool flag);
    void sendSelectItem(bool flag);

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static void translateActions();

    QMenu *menu = nullptr;
    bool dclFlag = false;
    bool m_isRight = false;
};
