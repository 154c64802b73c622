#include "platform/console/output_log.h"

#include <algorithm>
#include <cstring>

namespace kelvane {

OutputLog::OutputLog(std::size_t maxLines, std::size_t maxLineBytes)
    : maxLines_(std::max<std::size_t>(maxLines, 1)),
      maxLineBytes_(std::max<std::size_t>(maxLineBytes, 4)) {}

OutputLog::Slot& OutputLog::newLine(Kind kind) {
    if (slots_.size() < maxLines_) {
        slots_.emplace_back();
        ++count_;
    } else if (count_ < maxLines_) {
        ++count_;
    } else {
        // The oldest line makes room; its string keeps its storage.
        first_ = (first_ + 1) % maxLines_;
        ++dropped_;
    }
    Slot& slot = slotAt(count_ - 1);
    slot.text.clear();
    slot.cut = 0;
    slot.kind = kind;
    return slot;
}

void OutputLog::noteLength(const Slot& slot) {
    const std::size_t length = slot.cut ? maxLineBytes_ : slot.text.size();
    longest_ = std::max(longest_, length);
}

void OutputLog::addToOpenLine(std::string_view bytes) {
    Slot& slot = open_ ? slotAt(count_ - 1) : newLine(Kind::Output);
    open_ = true;
    if (bytes.empty()) return;
    if (slot.cut) {
        slot.cut += bytes.size();
        return;
    }
    const std::size_t room = maxLineBytes_ - slot.text.size();
    if (bytes.size() <= room) {
        slot.text.append(bytes);
    } else {
        // Cut between characters, never inside a UTF-8 sequence.
        std::size_t keep = room;
        while (keep > 0 && (static_cast<unsigned char>(bytes[keep]) & 0xC0) == 0x80) --keep;
        slot.text.append(bytes.substr(0, keep));
        slot.cut = bytes.size() - keep;
    }
    noteLength(slot);
}

void OutputLog::appendOutput(std::string_view bytes) {
    if (bytes.empty()) return;
    ++changes_;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        if (pendingReturn_) {
            pendingReturn_ = false;
            if (*p == '\n') {
                open_ = false;
                ++p;
                continue;
            }
            // A lone carriage return: the line starts over.
            if (open_) {
                Slot& slot = slotAt(count_ - 1);
                slot.text.clear();
                slot.cut = 0;
            }
        }
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* lineEnd = newline ? newline : end;
        const char* ret = static_cast<const char*>(std::memchr(p, '\r', lineEnd - p));
        if (ret) {
            addToOpenLine(std::string_view(p, ret - p));
            pendingReturn_ = true;
            p = ret + 1;
        } else {
            addToOpenLine(std::string_view(p, lineEnd - p));
            if (newline) open_ = false;
            p = newline ? newline + 1 : end;
        }
    }
}

void OutputLog::endOutput() {
    if (open_) ++changes_;
    open_ = false;
    pendingReturn_ = false;
}

void OutputLog::appendLine(std::string_view text, Kind kind) {
    endOutput();
    ++changes_;
    Slot& slot = newLine(kind);
    slot.text.assign(text);
    longest_ = std::max(longest_, slot.text.size());
}

OutputLog::Line OutputLog::line(std::size_t index) const {
    const Slot& slot = slotAt(index);
    return {slot.text, slot.cut, slot.kind};
}

std::string OutputLog::text() const {
    std::string all;
    for (std::size_t i = 0; i < count_; ++i) {
        const Slot& slot = slotAt(i);
        if (i) all += '\n';
        all += slot.text;
        if (slot.cut) all += cutMark(slot.cut);
    }
    return all;
}

std::string cutMark(std::uint64_t cutBytes) {
    return " [... line cut, " + std::to_string(cutBytes) + " more bytes not shown]";
}

}  // namespace kelvane
