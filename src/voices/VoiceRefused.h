// The recorder's refusal of a take, a file or a name: its message is shown as it stands.
#pragma once

#include "base/Errors.h"

class VoiceRefused : public Exception {
public:
    using Exception::Exception;
};
