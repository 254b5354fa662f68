#pragma once

#include <QWidget>

namespace hostfw::view {

// The wait animation: a veil over a window with a moving bar, painted at once, since the long
// call it stands for keeps the event loop from painting.
class BusyOverlay : public QWidget {
public:
    explicit BusyOverlay(QWidget& over);
    void Start();
    void Stop();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int timer_ = 0;
    int phase_ = 0;
};

}  // namespace hostfw::view
