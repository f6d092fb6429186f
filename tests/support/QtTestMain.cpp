// GoogleTest main for the tests that need a Qt application object: the device links
// for their link window and their messages, the keypad session, the loader's sockets.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
