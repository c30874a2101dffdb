#include "files/NewImageCheck.h"

#include <gtest/gtest.h>

namespace splot {
namespace {

constexpr const char* widthHint =
    "WIDTH ERROR: Please enter an integer in the range 1 to 5000 for the width.";
constexpr const char* heightHint =
    "HEIGHT ERROR: Please enter an integer in the range 1 to 5000 for the height.";

TEST(NewImageCheck, ReportsEveryProblemInOneText) {
    const std::string w = widthHint, h = heightHint;
    const struct {
        const char* width;
        const char* height;
        std::string report;
    } cases[] = {
        {"5000", "1", ""},
        {"+12", "-0", "\r\n" + h},
        {"abc", "6000", "\r\nWIDTH ERROR: 'abc' is not a valid integer value\r\n" + w + "\r\n\r\n" + h},
        {"", "600", "\r\nWIDTH ERROR: '' is not a valid integer value\r\n" + w + "\r\n"},
        {"0", "5001", "\r\n" + w + "\r\n\r\n" + h},
        {"600", "2.5", "\r\nHEIGHT ERROR: '2.5' is not a valid integer value\r\n" + h},
        {" 600", "600", "\r\nWIDTH ERROR: ' 600' is not a valid integer value\r\n" + w + "\r\n"},
        {"2147483648", "-2147483648",
         "\r\nWIDTH ERROR: '2147483648' is not a valid integer value\r\n" + w + "\r\n\r\n" + h},
    };
    for (const auto& c : cases) {
        const NewImageCheck r = CheckNew(c.width, c.height);
        EXPECT_EQ(r.errors, c.report) << c.width << " x " << c.height;
        EXPECT_EQ(r.ok(), c.report.empty());
    }
    const NewImageCheck good = CheckNew("300", "800");
    EXPECT_EQ(good.width, 300);
    EXPECT_EQ(good.height, 800);
}

} // namespace
} // namespace splot
