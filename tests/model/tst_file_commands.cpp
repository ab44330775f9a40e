#include "support/test_environment.h"

class TestFileCommands : public QObject {
    Q_OBJECT
};

QUILLET_TEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
