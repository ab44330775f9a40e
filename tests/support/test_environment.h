#pragma once

#include <QApplication>
#include <QTest>

namespace quillet::test {

// Points HOME, the XDG folders and the runtime folder at a private temporary folder and turns on
// QStandardPaths' test mode, so no test touches the real home folder, and names the application
// as the program does. Call before QApplication.
void PrepareEnvironment();

} // namespace quillet::test

// QTEST_MAIN with the private environment and the offscreen platform.
#define QUILLET_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        quillet::test::PrepareEnvironment();                                                                           \
        QApplication app(argc, argv);                                                                                  \
        TestClass tc;                                                                                                  \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
