#include "exchange/AnkiCollectionLayout.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

const char* const AnkiSchema11Tables = R"sql(
CREATE TABLE col (
  id integer PRIMARY KEY, crt integer NOT NULL, mod integer NOT NULL, scm integer NOT NULL,
  ver integer NOT NULL, dty integer NOT NULL, usn integer NOT NULL, ls integer NOT NULL,
  conf text NOT NULL, models text NOT NULL, decks text NOT NULL, dconf text NOT NULL,
  tags text NOT NULL);
CREATE TABLE notes (
  id integer PRIMARY KEY, guid text NOT NULL, mid integer NOT NULL, mod integer NOT NULL,
  usn integer NOT NULL, tags text NOT NULL, flds text NOT NULL, sfld integer NOT NULL,
  csum integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE TABLE cards (
  id integer PRIMARY KEY, nid integer NOT NULL, did integer NOT NULL, ord integer NOT NULL,
  mod integer NOT NULL, usn integer NOT NULL, type integer NOT NULL, queue integer NOT NULL,
  due integer NOT NULL, ivl integer NOT NULL, factor integer NOT NULL, reps integer NOT NULL,
  lapses integer NOT NULL, left integer NOT NULL, odue integer NOT NULL,
  odid integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE TABLE revlog (
  id integer PRIMARY KEY, cid integer NOT NULL, usn integer NOT NULL, ease integer NOT NULL,
  ivl integer NOT NULL, lastIvl integer NOT NULL, factor integer NOT NULL,
  time integer NOT NULL, type integer NOT NULL);
CREATE TABLE graves (usn integer NOT NULL, oid integer NOT NULL, type integer NOT NULL);
)sql";

const char* const AnkiSchema11Indexes = R"sql(
CREATE INDEX ix_notes_usn ON notes (usn);
CREATE INDEX ix_cards_usn ON cards (usn);
CREATE INDEX ix_revlog_usn ON revlog (usn);
CREATE INDEX ix_cards_nid ON cards (nid);
CREATE INDEX ix_cards_sched ON cards (did, queue, due);
CREATE INDEX ix_revlog_cid ON revlog (cid);
CREATE INDEX ix_notes_csum ON notes (csum);
)sql";

namespace {

const char* const kCss = ".card {\n font-family: arial;\n font-size: 20px;\n text-align: center;\n"
                         " color: black;\n background-color: white;\n}\n";
const char* const kLatexPre =
    "\\documentclass[12pt]{article}\n\\special{papersize=3in,5in}\n"
    "\\usepackage[utf8]{inputenc}\n\\usepackage{amssymb,amsmath}\n\\pagestyle{empty}\n"
    "\\setlength{\\parindent}{0in}\n\\begin{document}\n";
const char* const kAnswerRule = "\n\n<hr id=answer>\n\n";

std::string Reference(const std::string& field) {
    return "{{" + field + "}}";
}

std::string Joined(const sAnkiNoteTypeLayout& type, const std::vector<uint32_t>& fields) {
    std::string text;
    for (uint32_t field : fields) {
        if (!text.empty())
            text += "<br>\n";
        text += Reference(type.fields[field]);
    }
    return text;
}

json Template(const std::string& name, int ord, const std::string& question,
              const std::string& answer) {
    return {{"name", name},   {"ord", ord},  {"qfmt", question}, {"afmt", answer},
            {"did", nullptr}, {"bqfmt", ""}, {"bafmt", ""}};
}

json Deck(int64_t id, const std::string& name, const std::string& description,
          int64_t modifiedSeconds) {
    return {{"id", id},
            {"name", name},
            {"desc", description},
            {"mod", modifiedSeconds},
            {"usn", -1},
            {"conf", 1},
            {"dyn", 0},
            {"collapsed", false},
            {"browserCollapsed", false},
            {"extendNew", 10},
            {"extendRev", 50},
            {"newToday", {0, 0}},
            {"revToday", {0, 0}},
            {"lrnToday", {0, 0}},
            {"timeToday", {0, 0}}};
}

} // namespace

