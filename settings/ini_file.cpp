#include "settings/ini_file.h"

#include "engine/codecs/file_io.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vask {

namespace {

// One line of the file as it was read, without its line end.
struct IniLine {
    std::string text;
    enum Kind { Other, Section, Key } kind = Other;
    std::string name; // section or key name, trimmed
    std::string value;
};

struct IniContent {
    bool hasBom = false;
    std::string lineEnd = "\n";
    std::vector<IniLine> lines;
};

const char kBlanks[] = " \t\r\n\v\f";

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool sameName(const std::string& left, const std::string& right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t index = 0; index < left.size(); ++index) {
        const auto a = static_cast<unsigned char>(left[index]);
        const auto b = static_cast<unsigned char>(right[index]);
        const auto lowerA = (a >= 'A' && a <= 'Z') ? a + 32 : a;
        const auto lowerB = (b >= 'A' && b <= 'Z') ? b + 32 : b;
        if (lowerA != lowerB)
            return false;
    }
    return true;
}

IniLine classify(std::string text)
{
    IniLine line;
    line.text = std::move(text);
    const std::size_t first = line.text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return line;
    const char lead = line.text[first];
    if (lead == ';' || lead == '#')
        return line;
    if (lead == '[') {
        // A section line without its closing bracket still names a section, as the
        // profile functions read it.
        const std::size_t close = line.text.find(']', first + 1);
        const std::size_t end = close == std::string::npos ? line.text.size() : close;
        line.kind = IniLine::Section;
        line.name = trimmed(line.text.substr(first + 1, end - first - 1));
        return line;
    }
    const std::size_t equals = line.text.find('=');
    if (equals == std::string::npos)
        return line;
    line.kind = IniLine::Key;
    line.name = trimmed(line.text.substr(0, equals));
    line.value = trimmed(line.text.substr(equals + 1));
    return line;
}

// The whole file, or nothing when it cannot be read (missing, a folder, no permission).
bool readFileText(const std::string& path, std::string& bytes)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    return !stream.bad();
}

IniContent parse(const std::string& bytes)
{
    IniContent content;
    std::size_t start = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        content.hasBom = true;
        start = 3;
    }
    const std::size_t firstEnd = bytes.find('\n', start);
    if (firstEnd != std::string::npos && firstEnd > start && bytes[firstEnd - 1] == '\r')
        content.lineEnd = "\r\n";
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::size_t textEnd = end;
        if (textEnd > start && bytes[textEnd - 1] == '\r')
            --textEnd;
        content.lines.push_back(classify(bytes.substr(start, textEnd - start)));
        start = end + 1;
    }
    return content;
}

IniContent load(const std::string& path)
{
    std::string bytes;
    if (!readFileText(path, bytes))
        return {};
    return parse(bytes);
}

// Index of the first section line of that name, or npos.
std::size_t findSection(const IniContent& content, const std::string& section)
{
    for (std::size_t index = 0; index < content.lines.size(); ++index) {
        const IniLine& line = content.lines[index];
        if (line.kind == IniLine::Section && sameName(line.name, section))
            return index;
    }
    return std::string::npos;
}

// Index just past the last line of the section that starts at sectionLine.
std::size_t sectionEnd(const IniContent& content, std::size_t sectionLine)
{
    std::size_t index = sectionLine + 1;
    while (index < content.lines.size() && content.lines[index].kind != IniLine::Section)
        ++index;
    return index;
}

const IniLine* findKey(const IniContent& content, const std::string& section, const std::string& key)
{
    const std::size_t sectionLine = findSection(content, section);
    if (sectionLine == std::string::npos)
        return nullptr;
    const std::size_t end = sectionEnd(content, sectionLine);
    for (std::size_t index = sectionLine + 1; index < end; ++index) {
        const IniLine& line = content.lines[index];
        if (line.kind == IniLine::Key && sameName(line.name, key))
            return &line;
    }
    return nullptr;
}

