#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

    std::size_t firstLf = bytes.find('\n');
    f.lineEnding = (firstLf != std::string_view::npos && firstLf > 0 && bytes[firstLf - 1] == '\r') ? LineEnding::CrLf
                   : firstLf != std::string_view::npos                                               ? LineEnding::Lf
                                                                                                     : LineEnding::CrLf;
    f.finalLineBreak = bytes.empty() || bytes.back() == '\n';

    std::size_t pos = 0;
    doc.lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
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

std::string EncodeText(const std::vector<std::string>& lines, const TextFormat& f, std::size_t* unmappable) {
    const std::string_view eol = f.lineEnding == LineEnding::CrLf ? "\r\n" : "\n";
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + eol.size();
    std::string text;
    text.reserve(total + kBom.size());
    if (f.bom && f.encoding == TextEncoding::Utf8) text.append(kBom);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text.append(lines[i]);
        if (i + 1 < lines.size() || f.finalLineBreak) text.append(eol);
    }
    if (unmappable) *unmappable = 0;
    if (f.encoding == TextEncoding::Windows1250) return Utf8ToWindows1250(text, unmappable);
    return text;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(fp);
        error = path + ": is a folder";
        return false;
    }
    // Read in one piece when the size is known; grow for pipes and special files.
    bytes.clear();
    if (st.st_size > 0) bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t have = 0;
    while (true) {
        if (have == bytes.size()) bytes.resize(bytes.size() < 65536 ? 65536 : bytes.size() * 2);
        std::size_t n = std::fread(bytes.data() + have, 1, bytes.size() - have, fp);
        have += n;
        if (n == 0) break;
    }
    bytes.resize(have);
    bool failed = std::ferror(fp) != 0;
    int err = errno;
    std::fclose(fp);
    if (failed) {
        error = path + ": " + std::strerror(err);
        return false;
    }
    return true;
}

bool ReadTextFile(const std::string& path, TextDocument& out, std::string& error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    out = DecodeText(bytes);
    return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string& error) {
    std::string folder = ".";
    std::string name = path;
    if (auto slash = path.find_last_of('/'); slash != std::string::npos) {
        folder = slash == 0 ? "/" : path.substr(0, slash);
        name = path.substr(slash + 1);
    }
    std::string tmp = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
    if (folder == ".") tmp = "." + name + ".XXXXXX";
    std::vector<char> tmpl(tmp.begin(), tmp.end());
    tmpl.push_back('\0');
    int fd = mkstemp(tmpl.data());
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::string tmpPath(tmpl.data());
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmpPath.c_str());
        error = path + ": " + std::strerror(err);
        return false;
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0) return fail(errno);
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) return fail(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmpPath.c_str());
        error = path + ": " + std::strerror(err);
        return false;
    }
    if (::rename(tmpPath.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmpPath.c_str());
        error = path + ": " + std::strerror(err);
        return false;
    }
    return true;
}

bool WriteTextFile(const std::string& path, const std::vector<std::string>& lines, const TextFormat& format,
                   std::string& error) {
    std::size_t unmappable = 0;
    std::string bytes = EncodeText(lines, format, &unmappable);
    if (unmappable > 0) {
        error = path + ": " + std::to_string(unmappable) +
                " character(s) cannot be written in the file's Windows-1250 encoding";
        return false;
    }
    return WriteFileAtomic(path, bytes, error);
}

}  // namespace kravelo
