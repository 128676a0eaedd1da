#pragma once
// A mimeapps.list file, edited in place: the [Default Applications] entries can be read, set
// and removed, and every other line, section and comment stays as it was. No Qt.
//
//     MimeAppsList list = MimeAppsList::Parse(bytes);
//     list.SetDefault("video/x-matroska", "kravelo.desktop");   // kravelo first, others kept after
//     list.RemoveDefault("video/x-matroska", "kravelo.desktop"); // the others apply again
//     WriteFileAtomic(path, list.Text(), error);

#include <string>
#include <string_view>
#include <vector>

namespace kravelo {

class MimeAppsList {
public:
    static MimeAppsList Parse(std::string_view text);

    // The file's text: the lines as read, with the edits.
    std::string Text() const;

    // The desktop ids of the type's default entry, in order (the first installed one is the
    // default). Types compare without regard to case, as MIME types do.
    std::vector<std::string> Defaults(std::string_view mimeType) const;

    // Puts `desktopId` first in the type's default entry; the ids already there stay after it.
    void SetDefault(std::string_view mimeType, std::string_view desktopId);
    // Takes `desktopId` out of the type's default entry; an entry left empty goes away. True
    // when the id was there.
    bool RemoveDefault(std::string_view mimeType, std::string_view desktopId);

private:
    // Indexes of the type's key lines in [Default Applications] sections.
    std::vector<std::size_t> KeyLines(std::string_view mimeType) const;

    // The "\r" that ends a line of a "\r\n" file: what a new line gets, what a line had.
    std::string NewLineEnd() const;
    std::string LineEnd(std::size_t index) const;

    std::vector<std::string> lines_;  // as read, without the "\n" (a "\r" before it stays)
    bool crlf_ = false;          // the file's lines end with "\r\n"
    bool finalBreak_ = true;     // the last line ends with a line break
};

}  // namespace kravelo
