#include "capture/model/CaptureSteps.h"

#include <algorithm>

namespace lumarte::capture {

char HotKeyCharacter(const std::string& field) {
  return field.empty() ? TCaptureSettings::kDefaultHotKey : field[0];
}

TCaptureSteps::TCaptureSteps(const TCaptureSettings& s)
    : StepNo(s.ShowPhoto ? 0 : 2),
      Interval(s.Trigger == TCaptureTrigger::Delay
                   ? std::clamp(s.DelaySeconds, TCaptureSettings::kMinDelay,
                                TCaptureSettings::kMaxDelay) *
                         1000
                   : kHotKeyInterval),
      Running(s.Trigger == TCaptureTrigger::Delay) {}

TCaptureAction TCaptureSteps::Tick() {
  TCaptureAction action = TCaptureAction::Close;
  switch (StepNo) {
    case 0: action = TCaptureAction::ShowPhoto; break;
    case 1: action = TCaptureAction::HidePhoto; break;
    case 2: action = TCaptureAction::Grab; break;
    default: break;
  }
  ++StepNo;
  return action;
}

}  // namespace lumarte::capture
