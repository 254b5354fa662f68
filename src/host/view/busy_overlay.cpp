#include "host/view/busy_overlay.h"

#include <QPainter>

namespace hostfw::view {
namespace {

constexpr int kStepMs = 80;
constexpr int kPhases = 12;

}  // namespace

BusyOverlay::BusyOverlay(QWidget& over) : QWidget(&over) {
    setObjectName(QStringLiteral("animacao"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void BusyOverlay::Start() {
    setGeometry(parentWidget()->rect());
    raise();
    show();
    if (timer_ == 0)
        timer_ = startTimer(kStepMs);
    repaint();
}

void BusyOverlay::Stop() {
    if (timer_ != 0)
        killTimer(timer_);
    timer_ = 0;
    hide();
}

void BusyOverlay::timerEvent(QTimerEvent* /*event*/) {
    phase_ = (phase_ + 1) % kPhases;
    update();
}

void BusyOverlay::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 255, 150));
    const QRect box(width() / 2 - 90, height() / 2 - 30, 180, 60);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Window));
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box.adjusted(0, 6, 0, -26), Qt::AlignCenter, QStringLiteral("Aguarde…"));
    const int cell = (box.width() - 20) / kPhases;
    for (int i = 0; i < kPhases; ++i) {
        const QColor color = i == phase_ ? palette().color(QPalette::Highlight)
                                         : palette().color(QPalette::Midlight);
        painter.fillRect(box.left() + 10 + i * cell, box.bottom() - 20, cell - 2, 10, color);
    }
}

}  // namespace hostfw::view
