#pragma once
// Subtitle and settings files as lines of UTF-8 text. A file is read as bytes: valid UTF-8
// (with or without a byte-order mark) is UTF-8, anything else Windows-1250. The encoding, the
// mark, the line ending and whether the last line had a break are kept, so writing the lines
// back gives the same bytes. Every write goes to a temporary file in the target's folder that
// is then renamed over the target: a failed write leaves the old file as it was.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kravelo {

// Bytes handed over in pieces: a writer takes one piece and returns 0 or an errno; a producer
// calls it for each piece and returns the first non-zero value (or its own errno).
using ChunkWriter = std::function<int(std::string_view chunk)>;
using ChunkProducer = std::function<int(const ChunkWriter& write)>;

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

// Why lines cannot be written in a format so that they read back as they are.
struct EncodeProblems {
    std::size_t unmappable = 0;  // characters Windows-1250 has no byte for
    std::size_t misread = 0;     // characters that would read back wrongly, because the
                                 // Windows-1250 bytes form valid UTF-8 and the reader takes them so
};
// True when the reader would take these Windows-1250 bytes for UTF-8 and show other characters.
bool Windows1250ReadsAsUtf8(std::string_view bytes);

// The file bytes of lines in a format. A UTF-8 text that begins with U+FEFF gets a byte-order
// mark in front even when the format has none, so the character survives reading.
std::string EncodeText(const std::vector<std::string>& lines, const TextFormat& format, EncodeProblems& problems);
// The same; `unmappable` counts every character that would not read back (both kinds above),
// so a caller that offers UTF-8 for unmappable characters offers it for these too.
std::string EncodeText(const std::vector<std::string>& lines, const TextFormat& format,
                       std::size_t* unmappable = nullptr);
// A UTF-8 format's bytes (exactly EncodeText's) handed to `sink` in pieces of about a megabyte,
// so a large document is written without a second copy of it in memory. Stops at the first
// non-zero value `sink` returns and returns it.
int EncodeUtf8Chunks(const std::vector<std::string>& lines, const TextFormat& format, const ChunkWriter& sink);
// An English sentence for the problems (empty when there are none).
std::string EncodeProblemText(const EncodeProblems& problems);

// Reads a whole regular file; false with a message in `error` when it cannot be read, is not a
// regular file (a device such as /dev/zero never ends) or does not fit in memory.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);
bool ReadTextFile(const std::string& path, TextDocument& out, std::string& error);

// Saves bytes safely (src/core/safe_save.cpp): into a temporary file with a short name in the
// target's folder, flushed, then renamed over the target, so a failed write leaves the old file
// as it was. A symbolic link is followed and its target written. The file keeps its owner, group
// and permissions; a file with further hard links is rewritten in place once the temporary copy
// is complete, so every name keeps seeing it. Refuses, with a message, a file or folder with no
// write permission bit at all (write protection counts even for root) and a file the process
// may not write.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error);
// The same with the bytes handed over in pieces: `produce` calls the writer for each piece and
// returns the first non-zero errno it got (or its own), 0 when all went well.
bool WriteFileAtomic(const std::string& path, const ChunkProducer& produce, std::string& error);
// Encodes and writes lines. Refuses (and writes nothing) when a character cannot be written
// in the file's encoding or would read back as another, so no text is silently lost.
bool WriteTextFile(const std::string& path, const std::vector<std::string>& lines, const TextFormat& format,
                   std::string& error);

// Test seam for saving: called before each step ("create", "write", "sync", "rename"); a
// non-zero errno it returns makes that step fail as the system would. nullptr: no faults.
using SaveFaultFn = int (*)(std::string_view step);
void SetSaveFaultForTests(SaveFaultFn fault);

}  // namespace kravelo
