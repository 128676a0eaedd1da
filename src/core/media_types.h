#pragma once
// The file types the program opens: movie and subtitle extensions (the command line, dropped
// files, the open dialog and the desktop entry all use these lists) and the MIME type of each.

#include <string>
#include <string_view>
#include <vector>

namespace kravelo {

// Movie extensions in their fixed order: the classic containers first, then what the player
// also plays (Matroska, MP4, WebM, Ogg, MPEG transport streams, Flash video, 3GPP).
const std::vector<std::string>& MovieExtensions();
// "txt", "ssa", "srt".
const std::vector<std::string>& SubtitleExtensions();

// The text after the last "." of the file name (not of a folder name), in lower case; empty
// when the name has none.
std::string FileExtension(std::string_view path);
bool IsMovieFile(std::string_view path);
bool IsSubtitleFile(std::string_view path);

// The MIME type of a movie or subtitle extension (lower case, without the dot); empty for one
// the program does not open. Several extensions share a type (mpg, mpeg, mpe: video/mpeg).
std::string MimeTypeOfExtension(std::string_view extension);

// Every type of MimeTypeOfExtension, each once: the movie types in the order of their first
// extension, then the subtitle types. The desktop entry's MimeType= lists exactly these.
std::vector<std::string> OpenedMimeTypes();

// The movie open dialog's filter in "caption|patterns|caption|patterns" form.
std::string MovieOpenFilter();

}  // namespace kravelo
