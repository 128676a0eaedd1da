#pragma once
// Profile (INI) files with the meaning of the Windows profile functions that the settings store
// and the language files were written for: "[section]" lines, "key=value" lines, no escapes,
// section and key names compared without regard to case. A missing file, section or key, and a
// value that does not parse, give the caller's default. Writing creates the section and key as
// needed and keeps every other line of the file (comments, unknown keys, order, encoding, line
// ending) as it was.
//
// The whole file is held in memory: read it once, read or write any number of keys, then Save()
// once. Save() writes through a temporary file and a rename (WriteFileAtomic), so a crash or a
// full disk never leaves a truncated file, and reports a failure to the caller.
//
// Details of the text format:
// - Names and values are stripped of blanks at both ends; the value is everything after the
//   first "=". A line starting with ";" is a comment. Lines before the first section and lines
//   without "=" are kept but never read.
// - With a section or key given twice, the first one counts (and is the one written).
// - The file is read with DecodeText: UTF-8, else Windows-1250. It is written back in the
//   encoding it was read in; when a new value cannot be written in Windows-1250 the whole file
//   becomes UTF-8. A new file is UTF-8 without byte-order mark, with LF line ends.
// - A line break inside a written value would start a new line; it is written as a space.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_file.h"

namespace kravelo {

class ProfileFile {
public:
    ProfileFile() = default;
    // Reads the file at `path`; a missing file is an empty profile.
    explicit ProfileFile(std::string path);
    // A profile read from bytes already in memory, to be saved at `path` (may be empty).
    static ProfileFile FromBytes(std::string_view bytes, std::string path = {});

    const std::string& Path() const { return path_; }
    // The file existed and was read.
    bool Exists() const { return exists_; }
    // The file exists but could not be read: it reads as empty and Save() refuses to replace it.
    bool ReadFailed() const { return readFailed_; }
    const std::string& ReadError() const { return readError_; }

    bool HasSection(std::string_view section) const;
    // The stripped value of a key, or nothing when the section or key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // The four value types. Int: a whole decimal integer in the 32-bit range (also "$1F" and
    // "0x1F" in hexadecimal, which hand-edited settings files may hold). Bool: an Int, any
    // non-zero value is true. Float: a decimal number with "." whatever the process locale.
    // String: the text as it stands.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int ReadInt(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    double ReadFloat(std::string_view section, std::string_view key, double def) const;

    // Changes the profile in memory; Save() writes it. A section name with a line break or "]",
    // or a key name that is empty or has a line break or "=", or begins with "[" or ";", cannot be
    // written as such and is ignored (it would add or change other lines).
    static bool ValidSectionName(std::string_view section);
    static bool ValidKeyName(std::string_view key);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, long long value);
    // Written as "0" or "1".
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // Shortest text that reads back to exactly the same value, with ".".
    void WriteFloat(std::string_view section, std::string_view key, double value);
    void WriteFloat(std::string_view section, std::string_view key, float value);

    // Writes the whole profile to Path(). Refuses, with a message in `error`, when the file
    // could not be read, and when the folder or an existing file has no write permission bit
    // at all: write protection counts even for root, who could otherwise write anywhere (as a
    // read-only attribute does on Windows).
    bool Save(std::string& error);

    const std::vector<std::string>& Lines() const { return lines_; }

    // Parsers shared with the readers above, for values taken from elsewhere.
    static std::optional<int> ParseInt(std::string_view text);
    static std::optional<double> ParseFloat(std::string_view text);
    static std::string FormatFloat(double value);
    static std::string FormatFloat(float value);

private:
    // Index of the first "[section]" line, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the first key line of the section starting at `header`, or npos.
    std::size_t FindKey(std::size_t header, std::string_view key) const;

    std::string path_;
    std::vector<std::string> lines_;
    TextFormat format_{TextEncoding::Utf8, false, LineEnding::Lf, true};
    bool exists_ = false;
    bool readFailed_ = false;
    std::string readError_;
};

}  // namespace kravelo
