// Test entry for the window tests: Qt's offscreen platform unless another is
// asked for, one QApplication, then GoogleTest. SPLOT_DISPATCH=baseline, avx2
// or avx512 runs every window test with the kernels of that level.
#include "paint/Dispatch.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (const char* name = std::getenv("SPLOT_DISPATCH")) {
        const auto level = splot::parseDispatchLevel(name);
        if (!level) {
            std::fprintf(stderr, "SPLOT_DISPATCH must be baseline, avx2 or avx512\n");
            return 2;
        }
        splot::forceDispatchLevel(*level);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SPLOT"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
