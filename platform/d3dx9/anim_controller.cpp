#include "platform/d3dx9/anim_controller.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

class KeyframeAnimationController final : public ID3DXAnimationController {
 public:
  KeyframeAnimationController(std::vector<AnimationTrack> tracks, DWORD ticksPerSecond)
      : tracks_(std::move(tracks)), ticksPerSecond_(ticksPerSecond) {
    for (const AnimationTrack& track : tracks_) period_ = std::max(period_, track.keys.LastTime());
  }

  HRESULT AdvanceTime(double seconds, ID3DXAnimationCallbackHandler*) override {
    time_ += seconds;
    if (!std::isfinite(time_)) time_ = 0;
    double ticks = 0;
    if (period_ > 0) {
      ticks = std::fmod(time_ * ticksPerSecond_, double(period_));
      if (ticks < 0) ticks += period_;
    }
    for (const AnimationTrack& track : tracks_)
      track.frame->TransformationMatrix = SampleAnimation(track.keys, track.loaded, ticks);
    return S_OK;
  }

 private:
  std::vector<AnimationTrack> tracks_;
  double ticksPerSecond_;
  DWORD period_ = 0;
  double time_ = 0;
};

}  // namespace

HRESULT CreateKeyframeAnimationController(std::vector<AnimationTrack> tracks, DWORD ticksPerSecond,
                                          ID3DXAnimationController** controller) {
  *controller = new (std::nothrow) KeyframeAnimationController(std::move(tracks), ticksPerSecond);
  return *controller ? S_OK : E_OUTOFMEMORY;
}
