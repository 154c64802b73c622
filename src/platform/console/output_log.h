#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The last lines a tool printed, kept in a fixed amount of memory however much
// it prints: at most `maxLines` lines of at most `maxLineBytes` bytes each.
//
// Output arrives as raw bytes split anywhere. A line ends at "\n" or "\r\n";
// a lone "\r" starts the line over, as a terminal shows a progress counter.
// The part of a line beyond the limit is dropped and only counted, so that the
// view can mark the line as cut. The oldest line goes when a new one would not
// fit; its storage is reused, so a steady stream allocates nothing.
class OutputLog {
  public:
    enum class Kind : std::uint8_t {
        Output,   // printed by the tool
        Command,  // the command line of a step
        Success,  // how a step ended: well
        Failure,  // how a step ended: not well
    };

    struct Line {
        std::string_view text;
        std::uint64_t cutBytes = 0;  // bytes of this line that were not kept
        Kind kind = Kind::Output;
    };

    static constexpr std::size_t kDefaultMaxLines = 5000;
    static constexpr std::size_t kDefaultMaxLineBytes = 2000;

    explicit OutputLog(std::size_t maxLines = kDefaultMaxLines,
                       std::size_t maxLineBytes = kDefaultMaxLineBytes);

    // Bytes as the tool wrote them.
    void appendOutput(std::string_view bytes);
    // Ends the tool's last line even if it had no line end.
    void endOutput();
    // A whole line of the program's own; an unfinished output line is ended
    // first. These few lines are kept whole.
    void appendLine(std::string_view text, Kind kind);

    // Lines kept, the unfinished one included; line(0) is the oldest.
    std::size_t size() const { return count_; }
    Line line(std::size_t index) const;
    // How many lines were dropped at the top so far: the number of line(0)
    // counted from the first line ever appended.
    std::uint64_t droppedLines() const { return dropped_; }
    // Whether the last kept line is a tool line still waiting for its end.
    bool lastLineOpen() const { return open_; }
    // Bytes in the longest line appended so far (cut lines count as full).
    std::size_t longestLine() const { return longest_; }
    // Grows with every change, so that a view can tell whether to repaint.
    std::uint64_t changes() const { return changes_; }

    // Every kept line with its cut mark, joined by "\n".
    std::string text() const;

  private:
    struct Slot {
        std::string text;
        std::uint64_t cut = 0;
        Kind kind = Kind::Output;
    };

    Slot& newLine(Kind kind);
    Slot& slotAt(std::size_t index) { return slots_[(first_ + index) % maxLines_]; }
    const Slot& slotAt(std::size_t index) const { return slots_[(first_ + index) % maxLines_]; }
    void addToOpenLine(std::string_view bytes);
    void noteLength(const Slot& slot);

    std::size_t maxLines_;
    std::size_t maxLineBytes_;
    std::vector<Slot> slots_;
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    std::uint64_t dropped_ = 0;
    std::size_t longest_ = 0;
    std::uint64_t changes_ = 0;
    bool open_ = false;           // the last line is an unfinished output line
    bool pendingReturn_ = false;  // the last byte seen was a "\r"
};

// The mark shown after a cut line, naming how much was dropped.
std::string cutMark(std::uint64_t cutBytes);

}  // namespace kelvane
