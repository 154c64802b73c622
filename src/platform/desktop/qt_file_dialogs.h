#pragma once

#include <QString>
#include <optional>

namespace kelvane {

// File-open dialogs. The filter is a list of description and pattern pairs
// separated by "|", for example "*.ELF (PS2 Executable File)|*.ELF"; the
// descriptions are shown exactly as written and the patterns match names in
// either case. Returns the chosen full path (native separators), or nothing
// when the user cancelled.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> openFile(const QString& filter) = 0;

    // The same, opening in `folder` (when it is not empty and exists). The
    // default ignores the folder.
    virtual std::optional<QString> openFileIn(const QString& filter, const QString& folder) {
        Q_UNUSED(folder);
        return openFile(filter);
    }

    // A file-save dialog with the same kind of filter, opening on `suggested`
    // (a full path whose folder is opened and whose name is filled in). It
    // does not ask about an existing file: the caller does. The default
    // cancels.
    virtual std::optional<QString> saveFile(const QString& filter, const QString& suggested) {
        Q_UNUSED(filter);
        Q_UNUSED(suggested);
        return std::nullopt;
    }
};

// The folder a file dialog opens in to come back to an earlier choice: the
// folder of `chosenPath` (native separators), or nothing when no file was
// chosen yet.
QString folderOfChoice(const QString& chosenPath);

}  // namespace kelvane
