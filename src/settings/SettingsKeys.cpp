#include "settings/SettingsKeys.h"

#include "base/Limits.h"

#include <algorithm>
#include <vector>

namespace splot {

namespace {

// Ranges of the controls that hold settings (the sliders of the option
// dialogs and the main window).
constexpr int strengthMax = 255;     // tb3dR, tb3dB
constexpr int speedMax = 100;        // intensify, fuzzify and growth speed sliders
constexpr int slowSpeedMax = 50;     // 3D depth and speckly speed sliders
constexpr int circlePointsMax = 720; // tbNumberOfPoints
constexpr int shapeSizeMin = 10;     // tbRadius
constexpr int shapeSizeMax = 300;
constexpr int shapePointsMin = 4; // tbPoints
constexpr int shapePointsMax = 25;
constexpr int percentMax = 100; // tbFlipperiness, tbWMulti, tbIntensity, tbFuzziness, tbSpeckly
constexpr int colourMax = 255;  // tbR, tbG, tbB
// The brush widths of "main" keep the value read: the width slider shows it
// clamped, and while the slider does not move the value read stays in force
// (walks, circles, the outline) and is written back. Only values no picture
// can use are bounded, since the outline's dots grow in number with the width.
constexpr int storedWidthMax = 2 * maxImageWidth;

template <auto Group, auto Field> int getField(const SplotState& s) {
    return static_cast<int>((s.*Group).*Field);
}
template <auto Group, auto Field> void setField(SplotState& s, int v) {
    using T = std::remove_reference_t<decltype((s.*Group).*Field)>;
    (s.*Group).*Field = static_cast<T>(v); // a bool field is true when v is not 0
}

template <auto Group, auto Field>
constexpr SettingKey intKey(std::string_view section, std::string_view key, int def, int rank) {
    return {section,
            key,
            SettingType::Int,
            def,
            false,
            0,
            0,
            rank,
            &getField<Group, Field>,
            &setField<Group, Field>};
}
template <auto Group, auto Field>
constexpr SettingKey rangedKey(std::string_view section, std::string_view key, int def, int low, int high,
                               int rank) {
    return {section,
            key,
            SettingType::Int,
            def,
            true,
            low,
            high,
            rank,
            &getField<Group, Field>,
            &setField<Group, Field>};
}
template <auto Group, auto Field>
constexpr SettingKey flagKey(std::string_view section, std::string_view key, bool def, int rank) {
    return {section,
            key,
            SettingType::Flag,
            def ? 1 : 0,
            false,
            0,
            1,
            rank,
            &getField<Group, Field>,
            &setField<Group, Field>};
}

constexpr auto P = &SplotState::paint;
constexpr auto C = &SplotState::circle;
constexpr auto S = &SplotState::shape;

// The colour is read into the colour state and onto the slider; it is
// written from the slider, since shapes with changing colours alter the
// colour state without moving the sliders.
template <auto Channel, auto Slider> constexpr SettingKey colourKey(std::string_view key, int def, int rank) {
    return {"main",
            key,
            SettingType::Int,
            def,
            true,
            0,
            colourMax,
            rank,
            [](const SplotState& s) { return s.sliders.*Slider; },
            [](SplotState& s, int v) {
                s.colour.*Channel = v;
                s.sliders.*Slider = v;
            }};
}
template <auto Slider> constexpr SettingKey sliderKey(std::string_view key, int def, int rank) {
    return {"main",
            key,
            SettingType::Int,
            def,
            true,
            1,
            percentMax,
            rank,
            [](const SplotState& s) { return s.sliders.*Slider; },
            [](SplotState& s, int v) { s.sliders.*Slider = v; }};
}

constexpr std::array keys{
    // 3D
    rangedKey<P, &PaintingState::depth3d>("3D", "depth", 0, tbDepth3dMin, tbDepth3dMax, 0),
    rangedKey<P, &PaintingState::redStrength>("3D", "redstrength", 60, 0, strengthMax, 2),
    rangedKey<P, &PaintingState::blueStrength>("3D", "bluestrength", 60, 0, strengthMax, 3),
    flagKey<P, &PaintingState::linkPenToDepth>("3D", "linkpentodepth", false, 1),
    // brush
    rangedKey<P, &PaintingState::intensifySpeed>("brush", "intensifyspeed", 0, -speedMax, speedMax, 0),
    rangedKey<P, &PaintingState::fuzzifySpeed>("brush", "fuzzifyspeed", 0, -speedMax, speedMax, 1),
    rangedKey<P, &PaintingState::specklifySpeed>("brush", "specklifyspeed", 0, -slowSpeedMax, slowSpeedMax,
                                                 2),
    rangedKey<P, &PaintingState::growthSpeed>("brush", "growthspeed", 0, -speedMax, speedMax, 3),
    rangedKey<P, &PaintingState::depth3dSpeed>("brush", "3ddepthspeed", 0, -slowSpeedMax, slowSpeedMax, 4),
    // Only stored: a brush file's smoothness is kept as it stands.
    intKey<P, &PaintingState::smoothness>("brush", "smoothness", 10, 5),
    flagKey<P, &PaintingState::useIntensify>("brush", "useintensify", false, 6),
    flagKey<P, &PaintingState::useFuzzify>("brush", "usefuzzify", false, 8),
    flagKey<P, &PaintingState::useSpecklify>("brush", "usespecklify", false, 7),
    flagKey<P, &PaintingState::useGrowth>("brush", "usegrowth", false, 9),
    flagKey<P, &PaintingState::use3dDepth>("brush", "use3ddepth", false, 10),
    // circle
    rangedKey<C, &CircleSettings::circleNumberOfPoints>("circle", "numberofpoints", 90, 1, circlePointsMax,
                                                        0),
    rangedKey<C, &CircleSettings::circleWidth>("circle", "width", 150, 1, maxImageWidth, 1),
    rangedKey<C, &CircleSettings::circleHeight>("circle", "height", 150, 1, maxImageHeight, 2),
    rangedKey<C, &CircleSettings::circlePenWidth>("circle", "penwidth", 30, 1, tbPenWidthMax, 3),
    flagKey<C, &CircleSettings::circleUsePenWidth>("circle", "usepenwidth", false, 4),
    flagKey<C, &CircleSettings::circleLockWidthHeight>("circle", "lockwidthheight", false, 5),
    flagKey<C, &CircleSettings::circleForgetCenter>("circle", "forgetcenter", true, 6),
    // image: checked after reading, with a message (see readSettings)
    intKey<P, &PaintingState::imageHeight>("image", "height", 600, 0),
    intKey<P, &PaintingState::imageWidth>("image", "width", 600, 1),
    // shape
    rangedKey<S, &ShapeSettings::shapeSize>("shape", "size", 110, shapeSizeMin, shapeSizeMax, 0),
    rangedKey<S, &ShapeSettings::shapePoints>("shape", "points", 5, shapePointsMin, shapePointsMax, 1),
    rangedKey<S, &ShapeSettings::shapeFlipperiness>("shape", "flipperiness", 5, 1, percentMax, 2),
    rangedKey<S, &ShapeSettings::shapeSectionLength>("shape", "sectionlength", 3, 1, percentMax, 3),
    flagKey<S, &ShapeSettings::shapeDrawLots>("shape", "drawlots", false, 4),
    flagKey<S, &ShapeSettings::shapeChangeColors>("shape", "changecolors", false, 5),
    flagKey<S, &ShapeSettings::shapeSemicircles>("shape", "semicircles", false, 6),
    flagKey<S, &ShapeSettings::shapeFlipper>("shape", "flipper", false, 7),
    // main
    colourKey<&ColourState::red, &SliderPositions::red>("red", 255, 0),
    colourKey<&ColourState::green, &SliderPositions::green>("green", 123, 1),
    colourKey<&ColourState::blue, &SliderPositions::blue>("blue", 34, 2),
    rangedKey<P, &PaintingState::brushWidth>("main", "width", 30, -storedWidthMax, storedWidthMax, 3),
    rangedKey<P, &PaintingState::penWidth>("main", "penwidth", 30, -storedWidthMax, storedWidthMax, 4),
    rangedKey<P, &PaintingState::speckly>("main", "speckly", 100, 1, tbSpecklyMax, 5),
    flagKey<P, &PaintingState::fuzzy>("main", "fuzzy", true, 6),
    flagKey<P, &PaintingState::squareBrush>("main", "square", false, 7),
    flagKey<P, &PaintingState::draw3d>("main", "draw3d", false, 8),
    flagKey<P, &PaintingState::backgroundIsWhite>("main", "backgroundiswhite", true, 9),
    sliderKey<&SliderPositions::intensity>("intensity", 100, 11),
    sliderKey<&SliderPositions::fuzziness>("fuzziness", 100, 10),
};

// Per section, pointers into keys sorted by write rank.
struct WriteOrder {
    std::array<std::vector<const SettingKey*>, settingsSections.size()> sections;
    WriteOrder() {
        for (std::size_t s = 0; s < settingsSections.size(); ++s) {
            for (const SettingKey& k : keys)
                if (k.section == settingsSections[s])
                    sections[s].push_back(&k);
            std::sort(sections[s].begin(), sections[s].end(),
                      [](const SettingKey* a, const SettingKey* b) { return a->writeRank < b->writeRank; });
        }
    }
};

} // namespace

std::span<const SettingKey> settingsKeys() {
    return keys;
}

std::span<const SettingKey* const> settingsKeysInWriteOrder(std::string_view section) {
    static const WriteOrder order;
    for (std::size_t s = 0; s < settingsSections.size(); ++s)
        if (settingsSections[s] == section)
            return order.sections[s];
    return {};
}

} // namespace splot
