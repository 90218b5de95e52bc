#pragma once

#include <QDialog>

class QTimer;

// Frameless busy ring: a three-quarter ring turned by 3 degrees per tick.
class LoopProgress : public QDialog
{
    Q_OBJECT
public:
    explicit LoopProgress(QWidget *parent = nullptr);
    ~LoopProgress() override;

    double rotationAngle() const { return rotation; }
    QTimer *rotationTimer() const { return timer; }

public slots:
    void updaterRotation();
    void recvWave1G();
    void recvWaveDone();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer = nullptr;
    double rotation = 0.0;
    QDialog *lpDialog = nullptr;
};
