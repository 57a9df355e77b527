#pragma once

#include <array>

// Where a configuration value the host keeps stands with the module: not touched since
// start (its control keeps the ordinary colour), changed by the host and not yet
// acknowledged (pending), or acknowledged or reported by the module (confirmed).
enum class ValueState { Untouched, Pending, Confirmed };

// The states of a controller's values, one per field.
template <int Count>
using ValueStates = std::array<ValueState, Count>;
