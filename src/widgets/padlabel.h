#pragma once

#include <QLabel>

class QMouseEvent;

// Label of one pad layer; reports left and right presses with its object name.
// Its name takes the room the pad gives it and never widens the pad: a name
// too long for it is elided in the middle, and its tool tip shows it whole.
class PadLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PadLabel(QWidget *parent = nullptr);

    // One line high, of no width of its own.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // True when the name does not fit and shows elided.
    bool isElided() const;

signals:
    void clickRight(QString objName);
    void clickLeft(QString objName);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRoom() const;
};
