#pragma once
// The message that tells what a profile file could not do.

#include "model/ProfileFile.h"
#include "texts/UiTexts.h"

namespace pad {

// The text of a failed result; no text (NoLanguageNumber, no English) for Ok.
constexpr UiText FileResultText(FileResult result) {
    switch (result) {
    case FileResult::OpenForWriteFailed:
        return OpenForWriteFailedText;
    case FileResult::OpenForReadFailed:
        return OpenForReadFailedText;
    case FileResult::UnsupportedFile:
        return UnsupportedFileText;
    case FileResult::Ok:
        break;
    }
    return {NoLanguageNumber, u""};
}

} // namespace pad
