#include "modes/RulesWatcher.h"

#include <QFileInfo>
#include <QString>

#include <functional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace pad {
namespace {

QString QtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

RulesWatcher::RulesWatcher(std::filesystem::path path,
                           std::function<void(const RulesFileContents&)> changed, QObject* parent)
    : QObject(parent), path_(std::move(path)), changed_(std::move(changed)) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &RulesWatcher::reloadSoon);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &RulesWatcher::reloadSoon);
    reloadTimer_.setSingleShot(true);
    reloadTimer_.setInterval(ReloadDelayMs);
    connect(&reloadTimer_, &QTimer::timeout, this, &RulesWatcher::reload);
    watch();
}

void RulesWatcher::watch() {
    namespace fs = std::filesystem;
    // The file (again: a file replaced by a rename is a new file) and the first
    // existing folder from its own upwards; for a link, also its target's folder,
    // where an editor replaces the target.
    QStringList folders{QtPath(NearestExistingFolder(path_))};
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path_, error))) {
        const fs::path target = fs::weakly_canonical(path_, error);
        if (!error)
            folders.append(QtPath(target.parent_path()));
    }
    for (const QString& watched : watcher_.directories())
        if (!folders.contains(watched))
            watcher_.removePath(watched);
    for (const QString& path : QStringList{QtPath(path_)} + folders)
        if (!watcher_.files().contains(path) && !watcher_.directories().contains(path) &&
            QFileInfo::exists(path))
            watcher_.addPath(path);
}

RulesFileContents RulesWatcher::read() {
    RulesFileContents contents = ReadRulesFile(path_);
    lastSeen_ = RulesFingerprint(contents);
    return contents;
}

void RulesWatcher::reloadSoon() {
    // A save is several changes in a row (an editor truncates and writes, or writes a
    // new file and renames it): read once they are all in.
    reloadTimer_.start();
}

void RulesWatcher::reload() {
    watch();
    {
        const RulesFileContents contents = ReadRulesFile(path_);
        std::string fingerprint = RulesFingerprint(contents);
        if (fingerprint != lastSeen_) {
            lastSeen_ = std::move(fingerprint);
            changed_(contents);
        }
    }
    // What reading a large file took goes back to the system, not only to the heap,
    // for a service that runs for the whole session.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace pad
