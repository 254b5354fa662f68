#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "db/demo_random.h"

namespace demodb {

// The twelve branches' names, for codes "0001" to "0012" in order; none is over 30 characters.
const std::array<std::string_view, 12>& BranchNames();

// A client name of at most 50 characters: a person's full name for kind 'F', a trade name for
// kind 'J'.
std::string ClientName(DemoRandom& random, char kind);

// The fixed trade names of a few clients, with a comma, double quotes, an apostrophe, a
// percent sign and accents, so that every report and search meets them.
std::optional<std::string_view> FixedClientName(int clientNumber);

}  // namespace demodb
