#pragma once

#include <QApplication>
#include <QTest>

namespace quillet::test {

// Points HOME, the XDG folders and the runtime folder at a private temporary folder and turns on
// QStandardPaths' test mode, so no test touches the real home folder. Call before QApplication.
void PrepareEnvironment();

} // namespace quillet::test

// QTEST_MAIN with the private environment and the offscreen platform.
#define QUILLET_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        quillet::test::PrepareEnvironment();                                                                           \
        QApplication app(argc, argv);                                                                                  \
        QApplication::setApplicationName(QStringLiteral("Quillet"));                                                   \
        QApplication::setOrganizationName(QStringLiteral("Quillet"));                                                  \
        TestClass tc;                                                                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
