#include "settings/IniFile.h"

#include "base/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace splot {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    return true;
}

// [begin, end) narrowed to exclude blanks on both sides.
void trim(std::string_view s, std::size_t& begin, std::size_t& end) {
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
}

bool isBlankLine(std::string_view s) {
    for (char c : s)
        if (!isBlank(c))
            return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// At least one hexadecimal digit and nothing else; at most 32 bits.
std::optional<std::uint32_t> parseHex(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t v = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        v = v * 16 + static_cast<std::uint64_t>(d);
        if (v > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(v);
}

std::string joined(std::string_view a, std::string_view b, std::string_view c) {
    std::string s;
    s.reserve(a.size() + b.size() + c.size());
    s.append(a);
    s.append(b);
    s.append(c);
    return s;
}

} // namespace

std::optional<int> parseIniInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto v = parseHex(text.substr(2));
        if (!v)
            return std::nullopt;
        return static_cast<std::int32_t>(*v);
    }
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i < text.size() && text[i] == '$') {
        const auto v = parseHex(text.substr(i + 1));
        if (!v)
            return std::nullopt;
        // Two's complement in 32 bits, as the hexadecimal pattern says.
        const std::uint32_t bits = negative ? (0u - *v) : *v;
        return static_cast<std::int32_t>(bits);
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(v);
}

IniFile::Line IniFile::makeLine(std::string text, Ending ending) {
    Line line;
    line.text = std::move(text);
    line.ending = ending;
    const std::string_view s = line.text;
    std::size_t begin = 0;
    std::size_t end = s.size();
    trim(s, begin, end);
    if (begin < end && s[begin] == '[') {
        const std::size_t close = s.rfind(']', end - 1);
        if (close != std::string_view::npos && close > begin) {
            std::size_t nameBegin = begin + 1;
            std::size_t nameEnd = close;
            trim(s, nameBegin, nameEnd);
            line.kind = Kind::Section;
            line.namePos = nameBegin;
            line.nameLen = nameEnd - nameBegin;
            return line;
        }
    }
    const std::size_t equals = s.find('=', begin);
    if (equals != std::string_view::npos && equals < end) {
        std::size_t keyBegin = begin;
        std::size_t keyEnd = equals;
        trim(s, keyBegin, keyEnd);
        if (keyEnd > keyBegin) {
            std::size_t valueBegin = equals + 1;
            std::size_t valueEnd = end;
            trim(s, valueBegin, valueEnd);
            line.kind = Kind::Key;
            line.namePos = keyBegin;
            line.nameLen = keyEnd - keyBegin;
            line.valuePos = valueBegin;
            line.valueLen = valueEnd - valueBegin;
        }
    }
    return line;
}

IniFile IniFile::fromText(std::string_view text) {
    IniFile ini;
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark) {
        ini.byteOrderMark_ = true;
        text.remove_prefix(byteOrderMark.size());
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t newline = text.find('\n', pos);
        if (newline == std::string_view::npos) {
            ini.lines_.push_back(makeLine(std::string(text.substr(pos)), Ending::None));
            break;
        }
        std::size_t end = newline;
        Ending ending = Ending::Lf;
        if (end > pos && text[end - 1] == '\r') {
            --end;
            ending = Ending::CrLf;
        }
        ini.lines_.push_back(makeLine(std::string(text.substr(pos, end - pos)), ending));
        pos = newline + 1;
    }
    return ini;
}

IniFile IniFile::load(const std::string& path) {
    namespace fs = std::filesystem;
    IniFile failed;
    failed.loadFailed_ = true;

    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return IniFile();
    if (ec || status.type() != fs::file_type::regular)
        return failed;

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failed;
    std::string data;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (data.size() > maxFileBytes)
            return failed;
    }
    if (in.bad())
        return failed;
    return fromText(data);
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && sameName(lines_[i].name(), section))
            return i;
    return npos;
}

bool IniFile::hasSection(std::string_view section) const {
    return findSection(section) != npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

std::size_t IniFile::findKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Key && sameName(lines_[i].name(), key))
            return i;
    return npos;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == npos)
        return std::nullopt;
    const std::size_t at = findKey(header, key);
    if (at == npos)
        return std::nullopt;
    return std::string(lines_[at].valueText());
}

int IniFile::readInteger(std::string_view section, std::string_view key, int def) const {
    const auto text = value(section, key);
    if (!text)
        return def;
    return parseIniInteger(*text).value_or(def);
}

bool IniFile::readFlag(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

IniFile::Ending IniFile::newLineEnding() const {
    for (const Line& line : lines_)
        if (line.ending != Ending::None)
            return line.ending;
    return Ending::Lf;
}

void IniFile::insertLine(std::size_t at, std::string text) {
    const Ending ending = newLineEnding();
    if (at > 0 && lines_[at - 1].ending == Ending::None)
        lines_[at - 1].ending = ending;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), makeLine(std::move(text), ending));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t header = findSection(section);
    if (header == npos) {
        insertLine(lines_.size(), joined("[", section, "]"));
        insertLine(lines_.size(), joined(key, "=", value));
        return;
    }
    const std::size_t at = findKey(header, key);
    if (at != npos) {
        // The key keeps the spelling it has in the file.
        Line& line = lines_[at];
        line = makeLine(joined(line.name(), "=", value), line.ending);
        return;
    }
    std::size_t insertAt = header + 1;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (!isBlankLine(lines_[i].text))
            insertAt = i + 1;
    insertLine(insertAt, joined(key, "=", value));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeFlag(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

std::string IniFile::text() const {
    std::string out;
    if (byteOrderMark_)
        out += byteOrderMark;
    for (const Line& line : lines_) {
        out += line.text;
        if (line.ending == Ending::CrLf)
            out += "\r\n";
        else if (line.ending == Ending::Lf)
            out += '\n';
    }
    return out;
}

bool IniFile::save(const std::string& path) const {
    return writeFileAtomically(path, text());
}

} // namespace splot
