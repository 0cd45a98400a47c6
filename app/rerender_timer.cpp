#include "app/rerender_timer.h"

namespace quillmark {

RerenderTimer::RerenderTimer(QObject* parent) : QObject(parent) {
  timer_.setInterval(kIntervalMs);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &RerenderTimer::expired);
}

void RerenderTimer::Enable() {
  if (!timer_.isActive()) timer_.start();
}

void RerenderTimer::Disable() { timer_.stop(); }

bool RerenderTimer::IsActive() const { return timer_.isActive(); }

int RerenderTimer::RemainingTime() const { return timer_.remainingTime(); }

}  // namespace quillmark
