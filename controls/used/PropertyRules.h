#pragma once

namespace tamsell {

// Raises 380, invalid property value, unless the condition holds.
void requireValid(bool condition);

} // namespace tamsell
