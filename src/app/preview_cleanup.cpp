#include "app/preview_cleanup.h"

#include <system_error>

#include "core/graphics_set.h"

namespace kelvane {

namespace fs = std::filesystem;

void cleanUpPreviewDirectory(const ProgramDirectory& dir) {
    cleanUpPreviewDirectory(pathFromUtf8(dir.join(kPreviewDirRelative)));
}

void cleanUpPreviewDirectory(const fs::path& previewDir) {
    std::error_code ec;
    // symlink_status does not follow a link: a linked preview directory is
    // not a directory here, so nothing is deleted through it.
    if (!fs::is_directory(fs::symlink_status(previewDir, ec))) return;

    for (const char* name : kGraphicsSetFiles) {
        const fs::path file = previewDir / name;
        const fs::file_status status = fs::symlink_status(file, ec);
        // Only plain files and links go; a directory of that name is left
        // alone. Removing a link never touches what it points to.
        if (fs::is_regular_file(status) || fs::is_symlink(status)) fs::remove(file, ec);
    }
    // Fails, silently, when anything else is left in the directory.
    fs::remove(previewDir, ec);
}

}  // namespace kelvane
