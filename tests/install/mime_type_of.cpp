// Prints the MIME type the freedesktop.org database of XDG_DATA_DIRS gives a file:
// by name and content together, and by content alone.
//   mime_type_of FILE...   ->   "<by name and content> <by content>" per file

#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mime_type_of FILE...\n");
        return 2;
    }
    QMimeDatabase database;
    for (int i = 1; i < argc; ++i) {
        QString path = QString::fromLocal8Bit(argv[i]);
        std::printf("%s %s\n", qPrintable(database.mimeTypeForFile(path).name()),
                    qPrintable(database.mimeTypeForFile(path, QMimeDatabase::MatchContent).name()));
    }
    return 0;
}
