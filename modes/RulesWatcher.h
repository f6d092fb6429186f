#pragma once
// Reads the rules file again whenever it changes. Editors save by writing a new file
// and renaming it over the old one, so the folder is watched as well as the file,
// and the nearest existing folder above it while the folder does not exist yet.

#include "modes/rules/RulesFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace pad {

class RulesWatcher : public QObject {
    Q_OBJECT
  public:
    // changed gets the file's new contents, once per change of its bytes (or of
    // whether it can be read).
    RulesWatcher(std::filesystem::path path, std::function<void(const RulesFileContents&)> changed,
                 QObject* parent = nullptr);

    // Reads the file now; the first contents for the service to start with.
    RulesFileContents read();

  private:
    void watch();
    void reloadSoon();
    void reload();

    std::filesystem::path path_;
    std::function<void(const RulesFileContents&)> changed_;
    QFileSystemWatcher watcher_;
    std::optional<std::string> lastSeen_; // bytes, or the failure, of the last read
    QTimer reloadTimer_;
    static constexpr int ReloadDelayMs = 200;
};

} // namespace pad
