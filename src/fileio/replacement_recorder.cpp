// The process-wide recorder slot: one request, one recorder.
#include "fileio/replacement_recorder.h"

namespace {

ReplacementRecorder* installed = nullptr;

}  // namespace

ReplacementRecorder* CurrentReplacementRecorder() { return installed; }

void SetReplacementRecorder(ReplacementRecorder* recorder) { installed = recorder; }
