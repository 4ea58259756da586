#include "shell/Find.h"

#include <algorithm>
#include <vector>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/ListView.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

// Only A to Z fold: accented capitals stay as they are, in both encodings.
template <class Char> Char Fold(Char c) {
    return (c >= 'A' && c <= 'Z') ? Char(c + 32) : c;
}

template <class Char>
bool TextMatches(const Char* value, size_t length, const std::basic_string<Char>& text,
                 const sFindOptions& options) {
    if (length == 0 || text.empty())
        return false;
    auto equal = [&options](Char a, Char b) {
        return options.matchCase ? a == b : Fold(a) == Fold(b);
    };
    if (options.wholeValue)
        return length == text.size() && std::equal(value, value + length, text.begin(), equal);
    return std::search(value, value + length, text.begin(), text.end(), equal) != value + length;
}

// The value against the search text, given the media type of its attribute (-1: no such
// attribute). A value matches only through the encoding its attribute declares.
bool ValueOfMediaTypeMatches(int attributeMediaType, const cValue& value,
                             const sFindOptions& options) {
    if (attributeMediaType == MediaTypeAscii && value.mediaType() == MediaTypeAscii) {
        const cString& text = static_cast<const cAsciiValue&>(value).text;
        return TextMatches(text.textOrEmpty(), text.length(), options.ansiText, options);
    }
    if (attributeMediaType == MediaTypeUnicode && value.mediaType() == MediaTypeUnicode) {
        const auto& unicode = static_cast<const cUnicodeValue&>(value);
        return unicode.text() &&
               TextMatches(unicode.text(), unicode.length(), options.wideText, options);
    }
    return false;
}

// The media type of every attribute by index, looked up once for a whole search.
std::vector<int> AttributeMediaTypes(const cDatabase& db) {
    std::vector<int> types;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
        types.push_back(attribute->mediaType);
    return types;
}

bool TermMatches(const std::vector<int>& mediaTypes, const cTerm& term,
                 const sFindOptions& options) {
    for (const cValue* each : Items<cValue>(term.values())) {
        const cValue& value = *each;
        const int type = value.attribute < mediaTypes.size() ? mediaTypes[value.attribute] : -1;
        if (ValueOfMediaTypeMatches(type, value, options))
            return true;
    }
    return false;
}

} // namespace

void SetFindText(const std::u16string& text) {
    sFindOptions& options = AppState().findOptions;
    options.wideText = text;
    options.ansiText = WideToAnsi(text);
}

bool ValueMatches(const cDatabase& db, const cValue& value, const sFindOptions& options) {
    const cAttribute* attribute = db.attribute(value.attribute);
    return attribute && ValueOfMediaTypeMatches(attribute->mediaType, value, options);
}

void FindNext() {
    cMainWindow* window = MainWindow();
    const cDatabase& db = CurrentDocument().database();
    const sFindOptions& options = AppState().findOptions;
    const int count = static_cast<int>(db.terms.count());
    if (!window || count == 0 || options.wideText.empty())
        return;
    cPanes& panes = window->panes();
    cListView* view = panes.terms().view();
    const int selected = panes.firstSelectedTerm();
    const int start = selected < 0 ? 0 : selected;
    const bool skipStart = selected >= 0 && !options.selectMatches;
    const int step = options.upward ? count - 1 : 1;

    if (options.selectMatches)
        view->setFocus();
    const std::vector<int> mediaTypes = AttributeMediaTypes(db);
    std::vector<char> matched;
    if (options.selectMatches)
        matched.assign(static_cast<size_t>(count), 0);
    int firstMatch = -1;
    int term = start;
    do {
        if (!(term == start && skipStart) &&
            TermMatches(mediaTypes, *db.term(static_cast<uint32_t>(term)), options)) {
            if (!options.selectMatches) {
                view->setFocus();
                panes.selectTerm(term);
                return;
            }
            if (firstMatch < 0)
                firstMatch = term;
            matched[static_cast<size_t>(term)] = 1;
        }
        term = (term + step) % count;
    } while (term != start);

    if (!options.selectMatches) {
        ShowTableMessage(TextCaptionInformation, TextNoMatch, MessageOk);
        view->setFocus();
        return;
    }
    // Every term is visited: one selection of every match instead of a change per row.
    panes.selectTerms(matched, firstMatch);
}
