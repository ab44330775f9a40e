#include "fuzz_support.h"

#include "common/program_folder.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace quillet::fuzz {

ScriptedDialogs& Dialogs()
{
    static ScriptedDialogs* dialogs = [] {
        auto* d = new ScriptedDialogs;
        d->onMessage = [d](const MessageRequest& request) {
            d->messages.clear();
            switch (request.buttons) {
            case Buttons::YesNo:
            case Buttons::YesNoCancel:
                return Answer::Yes;
            case Buttons::AbortRetryIgnore:
                return Answer::Abort;
            case Buttons::RetryCancel:
            case Buttons::OkCancel:
                return Answer::Cancel;
            case Buttons::Ok:
                return Answer::Ok;
            }
            return Answer::Ok;
        };
        return d;
    }();
    return *dialogs;
}

QString Folder()
{
    static const QString folder = [] {
        const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QString path = base + QStringLiteral("/quillet-fuzz-") + QString::number(::getpid());
        QDir().mkpath(path);
        SetProgramFolderForTesting(path);
        return path + u'/';
    }();
    return folder;
}

void WriteInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

} // namespace quillet::fuzz
