#pragma once

#include <cstdint>

namespace platform {

// Whether the system has about `bytes` more memory to give without swapping or running out:
// a large file is refused with a message instead of the system ending the program while it
// reads. True where the system does not tell.
bool memoryAllows(int64_t bytes);

} // namespace platform
