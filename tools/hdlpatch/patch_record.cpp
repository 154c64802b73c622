#include "hdlpatch/patch_record.h"

#include <algorithm>
#include <filesystem>

#include "common/utf8.h"

namespace kelvane::tools {

std::string describeAppliedSwitches(const PatchRequest& request) {
    std::string text;
    std::size_t nextFile = 0;
    for (const auto& sw : request.switches) {
        if (!text.empty()) text += ' ';
        text += sw;
        if (nextFile < request.files.size() && request.files[nextFile].switchText == sw) {
            text += ' ' + utf8FromPath(pathFromUtf8(request.files[nextFile].path).filename());
            ++nextFile;
        }
    }
    return text.empty() ? "(no switches)" : text;
}

Bytes applyPatchRecord(Bytes loader, const PatchRequest& request) {
    std::string mark = std::string(kPatchRecordMagic) + " " + describeAppliedSwitches(request);
    mark.resize(std::min(mark.size(), kPatchRecordSize - 1));
    auto area = loader.begin() + static_cast<std::ptrdiff_t>(kPatchRecordOffset);
    std::fill(area, area + static_cast<std::ptrdiff_t>(kPatchRecordSize), 0);
    std::copy(mark.begin(), mark.end(), area);
    return loader;
}

}  // namespace kelvane::tools
