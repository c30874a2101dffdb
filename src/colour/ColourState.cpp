#include "colour/ColourState.h"

namespace splot {

void SetRandomColourMethod(ColourState& colour, const std::string& name) {
    if (name == "none")
        colour.randomColourMethod = RandomColourMethod::None;
    else if (name == "stroke")
        colour.randomColourMethod = RandomColourMethod::Stroke;
    else if (name == "point")
        colour.randomColourMethod = RandomColourMethod::Point;
    else
        colour.randomColourMethod = RandomColourMethod::Unchecked;
}

} // namespace splot
