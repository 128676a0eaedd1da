#include "core/text_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace kravelo {
namespace {

constexpr std::array<char16_t, 128> kCp1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at i; returns its length, or 0 when it is not valid.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if ((c & 0xE0) == 0xC0) {
        len = 2, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

const std::string_view kBom = "\xEF\xBB\xBF";

// Anonymous memory of its own mapping, freed with it.
struct BigBuffer {
    char* data = nullptr;
    std::size_t size = 0;
    bool Allocate(std::size_t n) {
        void* p = ::mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) return false;
        ::madvise(p, n, MADV_HUGEPAGE);  // a hint; without it the pages are ordinary ones
        data = static_cast<char*>(p);
        size = n;
        return true;
    }
    ~BigBuffer() {
        if (data) ::munmap(data, size);
    }
};

// Reads a whole regular file whose size is known into `buffer`; false (nothing reported) when
// anything differs from the plain case, so the caller reads it the ordinary way.
bool ReadLargeFile(const std::string& path, BigBuffer& buffer, std::string_view& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
              buffer.Allocate(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t have = 0;
    while (ok) {
        ssize_t n = ::read(fd, buffer.data + have, buffer.size - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        have += static_cast<std::size_t>(n);
        if (have == buffer.size) ok = false;  // the file grew while being read
    }
    ::close(fd);
    bytes = std::string_view(buffer.data, have);
    return ok;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        // Runs of ASCII are the common case.
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp;
        std::size_t n = DecodeUtf8(bytes, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string Windows1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out.push_back(ch);
        else
            AppendUtf8(out, kCp1250[c - 0x80]);
    }
    return out;
}

std::string Utf8ToWindows1250(std::string_view utf8, std::size_t* unmappable) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t bad = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        char32_t cp;
        std::size_t n = DecodeUtf8(utf8, i, cp);
        if (n == 0) {
            ++bad;
            out.push_back('?');
            ++i;
            continue;
        }
        i += n;
        int found = -1;
        for (int k = 0; k < 128; ++k)
            if (kCp1250[k] == cp) {
                found = k;
                break;
            }
        if (found < 0) {
            ++bad;
            out.push_back('?');
        } else {
            out.push_back(static_cast<char>(0x80 + found));
        }
    }
    if (unmappable) *unmappable = bad;
    return out;
}

TextDocument DecodeText(std::string_view bytes) {
    TextDocument doc;
    TextFormat& f = doc.format;
    std::string converted;
    std::string_view body = bytes;
    if (body.substr(0, kBom.size()) == kBom) body.remove_prefix(kBom.size());
    if (IsValidUtf8(body)) {
        f.encoding = TextEncoding::Utf8;
        f.bom = body.size() != bytes.size();
        bytes = body;
    } else {
        // Not UTF-8: every byte, a leading EF BB BF included, is a Windows-1250 character.
        f.encoding = TextEncoding::Windows1250;
        converted = Windows1250ToUtf8(bytes);
        bytes = converted;
    }

    // The line ending most breaks use; a tie goes by the first line. (A file of LF lines whose
    // first line ends in CR stays an LF file, its CR kept as part of that line.)
    std::size_t breaks = 0, crlf = 0;
    for (const char* p = bytes.data(); p != nullptr;) {
        const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(bytes.data() + bytes.size() - p));
        if (!hit) break;
        const char* lf = static_cast<const char*>(hit);
        ++breaks;
        if (lf > bytes.data() && lf[-1] == '\r') ++crlf;
        p = lf + 1;
    }
    const std::size_t bare = breaks - crlf;
    std::size_t firstLf = bytes.find('\n');
    const bool firstIsCrLf = firstLf != std::string_view::npos && firstLf > 0 && bytes[firstLf - 1] == '\r';
    f.lineEnding = breaks == 0 || crlf > bare || (crlf == bare && firstIsCrLf) ? LineEnding::CrLf : LineEnding::Lf;
    f.finalLineBreak = bytes.empty() || bytes.back() == '\n';

