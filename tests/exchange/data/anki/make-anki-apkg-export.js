// Writes the package named by its argument with npm's anki-apkg-export 4.0.3:
//   npm install anki-apkg-export@4.0.3 && node make-anki-apkg-export.js anki-apkg-export.apkg
const fs = require('fs');
const AnkiExport = require('anki-apkg-export').default;
const apkg = new AnkiExport('Spanish Words');
apkg.addCard('la casa', 'the <b>house</b>', { tags: ['nouns', 'chapter 1'] });
apkg.addCard('el perro', 'the dog<br>(animal)', { tags: ['nouns', 'animals'] });
apkg.addCard('caf&eacute; &amp; t&#233;', 'coffee &lt;and&gt; tea [sound:cafe.mp3]', { tags: [] });
apkg.addCard('<div>el gato</div><div>la gata</div>', 'the cat <img src="cat.jpg">', { tags: 'animals' });
apkg.addCard('日本語', 'Japanese', { tags: ['unicode'] });
apkg.save().then(zip => fs.writeFileSync(process.argv[2], zip));
