// The narration player's logging category.
#include "audio/AudioLog.h"

Q_LOGGING_CATEGORY(lcAudio, "mirabosc.audio", QtWarningMsg)
