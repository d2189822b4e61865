// Runs the window tests under one QApplication; CTest runs it headless (QT_QPA_PLATFORM=offscreen).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
