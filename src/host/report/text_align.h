#pragma once

namespace hostfw {

// Where a text sits inside the room it is given.
enum class TextAlign { Left, Center, Right };

}  // namespace hostfw
