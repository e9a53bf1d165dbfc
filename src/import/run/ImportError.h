#pragma once

#include "base/Error.h"

namespace quillmere {

// An import run failed; the message says what failed and for which file.
class ImportError : public Error {
public:
    using Error::Error;
};

} // namespace quillmere
