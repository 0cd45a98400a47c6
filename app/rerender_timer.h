// The re-render timer `Timer1`: a periodic 2000 ms timer that is either on or
// off. Switching it on while it is on changes nothing, the running count goes
// on; switching it off and on again starts a fresh count. (A plain QTimer
// restarts its count at every start, which would let a burst of edits put the
// render off for ever.)
//
// It never renders: its owner connects `expired` to the renderer.
#pragma once

#include <QObject>
#include <QTimer>

namespace quillmark {

class RerenderTimer : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIntervalMs = 2000;

  explicit RerenderTimer(QObject* parent = nullptr);

  void Enable();
  void Disable();
  bool IsActive() const;
  // Milliseconds to the next expiry; -1 while off.
  int RemainingTime() const;

 signals:
  void expired();

 private:
  QTimer timer_;
};

}  // namespace quillmark
