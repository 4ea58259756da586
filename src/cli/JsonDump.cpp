#include "cli/JsonDump.h"

#include "cli/JsonStream.h"
#include "dbfile/DatabaseRead.h"
#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace {

std::string AnsiToUtf8(const std::string& text) {
    return Utf16ToUtf8(AnsiToWide(text));
}

std::string ValueText(const cValue& value) {
    if (value.mediaType() == MediaTypeUnicode) {
        const auto& unicode = static_cast<const cUnicodeValue&>(value);
        if (!unicode.text())
            return std::string();
        return Utf16ToUtf8(std::u16string(unicode.text(), unicode.length()));
    }
    const cString& text = static_cast<const cAsciiValue&>(value).text;
    return AnsiToUtf8(std::string(text.textOrEmpty(), text.length()));
}

// Writes each part of the file as it comes. The parts come in the order of the document's
// members; a member whose array is empty is written when the next one starts.
class cJsonDump : public cScratchValueVisitor {
public:
    explicit cJsonDump(std::ostream& out) : json_(out) {}

    void head(const std::string& name, const std::string& description) override {
        json_.beginObject();
        json_.member("name", AnsiToUtf8(name));
        json_.member("description", AnsiToUtf8(description));
    }
    void attribute(uint16_t mediaType, const std::string& name) override {
        enter(eSection::Attributes);
        json_.beginObject();
        json_.member("media", mediaType);
        json_.member("name", AnsiToUtf8(name));
        json_.endObject();
    }
    void category(uint16_t group, const std::string& name,
                  const std::vector<sTermRun>& runs) override {
        enter(eSection::Categories);
        // A load leaves out the category a save adds for terms in no group-0 category.
        if (cDatabase::isAddedUncategorized(group, name.c_str()))
            return;
        json_.beginObject();
        json_.member("group", group);
        json_.member("name", AnsiToUtf8(name));
        json_.key("members");
        json_.beginArray();
        for (const sTermRun& run : runs)
            for (uint32_t k = 0; k < run.length; ++k)
                json_.value(run.firstTerm + k);
        json_.endArray();
        json_.endObject();
    }
    void beginTerm() override {
        enter(eSection::Terms);
        if (inTerm_)
            json_.endArray();
        json_.beginArray();
        inTerm_ = true;
    }
    void valueRead(const cValue& value) override {
        json_.beginObject();
        json_.member("attribute", value.attribute);
        json_.member("text", ValueText(value));
        json_.endObject();
    }

    void finish() {
        enter(eSection::Terms);
        if (inTerm_)
            json_.endArray();
        json_.endArray();
        json_.endObject();
        json_.finish();
    }

private:
    enum class eSection { Head, Attributes, Categories, Terms };

    // Closes the array of the section written so far and opens those up to section.
    void enter(eSection section) {
        static const char* const names[] = {"", "attributes", "categories", "terms"};
        while (section_ < section) {
            if (section_ != eSection::Head)
                json_.endArray();
            section_ = static_cast<eSection>(static_cast<int>(section_) + 1);
            json_.key(names[static_cast<int>(section_)]);
            json_.beginArray();
        }
    }

    cJsonStream json_;
    eSection section_ = eSection::Head;
    bool inTerm_ = false;
};

} // namespace

int WriteDatabaseJson(const std::string& path, std::ostream& out) {
    cJsonDump dump(out);
    if (StreamDatabaseFile(path, dump) != 0)
        return 1;
    dump.finish();
    return 0;
}
