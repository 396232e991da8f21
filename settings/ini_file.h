#pragma once

#include <stdexcept>
#include <string>

namespace vask {

// A refused write: the text is "Unable to write to " + the file's path.
class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The settings file in the Windows profile format: "[Section]" lines and "Key=Value" lines.
// Every read and every write goes straight to the file; nothing is cached, so two windows
// holding an IniFile on the same file never overwrite each other's keys.
//
// Reading never fails: a missing or unreadable file, section or key, or a value that does not
// parse, gives the default. Section and key names compare without regard to case; values are
// the text after the first "=", with surrounding blanks removed. Integers are signed decimal,
// or hexadecimal after "0x"/"0X"; booleans are integers, any non-zero value true.
//
// A write rewrites the whole file through a temporary file renamed over it, keeping every
// other line as it was; a key already present keeps its spelling and place. A write the file
// system refuses throws IniWriteError and leaves the file as it was.
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& path() const { return m_path; }

    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;

    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    // Whether the key is present at all (the file's raw state, for tests and tools).
    bool hasKey(const std::string& section, const std::string& key) const;

private:
    std::string m_path;
};

// Parses an integer by the profile rules; false for text that is not a whole number.
bool parseProfileInteger(const std::string& text, int& value);

} // namespace vask
