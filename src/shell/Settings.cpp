#include "shell/Settings.h"

#include "dbfile/SafeSave.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

sSettings Settings;

namespace {

// Reads the settings text the way the C stream functions it was written for would: words
// and numbers separated by white space, where a line end counts as a blank.
class cSettingsReader {
public:
    explicit cSettingsReader(std::string text) : text_(std::move(text)) {}

    bool atEnd() const { return position_ >= text_.size(); }

    // The next blank-delimited word; empty at the end of the text.
    std::string word() {
        skipBlanks();
        size_t start = position_;
        while (!atEnd() && !isBlank(text_[position_]))
            ++position_;
        return text_.substr(start, position_ - start);
    }

    // A decimal integer with an optional sign; false when there is none. Values beyond the
    // range of int saturate.
    bool integer(int& result) {
        skipBlanks();
        size_t at = position_;
        bool negative = false;
        if (at < text_.size() && (text_[at] == '+' || text_[at] == '-'))
            negative = text_[at++] == '-';
        if (at >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[at])))
            return false;
        long long value = 0;
        for (; at < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at])); ++at)
            value = std::min<long long>(value * 10 + (text_[at] - '0'), 1LL + INT_MAX);
        position_ = at;
        value = negative ? -value : value;
        result =
            static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(value, INT_MAX)));
        return true;
    }

    // Characters up to the next blank outside double quotes; the quotes switch quoting and
    // are dropped. A line end closes the value even inside quotes, so a stray quote cannot
    // swallow the lines after it.
    std::string value() {
        skipBlanks();
        std::string result;
        bool quoted = false;
        for (; !atEnd(); ++position_) {
            char c = text_[position_];
            if (c == '\n' || (isBlank(c) && !quoted))
                break;
            if (c == '"')
                quoted = !quoted;
            else
                result += c;
        }
        return result;
    }

private:
    static bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

    void skipBlanks() {
        while (!atEnd() && isBlank(text_[position_]))
            ++position_;
    }

    std::string text_;
    size_t position_ = 0;
};

// Text-mode reading: CR LF becomes LF.
std::string WithLineFeeds(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += text[i];
    }
    return result;
}

bool ReadIntegerSetting(cSettingsReader& reader, int& field) {
    return reader.integer(field) && !reader.atEnd();
}

// Reads settings until the end or the first thing that is not understood; what was read
// before that stays.
void ParseSettings(const std::string& text) {
    cSettingsReader reader(WithLineFeeds(text));
    for (;;) {
        std::string keyword = reader.word();
        if (keyword.empty())
            return;
        if (keyword == "firsttime") {
            if (!ReadIntegerSetting(reader, Settings.firstTime))
                return;
        } else if (keyword == "font_size") {
            if (!ReadIntegerSetting(reader, Settings.fontSize))
                return;
        } else if (keyword == "font_weight") {
            if (!ReadIntegerSetting(reader, Settings.fontWeight))
                return;
        } else if (keyword == "font_italic") {
            if (!ReadIntegerSetting(reader, Settings.fontItalic))
                return;
        } else if (keyword == "font_face") {
            std::string face = reader.value();
            if (face.empty())
                return;
            Settings.fontFace = face;
        } else if (keyword == "recent") {
            std::string path = reader.value();
            if (path.empty())
                return;
            Settings.recentFiles.push_back(path);
        } else if (keyword == "pinyin_style") {
            int style = 0;
            if (!reader.integer(style))
                return;
            Settings.pinyinStyle = style == 1 ? ePinyinStyle::Standard : ePinyinStyle::Handheld;
        } else if (keyword == "delimited") {
            Settings.delimitedChoices = reader.value();
        } else {
            return;
        }
    }
}

} // namespace

void LoadSettings() {
    Settings = sSettings{};
    std::ifstream in(SettingsFilePath(), std::ios::binary);
    if (in) {
        ParseSettings(std::string(std::istreambuf_iterator<char>(in), {}));
    } else {
        SaveSettings();
    }
    BuildTemplateList();
}

int SaveSettings() {
    std::string text = "firsttime " + std::to_string(Settings.firstTime) + "\n";
    text += "font_face \"" + Settings.fontFace + "\"\n";
    text += "font_size " + std::to_string(Settings.fontSize) + "\n";
    text += "font_weight " + std::to_string(Settings.fontWeight) + "\n";
    text += "font_italic " + std::to_string(Settings.fontItalic) + "\n";
    for (const std::string& path : Settings.recentFiles)
        text += "recent \"" + path + "\"\n";
    if (Settings.pinyinStyle == ePinyinStyle::Standard)
        text += "pinyin_style 1\n";
    if (!Settings.delimitedChoices.empty())
        text += "delimited \"" + Settings.delimitedChoices + "\"\n";

    std::error_code ignored;
    if (!EditorPaths.settingsDirectory.empty())
        std::filesystem::create_directories(EditorPaths.settingsDirectory, ignored);
    return SafeSaveFile(SettingsFilePath(), text.data(), text.size()) == 0 ? 0 : 1;
}
