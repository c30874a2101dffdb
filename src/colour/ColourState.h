#pragma once

#include "base/SplotState.h"

#include <string>

namespace splot {

// The colour state's fields are plain data in the shared-state aggregate;
// the rules over them live here and beside the RGB actions.

// Checks the Colours item named "none", "stroke" or "point" (exact, case
// sensitive); any other name leaves all three unchecked.
void SetRandomColourMethod(ColourState& colour, const std::string& name);

} // namespace splot
