#include "support/test_environment.h"

class TestDataFileProcesses : public QObject {
    Q_OBJECT
};

QUILLET_TEST_MAIN(TestDataFileProcesses)
#include "tst_data_file_processes.moc"
