#include "platform/dxut/timer.h"

CDXUTTimer::CDXUTTimer() { Reset(); }

void CDXUTTimer::Reset() {
  base_ = 0.0;
  since_ = Clock::now();
  stopped_ = false;
}

void CDXUTTimer::Start() {
  if (!stopped_) return;
  since_ = Clock::now();
  stopped_ = false;
}

void CDXUTTimer::Stop() {
  if (stopped_) return;
  base_ = GetTime();
  stopped_ = true;
}

void CDXUTTimer::Advance(double seconds) { base_ += seconds; }

void CDXUTTimer::SetTime(double seconds) {
  base_ = seconds;
  since_ = Clock::now();
}

double CDXUTTimer::GetTime() const {
  if (stopped_) return base_;
  return base_ + std::chrono::duration<double>(Clock::now() - since_).count();
}

CDXUTTimer* DXUTGetGlobalTimer() {
  static CDXUTTimer timer;
  return &timer;
}
