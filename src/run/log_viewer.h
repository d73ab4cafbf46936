#pragma once

#include <string>

#include "run/front_end.h"

namespace obscut {

// Starts the text viewer on the closed log without waiting for it; when it cannot be
// started, says so through the front end and carries on.
void ShowLogInNotepad(const std::string& logPath, FrontEnd& ui);

}  // namespace obscut
