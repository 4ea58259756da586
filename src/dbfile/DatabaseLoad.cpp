// cDatabase::load: the file is read whole and its parts become the database's.

#include <string>
#include <utility>
#include <vector>

#include "dbfile/DatabaseFormat.h"
#include "dbfile/DatabaseRead.h"
#include "dbfile/DiagnosticLog.h"
#include "dbfile/FileBytes.h"
#include "model/Database.h"
#include "model/TextStore.h"

namespace {

class cModelBuilder : public cDatabaseFileVisitor {
public:
    explicit cModelBuilder(cDatabase& db) : db_(db) {}

    void head(const std::string& name, const std::string& description) override {
        db_.name.assign(name.c_str());
        db_.description.assign(description.c_str());
    }
    void attribute(uint16_t mediaType, const std::string& name) override {
        db_.attributes.append(new cAttribute(mediaType, name.c_str()));
    }
    void category(uint16_t group, const std::string& name,
                  const std::vector<sTermRun>& runs) override {
        auto* category = new cCategory(group, name.c_str());
        db_.categories.append(category);
        for (const sTermRun& run : runs)
            for (uint32_t k = 0; k < run.length; ++k)
                category->addMember(run.firstTerm + k);
    }
    void beginTerm() override {
        term_ = new cTerm;
        db_.terms.append(term_);
    }
    cValue* valueFor(uint16_t attribute, uint16_t mediaType) override {
        cValue* value = cDatabase::newValue(attribute, mediaType);
        if (value && !term_->changeValues().append(value)) {
            value->destroy();
            return nullptr;
        }
        return value;
    }

private:
    cDatabase& db_;
    cTerm* term_ = nullptr;
};

} // namespace

int cDatabase::load() {
    const std::string source = path.textOrEmpty();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(source, bytes)) {
        AppendDiagnostic("cDatabase::load", "failed to open input file", source);
        return LoadResultBadFormat;
    }
    return load(std::move(bytes));
}

int cDatabase::load(std::vector<uint8_t>&& fileBytes) {
    cModelBuilder builder(*this);
    // Without a store (memory ran out for it) every text is copied, as from any bytes.
    cTextStore* store = cTextStore::hold(fileBytes);
    const int result =
        ReadDatabaseBytes(store ? store->bytes() : fileBytes, path.textOrEmpty(), builder);
    if (store)
        store->letGo();
    if (result == LoadResultOk)
        removeUncategorized();
    return result;
}
