#include "support/test_environment.h"

class TestSettings : public QObject {
    Q_OBJECT
};

QUILLET_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
