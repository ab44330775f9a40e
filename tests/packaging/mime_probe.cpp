// Prints the file type the desktop's shared MIME database (XDG_DATA_DIRS) gives each file named.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QMimeDatabase types;
    for (const QString& file : app.arguments().mid(1))
        std::printf("%s\n", qPrintable(types.mimeTypeForFile(file).name()));
    return 0;
}
