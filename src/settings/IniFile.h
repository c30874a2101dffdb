#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace splot {

// A settings file of sections and keys, held line by line so that writing
// keeps every line it does not change.
//
// Format: a line "[name]" starts a section (blanks around the brackets and
// the name are ignored); a line "key=value" inside a section holds a key
// (blanks around the key and the value are ignored). Section and key names
// match without regard to ASCII letter case. When a section or a key occurs
// more than once, the first occurrence is the one read and written. Lines
// before the first section, and lines that are neither sections nor keys,
// belong to no key and are kept as they stand.
//
// Tolerated: a UTF-8 byte-order mark (kept), CR LF or LF line ends (new lines
// follow the file's first line end, LF in a new file), a last line without a
// line end, very long lines, any bytes.
class IniFile {
public:
    // Files longer than this are not read: their keys take their defaults and
    // the file counts as unreadable, so it is never overwritten.
    static constexpr std::size_t maxFileBytes = std::size_t{64} << 20;

    IniFile() = default;
    static IniFile fromText(std::string_view text);

    // Reads the file at path. A missing file gives an empty IniFile; a file
    // that exists but cannot be read whole (no permission, not a regular file,
    // too long) gives an empty IniFile with loadFailed() true.
    static IniFile load(const std::string& path);
    bool loadFailed() const { return loadFailed_; }
    // True when the file has the section (letter case aside).
    bool hasSection(std::string_view section) const;

    // The value text of the first matching key of the first matching section,
    // without the blanks around it; nothing when the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // The key's value as an integer (see parseIniInteger), or def.
    int readInteger(std::string_view section, std::string_view key, int def) const;
    // An integer read with the default 1 for true and 0 for false; true when not 0.
    bool readFlag(std::string_view section, std::string_view key, bool def) const;

    // Replaces the value of the key where it stands; a key not yet present is
    // added after the last non-blank line of its section, and a section not
    // yet present is added at the end of the file.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeFlag(std::string_view section, std::string_view key, bool value);

    // The whole file as it would be saved.
    std::string text() const;

    // Writes text() to a temporary file in the folder of path and renames it
    // over path once it is complete, so the previous file survives any
    // failure. Returns false when the file could not be written.
    bool save(const std::string& path) const;

private:
    enum class Kind { Other, Section, Key };
    enum class Ending { None, Lf, CrLf }; // None: the last line, without a line end
    struct Line {
        std::string text; // without the line end
        Ending ending = Ending::None;
        Kind kind = Kind::Other;
        std::size_t namePos = 0; // section or key name within text, blanks excluded
        std::size_t nameLen = 0;
        std::size_t valuePos = 0; // key value within text, blanks excluded
        std::size_t valueLen = 0;
        std::string_view name() const { return std::string_view(text).substr(namePos, nameLen); }
        std::string_view valueText() const { return std::string_view(text).substr(valuePos, valueLen); }
    };
    static Line makeLine(std::string text, Ending ending);

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t findSection(std::string_view section) const;
    std::size_t sectionEnd(std::size_t header) const; // index of the next section header, or lines_.size()
    std::size_t findKey(std::size_t header, std::string_view key) const;
    void insertLine(std::size_t at, std::string text);
    Ending newLineEnding() const;

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
    bool loadFailed_ = false;
};

// Reads an integer value text by the settings-file rules: a text longer than
// two characters that begins with "0x" or "0X" is hexadecimal; otherwise
// leading blanks are skipped and an optionally signed number is read, decimal,
// or hexadecimal after "$". Nothing for an empty text, any other text,
// trailing characters, a decimal number outside the signed 32-bit range, or a
// hexadecimal number of more than 32 bits (hexadecimal numbers are 32-bit
// patterns: 0xFFFFFFFF is -1).
std::optional<int> parseIniInteger(std::string_view text);

} // namespace splot
