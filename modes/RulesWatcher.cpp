#include "modes/RulesWatcher.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QString>

namespace pad {
namespace {

QString QtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// What tells one reading of the file from another.
std::string Fingerprint(const RulesFileContents& contents) {
    if (!contents.exists)
        return "missing";
    if (contents.failure)
        return "failure: " + *contents.failure;
    return "bytes: " + contents.document.bytes();
}

} // namespace

RulesWatcher::RulesWatcher(std::filesystem::path path,
                           std::function<void(const RulesFileContents&)> changed, QObject* parent)
    : QObject(parent), path_(std::move(path)), changed_(std::move(changed)) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &RulesWatcher::reloadSoon);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &RulesWatcher::reloadSoon);
    watch();
}

void RulesWatcher::watch() {
    // The file (again: a file replaced by a rename is a new file), and the folders from
    // its own up to the first that exists.
    std::filesystem::path folder = path_.parent_path();
    std::error_code error;
    while (!folder.empty() && !std::filesystem::is_directory(folder, error) &&
           folder != folder.parent_path())
        folder = folder.parent_path();
    const QStringList wanted{QtPath(path_), QtPath(folder)};
    for (const QString& watched : watcher_.directories())
        if (watched != wanted[1])
            watcher_.removePath(watched);
    for (const QString& path : wanted)
        if (!watcher_.files().contains(path) && !watcher_.directories().contains(path) &&
            QFileInfo::exists(path))
            watcher_.addPath(path);
}

RulesFileContents RulesWatcher::read() {
    RulesFileContents contents = ReadRulesFile(path_);
    lastSeen_ = Fingerprint(contents);
    return contents;
}

void RulesWatcher::reloadSoon() {
    // An editor's save is several changes in a row: read once they are all in.
    if (reloadPending_)
        return;
    reloadPending_ = true;
    QMetaObject::invokeMethod(this, &RulesWatcher::reload, Qt::QueuedConnection);
}

void RulesWatcher::reload() {
    reloadPending_ = false;
    watch();
    RulesFileContents contents = ReadRulesFile(path_);
    std::string fingerprint = Fingerprint(contents);
    if (fingerprint == lastSeen_)
        return;
    lastSeen_ = std::move(fingerprint);
    changed_(contents);
}

} // namespace pad
