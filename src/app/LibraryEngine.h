#pragma once
// The program's decoder engine: the field's decoder library, loaded when the decode session
// first needs it, on the session's thread.

#include <memory>
#include <string>

#include "session/DecodeSession.h"

namespace zq {

std::unique_ptr<DecoderEngine> LoadLibraryEngine(std::string* error);

}  // namespace zq
