#pragma once

#include <QTreeView>

class QAction;
class QKeyEvent;
class QMenu;
class QMouseEvent;

// True while the last press in a total sound list was a right press.
extern bool isRight;

// Tree view of the total sound list, with "Export Sound" and "Delete Sound"
// in its context menu.
class TotalTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit TotalTreeView(QWidget *parent = nullptr);
    ~TotalTreeView() override;

    // The actions shared by all total lists; made on first use.
    static QAction *deleteSoundAction();
    static QAction *exportSoundAction();
    static QAction *right_del_sound;
    static QAction *right_export_sound;

    QMenu *contextMenu() const { return menu; }
    bool doubleClickFlag() const { return dclFlag; }

signals:
    void sendDoubleClickItem(bool flag);
    void sendSelectItem(bool flag);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QMenu *menu = nullptr;
    bool dclFlag = false;
};
