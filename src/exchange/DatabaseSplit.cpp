#include "exchange/DatabaseSplit.h"

#include "dbfile/DatabaseFiles.h"
#include "model/Database.h"
#include "model/Limits.h"

#include <memory>

namespace {

constexpr size_t MaxDatabaseName = 31;

} // namespace

std::string SplitPartPath(const std::string& path, size_t number) {
    const size_t slash = path.rfind('/');
    const size_t base = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    const size_t stem = dot == std::string::npos || dot <= base ? path.size() : dot;
    return path.substr(0, stem) + " " + std::to_string(number) + path.substr(stem);
}

std::string SplitPartName(const std::string& baseName, size_t number) {
    const std::string suffix = " " + std::to_string(number);
    return baseName.substr(0, MaxDatabaseName - suffix.size()) + suffix;
}

std::vector<std::unique_ptr<cDatabase>> SplitDatabase(cDatabase& whole, uint32_t perPart) {
    std::vector<std::unique_ptr<cDatabase>> parts;
    const uint32_t total = whole.terms.count();
    // The categories of each term, gathered in one pass over the entries.
    std::vector<std::vector<uint32_t>> categoriesOf(total);
    uint32_t index = 0;
    for (const cCategory* category : Items<cCategory>(whole.categories)) {
        category->forEachMember(total, [&](uint32_t term) {
            if (categoriesOf[term].empty() || categoriesOf[term].back() != index)
                categoriesOf[term].push_back(index);
        });
        ++index;
    }
    std::vector<cTerm*> terms;
    for (cTerm* term : Items<cTerm>(whole.terms))
        terms.push_back(term);
    whole.terms.setOwns(false);
    whole.terms.clear();
    whole.terms.setOwns(true);
    for (uint32_t first = 0; first < total || parts.empty(); first += perPart) {
        auto part = std::make_unique<cDatabase>();
        part->description.assign(whole.description.textOrEmpty());
        for (const cAttribute* attribute : Items<cAttribute>(whole.attributes))
            part->attributes.append(attribute->clone());
        for (const cCategory* category : Items<cCategory>(whole.categories))
            part->categories.append(category->clone());
        const uint32_t end = std::min(total, first + perPart);
        for (uint32_t term = first; term < end; ++term) {
            part->terms.append(terms[term]);
            for (uint32_t category : categoriesOf[term])
                part->category(category)->addMember(term - first);
        }
        parts.push_back(std::move(part));
        if (total == 0)
            break;
    }
    return parts;
}

std::vector<std::string> WriteSplitDatabases(cDatabase& whole, const std::string& path) {
    const std::string name =
        whole.name.isEmpty() ? DatabaseNameFromPath(path) : whole.name.textOrEmpty();
    const std::vector<std::unique_ptr<cDatabase>> parts = SplitDatabase(whole, MaxTermCount);
    std::vector<std::string> written;
    for (size_t number = 1; number <= parts.size(); ++number) {
        cDatabase& part = *parts[number - 1];
        part.name.assign(SplitPartName(name, number).c_str());
        const std::string partPath = SplitPartPath(path, number);
        if (SaveDatabaseAs(part, partPath) != 0)
            return {};
        written.push_back(partPath);
    }
    return written;
}
