#include "modes/rules/RulesFile.h"

#include "common/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace pad {

RulesFileContents ReadRulesFile(const std::filesystem::path& path) {
    RulesFileContents contents;
    // Only a regular file is opened: a FIFO in the file's place must not hang the service.
    const OpenedFile file = OpenRegularFile(path, O_RDONLY);
    if (file.fd < 0) {
        if (file.error == ENOENT)
            return contents;
        contents.exists = true;
        if (file.error == EISDIR)
            contents.failure = "is a folder, not a rules file";
        else if (file.error == NotRegularFileError)
            contents.failure = "is not a regular file";
        else
            contents.failure = "cannot be read: " + FileErrorText(file.error);
        return contents;
    }
    contents.exists = true;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const auto got = ::read(file.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            contents.failure = "cannot be read: " + FileErrorText(errno);
            break;
        }
        if (got == 0)
            break;
        bytes.append(buffer, std::size_t(got));
        if (bytes.size() > MaxRulesFileBytes) {
            contents.failure = "is larger than " +
                               std::to_string(MaxRulesFileBytes / (1024 * 1024)) +
                               " MB: not a rules file";
            break;
        }
    }
    ::close(file.fd);
    if (contents.failure)
        return contents;
    const std::size_t lines =
        std::size_t(std::count(bytes.begin(), bytes.end(), '\n')) + !bytes.ends_with('\n');
    if (!bytes.empty() && lines > MaxRulesFileLines) {
        contents.failure =
            "has more than " + std::to_string(MaxRulesFileLines) + " lines: not a rules file";
        return contents;
    }
    contents.document = RulesDocument(bytes);
    return contents;
}

std::string RulesFingerprint(const RulesFileContents& contents) {
    if (!contents.exists)
        return "missing";
    if (contents.failure)
        return "failure: " + *contents.failure;
    // The bytes' hash, so that a watcher keeps no copy of them.
    const std::string bytes = contents.document.bytes();
    return "bytes: " + std::to_string(bytes.size()) + " " +
           std::to_string(std::hash<std::string>()(bytes));
}

std::filesystem::path NearestExistingFolder(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    fs::path folder = file.parent_path();
    std::error_code error;
    while (!folder.empty() && !fs::is_directory(folder, error) && folder != folder.parent_path())
        folder = folder.parent_path();
    return folder;
}

} // namespace pad
