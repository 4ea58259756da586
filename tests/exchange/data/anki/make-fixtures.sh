#!/usr/bin/env bash
# Builds the Anki packages of the two layouts that anki-apkg-export does not write, by hand
# with the sqlite3, zstd and zip command-line tools (Debian: sqlite3, zstd, zip), into the
# folder of this script:
#   newer-layout.apkg     collection.anki21b (zstd, the newer schema with notetypes, fields
#                         and decks tables and Anki's unicase collation) beside the placeholder
#                         collection.anki2 that newer Anki writes for older versions
#   anki21-layout.colpkg  collection.anki21 (schema 11) beside a placeholder collection.anki2
# The packages are committed; run this again only to change them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The tables both schemas hold alike.
core_tables='
CREATE TABLE col (id integer PRIMARY KEY, crt integer NOT NULL, mod integer NOT NULL,
  scm integer NOT NULL, ver integer NOT NULL, dty integer NOT NULL, usn integer NOT NULL,
  ls integer NOT NULL, conf text NOT NULL, models text NOT NULL, decks text NOT NULL,
  dconf text NOT NULL, tags text NOT NULL);
CREATE TABLE notes (id integer PRIMARY KEY, guid text NOT NULL, mid integer NOT NULL,
  mod integer NOT NULL, usn integer NOT NULL, tags text NOT NULL, flds text NOT NULL,
  sfld integer NOT NULL, csum integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE TABLE cards (id integer PRIMARY KEY, nid integer NOT NULL, did integer NOT NULL,
  ord integer NOT NULL, mod integer NOT NULL, usn integer NOT NULL, type integer NOT NULL,
  queue integer NOT NULL, due integer NOT NULL, ivl integer NOT NULL, factor integer NOT NULL,
  reps integer NOT NULL, lapses integer NOT NULL, left integer NOT NULL, odue integer NOT NULL,
  odid integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
'
schema11="$core_tables
CREATE TABLE revlog (id integer PRIMARY KEY, cid integer NOT NULL, usn integer NOT NULL,
  ease integer NOT NULL, ivl integer NOT NULL, lastIvl integer NOT NULL,
  factor integer NOT NULL, time integer NOT NULL, type integer NOT NULL);
CREATE TABLE graves (usn integer NOT NULL, oid integer NOT NULL, type integer NOT NULL);
"
card="0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ''"

# The placeholder newer Anki puts beside the real collection: one note asking for an update.
sqlite3 placeholder.anki2 "$schema11
INSERT INTO col VALUES (1, 0, 0, 0, 11, 0, 0, 0, '{}',
  '{\"1\": {\"id\": 1, \"name\": \"Basic\", \"flds\": [{\"name\": \"Front\", \"ord\": 0},
  {\"name\": \"Back\", \"ord\": 1}]}}', '{\"1\": {\"id\": 1, \"name\": \"Default\"}}', '{}', '{}');
INSERT INTO notes VALUES (1, 'x', 1, 0, 0, '',
  'Please update to the latest Anki version, then import the .colpkg/.apkg file again.' || char(31),
  '', 0, 0, '');
INSERT INTO cards VALUES (1, 1, 1, 0, $card);"

# The newer schema, its unicase columns first made with NOCASE, which the tool knows.
sqlite3 newer.anki21b "$core_tables
INSERT INTO col VALUES (1, 0, 0, 0, 18, 0, 0, 0, '', '', '', '', '');
CREATE TABLE notetypes (id integer NOT NULL PRIMARY KEY, name text NOT NULL COLLATE NOCASE,
  mtime_secs integer NOT NULL, usn integer NOT NULL, config blob NOT NULL);
CREATE UNIQUE INDEX idx_notetypes_name ON notetypes (name);
CREATE TABLE fields (ntid integer NOT NULL, ord integer NOT NULL,
  name text NOT NULL COLLATE NOCASE, config blob NOT NULL, PRIMARY KEY (ntid, ord))
  without rowid;
CREATE UNIQUE INDEX idx_fields_name_ntid ON fields (name, ntid);
CREATE TABLE templates (ntid integer NOT NULL, ord integer NOT NULL,
  name text NOT NULL COLLATE NOCASE, mtime_secs integer NOT NULL, usn integer NOT NULL,
  config blob NOT NULL, PRIMARY KEY (ntid, ord)) without rowid;
CREATE TABLE decks (id integer PRIMARY KEY NOT NULL, name text NOT NULL COLLATE NOCASE,
  mtime_secs integer NOT NULL, usn integer NOT NULL, common blob NOT NULL,
  kind blob NOT NULL);
CREATE UNIQUE INDEX idx_decks_name ON decks (name);
CREATE TABLE tags (tag text NOT NULL PRIMARY KEY COLLATE NOCASE, usn integer NOT NULL,
  collapsed boolean NOT NULL, config blob NULL) without rowid;
CREATE TABLE revlog (id integer PRIMARY KEY, cid integer NOT NULL, usn integer NOT NULL,
  ease integer NOT NULL, ivl integer NOT NULL, lastIvl integer NOT NULL,
  factor integer NOT NULL, time integer NOT NULL, type integer NOT NULL);
CREATE TABLE graves (oid integer NOT NULL, type integer NOT NULL, usn integer NOT NULL,
  PRIMARY KEY (oid, type)) WITHOUT ROWID;

INSERT INTO notetypes VALUES (1001, 'Basic', 0, 0, x''), (1002, 'Vocabulary', 0, 0, x'');
INSERT INTO fields VALUES (1001, 0, 'Front', x''), (1001, 1, 'Back', x''),
  (1002, 0, 'Word', x''), (1002, 1, 'Reading', x''), (1002, 2, 'Back', x'');
INSERT INTO decks VALUES (1, 'Default', 0, 0, x'', x''),
  (2000, 'Japanese' || char(31) || 'Verbs', 0, 0, x'', x''),
  (2001, 'Japanese' || char(31) || 'Nouns', 0, 0, x'', x'');
INSERT INTO notes VALUES
  (1, 'a', 1001, 0, 0, ' greeting ', 'Hello<br>world' || char(31) || 'こんにちは', '', 0, 0, ''),
  (2, 'b', 1002, 0, 0, ' verb jlpt5 ',
   '食べる' || char(31) || 'たべる' || char(31) || 'to eat [sound:taberu.mp3]', '', 0, 0, ''),
  (3, 'c', 1001, 0, 0, '', '&lt;tag&gt; &amp; co' || char(31) ||
   '<div>line 1</div><div>line 2</div>', '', 0, 0, '');
INSERT INTO cards VALUES (1, 1, 2001, 0, $card), (2, 2, 2000, 0, $card),
  (3, 3, 2000, 0, $card), (4, 3, 2001, 1, $card);
PRAGMA writable_schema = ON;
UPDATE sqlite_master SET sql = replace(sql, 'COLLATE NOCASE', 'COLLATE unicase');
"

# Schema 11 under the name Anki 2.1 used for it.
sqlite3 older.anki21 "$schema11
INSERT INTO col VALUES (1, 0, 0, 0, 11, 0, 0, 0, '{}',
  '{\"7\": {\"id\": 7, \"name\": \"Basic (and reversed card)\", \"flds\": [{\"name\": \"Front\", \"ord\": 0},
  {\"name\": \"Back\", \"ord\": 1}]}}',
  '{\"1\": {\"id\": 1, \"name\": \"Default\", \"desc\": \"\"},
    \"55\": {\"id\": 55, \"name\": \"French\", \"desc\": \"Words &amp; phrases<br>from class\"}}',
  '{}', '{}');
INSERT INTO notes VALUES (10, 'p', 7, 0, 0, ' fr ', 'bonjour' || char(31) || 'hello', '', 0, 0, ''),
  (11, 'q', 7, 0, 0, '', 'merci' || char(31) || 'thank you', '', 0, 0, '');
INSERT INTO cards VALUES (20, 10, 55, 0, $card), (21, 10, 55, 1, $card),
  (22, 11, 55, 0, $card);"

mkdir newer anki21
zstd -q -19 newer.anki21b -o newer/collection.anki21b
cp placeholder.anki2 newer/collection.anki2
printf '' | zstd -q -o newer/media
printf '\x08\x03' > newer/meta
cp older.anki21 anki21/collection.anki21
cp placeholder.anki2 anki21/collection.anki2
printf '{}' > anki21/media
rm -f "$here/newer-layout.apkg" "$here/anki21-layout.colpkg"
(cd newer && zip -q -X "$here/newer-layout.apkg" collection.anki2 collection.anki21b media meta)
(cd anki21 && zip -q -X "$here/anki21-layout.colpkg" collection.anki2 collection.anki21 media)
