#include "widgets/loopprogress.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

LoopProgress::LoopProgress(QWidget *parent)
    : QDialog(parent)
{
    resize(100, 100);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);

    timer = new QTimer;
    connect(timer, &QTimer::timeout, this, &LoopProgress::updaterRotation);
}

LoopProgress::~LoopProgress()
{
    delete timer;
}

void LoopProgress::updaterRotation()
{
    rotation += 3.0;
    if (rotation == 360.0)
        rotation = 0.0;
    update();
}

void LoopProgress::recvWave1G()
{
}

void LoopProgress::recvWaveDone()
{
}

void LoopProgress::paintEvent(QPaintEvent *)
{
    const int side = qMin(width(), height());

    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(width() / 2, height() / 2);
    painter.scale(side / 200.0, side / 200.0);

    QConicalGradient gradient(0, 0, 0);
    gradient.setColorAt(0, QColor(QStringLiteral("#3BB6FE")));
    gradient.setColorAt(1, QColor(QStringLiteral("#FFFFFF")));

    QPainterPath pie;
    pie.moveTo(0, 0);
    pie.arcTo(QRectF(-40, -40, 80, 80), 0, 270);
    pie.lineTo(0, 0);
    QPainterPath hole;
    hole.addEllipse(QRectF(-30, -30, 60, 60));
    const QPainterPath ring = pie.subtracted(hole);

    painter.rotate(rotation);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawPath(ring);
}
