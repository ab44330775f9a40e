#include "support/test_environment.h"

class TestStartup : public QObject {
    Q_OBJECT
};

QUILLET_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
