// Test entry for the window tests: Qt's offscreen platform unless another is
// asked for, one QApplication, then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("SPLOT"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