// A value must stay on its line.
std::string oneLine(const std::string& value)
{
    std::string text = value;
    for (char& c : text) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

void setKey(IniContent& content, const std::string& section, const std::string& key, const std::string& value)
{
    const std::string valueText = oneLine(value);
    std::size_t sectionLine = findSection(content, section);
    if (sectionLine == std::string::npos) {
        if (!content.lines.empty() && !trimmed(content.lines.back().text).empty())
            content.lines.push_back(classify(std::string()));
        content.lines.push_back(classify("[" + section + "]"));
        content.lines.push_back(classify(key + "=" + valueText));
        return;
    }
    const std::size_t end = sectionEnd(content, sectionLine);
    std::size_t lastFilled = sectionLine;
    for (std::size_t index = sectionLine + 1; index < end; ++index) {
        IniLine& line = content.lines[index];
        if (line.kind == IniLine::Key && sameName(line.name, key)) {
            // Keep the key's own spelling and whatever blanks precede it.
            const std::size_t equals = line.text.find('=');
            line = classify(line.text.substr(0, equals) + "=" + valueText);
            return;
        }
        if (!trimmed(line.text).empty())
            lastFilled = index;
    }
    // New keys follow the section's last non-blank line, ahead of any blank separator.
    content.lines.insert(content.lines.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1),
                         classify(key + "=" + valueText));
}

std::string serialise(const IniContent& content)
{
    std::string bytes;
    if (content.hasBom)
        bytes += "\xEF\xBB\xBF";
    for (const IniLine& line : content.lines) {
        bytes += line.text;
        bytes += content.lineEnd;
    }
    return bytes;
}

// Writes through a temporary file renamed over the target, so a reader sees either the old
// file or the new one, and a refusal changes nothing.
bool replaceFile(const std::string& path, const std::string& bytes)
{
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return false;
    try {
        writeFileAtomically(path,
                            ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool parseProfileInteger(const std::string& text, int& value)
{
    const std::string number = trimmed(text);
    std::size_t index = 0;
    bool negative = false;
    if (index < number.size() && (number[index] == '+' || number[index] == '-')) {
        negative = number[index] == '-';
        ++index;
    }
    const bool hex = number.size() > index + 1 && number[index] == '0' &&
                     (number[index + 1] == 'x' || number[index + 1] == 'X');
    if (hex)
        index += 2;
    if (index >= number.size())
        return false;
    std::uint64_t magnitude = 0;
    for (; index < number.size(); ++index) {
        const char c = number[index];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (hex) {
        // Hexadecimal covers the 32-bit pattern, so 0xFFFFFFFF is -1 as the profile functions give.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        const auto signedValue = static_cast<std::int32_t>(bits);
        value = negative ? static_cast<int>(-static_cast<std::int64_t>(signedValue)) : signedValue;
        return true;
    }
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (signedValue < INT_MIN || signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

IniFile::IniFile(std::string path) : m_path(std::move(path)) {}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    const IniContent content = load(m_path);
    const IniLine* line = findKey(content, section, key);
    int value = defaultValue;
    if (line == nullptr || !parseProfileInteger(line->value, value))
        return defaultValue;
    return value;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    const IniContent content = load(m_path);
    const IniLine* line = findKey(content, section, key);
    return line == nullptr ? defaultValue : line->value;
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    std::string bytes;
    IniContent content;
    struct stat info {};
    if (::stat(m_path.c_str(), &info) == 0) {
        // An existing file that cannot be read must not be replaced by one holding only this key.
        if (!readFileText(m_path, bytes))
            throw IniWriteError("Unable to write to " + m_path);
        content = parse(bytes);
    }
    setKey(content, section, key, value);
    if (!replaceFile(m_path, serialise(content)))
        throw IniWriteError("Unable to write to " + m_path);
}

bool IniFile::hasKey(const std::string& section, const std::string& key) const
{
    const IniContent content = load(m_path);
    return findKey(content, section, key) != nullptr;
}

} // namespace vask
