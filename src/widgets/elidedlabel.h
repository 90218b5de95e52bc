#pragma once

#include <QLabel>

// One-line label of a name that may be longer than the room it gets: it asks
// for its whole text but takes less without widening anything around it,
// shows the name elided in the middle then, and its tool tip shows it whole.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    // One line high, of no width of its own.
    QSize minimumSizeHint() const override;
    // True when the text does not fit and shows elided.
    bool isElided() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRoom() const;
};