std::vector<uint32_t> AnkiReverseFields(const sAnkiNoteTypeLayout& type) {
    std::vector<uint32_t> fields;
    for (uint32_t f = 0; f < type.fields.size(); ++f)
        if (f != type.sortField)
            fields.push_back(f);
    return fields;
}

std::string AnkiConfigurationJson(const sAnkiNoteTypeLayout& type) {
    const json configuration = {
        {"nextPos", 1},          {"estTimes", true},       {"activeDecks", {1}},
        {"sortType", "noteFld"}, {"timeLim", 0},           {"sortBackwards", false},
        {"addToCur", true},      {"curDeck", type.deckId}, {"newBury", true},
        {"newSpread", 0},        {"dueCounts", true},      {"curModel", std::to_string(type.id)},
        {"collapseTime", 1200},  {"schedVer", 1}};
    return configuration.dump();
}

std::string AnkiNoteTypesJson(const sAnkiNoteTypeLayout& type, int64_t modifiedSeconds) {
    json fields = json::array();
    for (size_t f = 0; f < type.fields.size(); ++f)
        fields.push_back({{"name", type.fields[f]},
                          {"ord", f},
                          {"sticky", false},
                          {"rtl", false},
                          {"font", "Arial"},
                          {"size", 20},
                          {"media", json::array()}});
    const std::string front = Reference(type.fields[type.sortField]);
    const std::vector<uint32_t> others = AnkiReverseFields(type);
    json templates = json::array();
    templates.push_back(Template(
        "Card 1", 0, front, "{{FrontSide}}" + std::string(kAnswerRule) + Joined(type, others)));
    json requirements = json::array();
    requirements.push_back({0, "any", {type.sortField}});
    if (type.reverse && !others.empty()) {
        templates.push_back(Template("Card 2", 1, Joined(type, others),
                                     "{{FrontSide}}" + std::string(kAnswerRule) + front));
        requirements.push_back({1, "any", others});
    }
    json model = {{"id", type.id},
                  {"name", type.name},
                  {"type", 0},
                  {"mod", modifiedSeconds},
                  {"usn", -1},
                  {"sortf", type.sortField},
                  {"did", type.deckId},
                  {"tmpls", templates},
                  {"flds", fields},
                  {"css", kCss},
                  {"latexPre", kLatexPre},
                  {"latexPost", "\\end{document}"},
                  {"latexsvg", false},
                  {"req", requirements},
                  {"tags", json::array()},
                  {"vers", json::array()}};
    return json{{std::to_string(type.id), model}}.dump();
}

std::string AnkiDecksJson(const sAnkiDeckLayout& deck, int64_t modifiedSeconds) {
    return json{
        {"1", Deck(1, "Default", "", modifiedSeconds)},
        {std::to_string(deck.id), Deck(deck.id, deck.name, deck.description, modifiedSeconds)}}
        .dump();
}

std::string AnkiDeckOptionsJson() {
    const json options = {
        {"1",
         {{"id", 1},
          {"name", "Default"},
          {"mod", 0},
          {"usn", 0},
          {"maxTaken", 60},
          {"autoplay", true},
          {"timer", 0},
          {"replayq", true},
          {"dyn", false},
          {"new",
           {{"delays", {1, 10}},
            {"ints", {1, 4, 7}},
            {"initialFactor", 2500},
            {"separate", true},
            {"order", 1},
            {"perDay", 20},
            {"bury", true}}},
          {"lapse",
           {{"delays", {10}}, {"mult", 0}, {"minInt", 1}, {"leechFails", 8}, {"leechAction", 0}}},
          {"rev",
           {{"perDay", 100},
            {"ease4", 1.3},
            {"fuzz", 0.05},
            {"minSpace", 1},
            {"ivlFct", 1},
            {"maxIvl", 36500},
            {"bury", true}}}}}};
    return options.dump();
}
