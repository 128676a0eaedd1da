#pragma once
// Subtitle and settings files as lines of UTF-8 text. A file is read as bytes: valid UTF-8
// (with or without a byte-order mark) is UTF-8, anything else Windows-1250. The encoding, the
// mark, the line ending and whether the last line had a break are kept, so writing the lines
// back gives the same bytes. Every write goes to a temporary file in the target's folder that
// is then renamed over the target: a failed write leaves the old file as it was.

#include <string>
#include <string_view>
#include <vector>

namespace kravelo {

enum class TextEncoding { Utf8, Windows1250 };
enum class LineEnding { CrLf, Lf };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool bom = false;
    LineEnding lineEnding = LineEnding::CrLf;
    bool finalLineBreak = true;  // the last line ends with a line break
};

struct TextDocument {
    std::vector<std::string> lines;  // UTF-8, without line breaks
    TextFormat format;
};

bool IsValidUtf8(std::string_view bytes);

// Windows-1250 <-> UTF-8. The five bytes the code page leaves undefined map to the C1 control
// characters of the same value, so every byte sequence survives a round trip.
std::string Windows1250ToUtf8(std::string_view bytes);
// Characters the code page has no byte for become "?" and are counted in `unmappable`.
std::string Utf8ToWindows1250(std::string_view utf8, std::size_t* unmappable = nullptr);

TextDocument DecodeText(std::string_view bytes);
// The file bytes of lines in a format; counts characters the encoding cannot hold.
std::string EncodeText(const std::vector<std::string>& lines, const TextFormat& format,
                       std::size_t* unmappable = nullptr);

// Reads a whole file; false with a message in `error` when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);
bool ReadTextFile(const std::string& path, TextDocument& out, std::string& error);

// Writes bytes through a temporary file and a rename; keeps an existing file's permissions.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error);
// Encodes and writes lines. Refuses (and writes nothing) when a character cannot be written
// in the file's encoding, so no text is silently lost.
bool WriteTextFile(const std::string& path, const std::vector<std::string>& lines, const TextFormat& format,
                   std::string& error);

}  // namespace kravelo
