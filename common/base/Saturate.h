// Wide intermediate results brought back into an int: values beyond its
// range stop at its ends instead of wrapping.
#pragma once

#include <algorithm>
#include <climits>

inline int ClampInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }
