#pragma once

#include "widgets/copykitfunc.h"

#include <QLineEdit>
#include <QPointer>

class QAction;
class QMenu;

// Kit-name field of the top bar: a press selects the whole name, and its
// context menu offers "Kit Copy" through a kit copy dialog of its own.
class LineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit LineEdit(QWidget *parent = nullptr);
    ~LineEdit() override;

    CopyKitFunc *copyKitDialog() const { return copy_kit; }
    QAction *kitCopyAction() const { return kit_copy; }

signals:
    void sendClickRight(int click);
    void sendMainDstKit(int dstKit);

public slots:
    // The kit copy dialog copies from kit `kit`.
    void recvSrcKit(int kit);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QMenu *kit_menu = nullptr;
    QAction *kit_copy = nullptr;
    QPointer<CopyKitFunc> copy_kit;
};
