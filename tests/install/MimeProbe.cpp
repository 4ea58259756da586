// Prints the MIME type the desktop's database (shared-mime-info, found through
// $XDG_DATA_DIRS) gives each file named, by its name and its contents, one line each.

#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QMimeDatabase database;
    for (int i = 1; i < argc; ++i) {
        QMimeType type = database.mimeTypeForFile(QString::fromLocal8Bit(argv[i]));
        std::printf("%s\n", qPrintable(type.name()));
    }
    return 0;
}
