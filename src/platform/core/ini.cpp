#include "platform/core/ini.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/core/text.h"

namespace kob {
namespace {

// The window thread writes keys while the login-name worker may read one:
// each read and write is one whole operation on the file.
std::mutex& ProfileMutex() {
    static std::mutex mutex;
    return mutex;
}

struct Line {
    std::string text;  // GBK bytes without the line end
    std::string end;   // "\r\n", "\n" or "" (last line without one)
};

std::optional<std::string> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// 0x0A and 0x0D never occur inside a GBK character, so lines split on bytes.
std::vector<Line> SplitLines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t nl = bytes.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        const bool crlf = nl > start && bytes[nl - 1] == '\r';
        const size_t stop = crlf ? nl - 1 : nl;
        lines.push_back({bytes.substr(start, stop - start), crlf ? "\r\n" : "\n"});
        start = nl + 1;
    }
    return lines;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// Compared in UTF-8, where an ASCII byte is always an ASCII character; in
// GBK a trail byte may look like a letter.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

struct Entry {
    enum Kind { kOther, kSection, kKey } kind = kOther;
    std::string name;   // UTF-8
    std::string value;  // UTF-8
};

Entry Parse(const std::string& gbk_line) {
    const std::string utf8 = GbkToUtf8(gbk_line);
    const std::string_view line = Trim(utf8);
    Entry e;
    if (line.empty() || line.front() == ';') {
        return e;
    }
    if (line.front() == '[') {
        const size_t close = line.find(']');
        e.kind = Entry::kSection;
        e.name = std::string(
            Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
        return e;
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return e;
    }
    e.kind = Entry::kKey;
    e.name = std::string(Trim(line.substr(0, eq)));
    std::string_view value = Trim(line.substr(eq + 1));
    // Windows drops one pair of enclosing quotes.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    e.value = std::string(value);
    return e;
}

bool IsBlankLine(const std::string& text) {
    return Trim(text).empty();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
    }
    // A reader in another process sees the old file or the new one, whole.
    const std::string temp = path + "." + std::to_string(getpid()) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key) {
    std::lock_guard lock(ProfileMutex());
    const auto bytes = ReadBytes(path);
    if (!bytes) {
        return {};
    }
    bool in_section = false;
    for (const Line& line : SplitLines(*bytes)) {
        const Entry e = Parse(line.text);
        if (e.kind == Entry::kSection) {
            in_section = SameName(e.name, section);
        } else if (e.kind == Entry::kKey && in_section && SameName(e.name, key)) {
            return e.value;
        }
    }
    return {};
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const auto gbk_section = Utf8ToGbk(section);
    const auto gbk_key = Utf8ToGbk(key);
    const auto gbk_value = Utf8ToGbk(value);
    if (!gbk_section || !gbk_key || !gbk_value || section.empty() || key.empty()) {
        return false;
    }
    const std::string key_line = *gbk_key + "=" + *gbk_value;

    std::lock_guard lock(ProfileMutex());
    const std::string bytes = ReadBytes(path).value_or(std::string());
    std::vector<Line> lines = SplitLines(bytes);
    std::string eol = "\r\n";
    for (const Line& line : lines) {
        if (!line.end.empty()) {
            eol = line.end;
            break;
        }
    }

    // The key is looked for in every section of that name, as the reader
    // does; a new key goes to the end of the first such section.
    std::optional<size_t> section_line;
    std::optional<size_t> key_at;
    size_t last_content = 0;  // last non-blank line of the first section
    bool in_section = false;
    bool in_first = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Entry e = Parse(lines[i].text);
        if (e.kind == Entry::kSection) {
            in_section = SameName(e.name, section);
            in_first = in_section && !section_line;
            if (in_first) {
                section_line = i;
                last_content = i;
            }
            continue;
        }
        if (!in_section) {
            continue;
        }
        if (e.kind == Entry::kKey && SameName(e.name, key)) {
            key_at = i;
            break;
        }
        if (in_first && !IsBlankLine(lines[i].text)) {
            last_content = i;
        }
    }

    if (key_at) {
        lines[*key_at].text = key_line;
    } else if (section_line) {
        const size_t after = last_content;
        if (lines[after].end.empty()) {
            lines[after].end = eol;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1, Line{key_line, eol});
    } else {
        if (!lines.empty() && lines.back().end.empty()) {
            lines.back().end = eol;
        }
        lines.push_back({"[" + *gbk_section + "]", eol});
        lines.push_back({key_line, eol});
    }

    std::string out;
    out.reserve(bytes.size() + key_line.size() + 32);
    for (const Line& line : lines) {
        out += line.text;
        out += line.end;
    }
    return WriteBytes(path, out);
}

}  // namespace kob
