// The framework's clock: seconds since it was made, monotonic, stoppable.
// The framework stops it while paused; tests set and advance it by hand.
#pragma once
#include <chrono>

class CDXUTTimer {
 public:
  CDXUTTimer();

  void Reset();                  // time := 0, running
  void Start();                  // runs on from where it stood
  void Stop();                   // holds the present time
  void Advance(double seconds);  // moves the time on, running or not
  void SetTime(double seconds);  // puts the time at an exact value
  double GetTime() const;        // seconds
  bool IsStopped() const { return stopped_; }

 private:
  using Clock = std::chrono::steady_clock;
  double base_ = 0.0;  // time at `since_` (running) or held time (stopped)
  Clock::time_point since_;
  bool stopped_ = false;
};

CDXUTTimer* DXUTGetGlobalTimer();