    std::size_t pos = 0;
    doc.lines.reserve(breaks + 1);
    while (pos < bytes.size()) {
        std::size_t lf = bytes.find('\n', pos);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::size_t lineEnd = end;
        if (lf != std::string_view::npos && f.lineEnding == LineEnding::CrLf && lineEnd > pos && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        doc.lines.emplace_back(bytes.substr(pos, lineEnd - pos));
        if (lf == std::string_view::npos) break;
        pos = lf + 1;
    }
    return doc;
}

bool Windows1250ReadsAsUtf8(std::string_view bytes) {
    std::string_view body = bytes;
    if (body.substr(0, kBom.size()) == kBom) body.remove_prefix(kBom.size());
    const bool nonAscii =
        std::any_of(body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return (nonAscii || body.size() != bytes.size()) && IsValidUtf8(body);
}

std::string EncodeText(const std::vector<std::string>& lines, const TextFormat& f, EncodeProblems& problems) {
    problems = {};
    const std::string_view eol = f.lineEnding == LineEnding::CrLf ? "\r\n" : "\n";
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + eol.size();
    std::string text;
    text.reserve(total + kBom.size());
    if (f.encoding == TextEncoding::Utf8) {
        // A text that itself begins with U+FEFF needs a mark in front, or the reader takes that
        // character for the mark and drops it.
        const bool startsWithMark = !lines.empty() && std::string_view(lines[0]).substr(0, kBom.size()) == kBom;
        if (f.bom || startsWithMark) text.append(kBom);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text.append(lines[i]);
        if (i + 1 < lines.size() || f.finalLineBreak) text.append(eol);
    }
    if (f.encoding != TextEncoding::Windows1250) return text;
    std::string bytes = Utf8ToWindows1250(text, &problems.unmappable);
    if (Windows1250ReadsAsUtf8(bytes))
        problems.misread = static_cast<std::size_t>(
            std::count_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    return bytes;
}

std::string EncodeText(const std::vector<std::string>& lines, const TextFormat& f, std::size_t* unmappable) {
    EncodeProblems problems;
    std::string bytes = EncodeText(lines, f, problems);
    if (unmappable) *unmappable = problems.unmappable + problems.misread;
    return bytes;
}

int EncodeUtf8Chunks(const std::vector<std::string>& lines, const TextFormat& f, const ChunkWriter& sink) {
    constexpr std::size_t kChunk = 1 << 20;
    const std::string_view eol = f.lineEnding == LineEnding::CrLf ? "\r\n" : "\n";
    std::string buf;
    buf.reserve(kChunk + 4096);
    const bool startsWithMark = !lines.empty() && std::string_view(lines[0]).substr(0, kBom.size()) == kBom;
    if (f.bom || startsWithMark) buf.append(kBom);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() >= kChunk) {  // a huge line goes out as it is
            if (int e = buf.empty() ? 0 : sink(buf)) return e;
            buf.clear();
            if (int e = sink(line)) return e;
        } else {
            buf.append(line);
        }
        if (i + 1 < lines.size() || f.finalLineBreak) buf.append(eol);
        if (buf.size() >= kChunk) {
            if (int e = sink(buf)) return e;
            buf.clear();
        }
    }
    return buf.empty() ? 0 : sink(buf);
}

std::string EncodeProblemText(const EncodeProblems& problems) {
    if (problems.unmappable > 0)
        return std::to_string(problems.unmappable) +
               " character(s) cannot be written in the file's Windows-1250 encoding";
    if (problems.misread > 0)
        return "in the file's Windows-1250 encoding this text would read back as UTF-8 and show " +
               std::to_string(problems.misread) + " character(s) wrongly; save it as UTF-8";
    return {};
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        // A device or a pipe may never end (/dev/zero): only regular files are read.
        error = path + (folder ? ": is a folder" : ": is not a regular file");
        return false;
    }
    bytes.clear();
    try {
        // One piece when the size is known; a file still growing is read on to its end.
        std::size_t have = 0;
        bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
        while (true) {
            if (have == bytes.size()) bytes.resize(bytes.size() * 2);
            ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
            if (n < 0) {
                if (errno == EINTR) continue;
                error = path + ": " + std::strerror(errno);
                ::close(fd);
                bytes.clear();
                return false;
            }
            if (n == 0) break;
            have += static_cast<std::size_t>(n);
        }
        bytes.resize(have);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        bytes.clear();
        bytes.shrink_to_fit();
        error = path + ": the file is too large to be read into memory";
        return false;
    }
    ::close(fd);
    return true;
}

bool ReadTextFile(const std::string& path, TextDocument& out, std::string& error) {
    try {
        // A large file is read into a mapping of its own with huge pages asked for: its bytes
        // are only needed until they are decoded, and a 50 MB read then costs a few dozen page
        // faults instead of thousands.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= (4 << 20)) {
            std::string_view bytes;
            BigBuffer buffer;
            if (ReadLargeFile(path, buffer, bytes)) {
                out = DecodeText(bytes);
                return true;
            }
        }
        std::string bytes;
        if (!ReadFileBytes(path, bytes, error)) return false;
        out = DecodeText(bytes);
    } catch (const std::bad_alloc&) {
        error = path + ": the file is too large to be read into memory";
        return false;
    }
    return true;
}

bool WriteTextFile(const std::string& path, const std::vector<std::string>& lines, const TextFormat& format,
                   std::string& error) {
    if (format.encoding == TextEncoding::Utf8)  // every character fits: written piece by piece
        return WriteFileAtomic(path, [&](const ChunkWriter& write) { return EncodeUtf8Chunks(lines, format, write); },
                               error);
    EncodeProblems problems;
    std::string bytes = EncodeText(lines, format, problems);
    if (problems.unmappable > 0 || problems.misread > 0) {
        error = path + ": " + EncodeProblemText(problems);
        return false;
    }
    return WriteFileAtomic(path, bytes, error);
}

}  // namespace kravelo
