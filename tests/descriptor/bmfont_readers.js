// Reads DIR/f.fnt, DIR/f.xml and DIR/f.bin with the npm bitmap-font readers and checks
// that the XML and binary forms hold the records of the text form: every field the text
// form has, with the same value (the binary form also has fields the text form lacks).
// Prints "same records: N chars" and exits 0, or prints the first difference and exits 1.
'use strict';
const fs = require('fs');
const path = require('path');
const assert = require('assert');
const parseAscii = require('parse-bmfont-ascii');
const parseXml = require('parse-bmfont-xml');
const parseBinary = require('parse-bmfont-binary');

const dir = process.argv[2];
const text = parseAscii(fs.readFileSync(path.join(dir, 'f.fnt')));
const forms = {
  xml: parseXml(fs.readFileSync(path.join(dir, 'f.xml'))),
  binary: parseBinary(fs.readFileSync(path.join(dir, 'f.bin'))),
};

// The fields of `want`, taken from `got`.
function only(got, want) {
  const out = {};
  for (const key of Object.keys(want)) out[key] = got[key];
  return out;
}

try {
  for (const [name, form] of Object.entries(forms)) {
    for (const block of ['info', 'common']) {
      assert.deepStrictEqual(only(form[block], text[block]), text[block], name + ' ' + block);
    }
    assert.deepStrictEqual(form.pages, text.pages, name + ' pages');
    assert.deepStrictEqual(form.chars, text.chars, name + ' chars');
    assert.deepStrictEqual(form.kernings, text.kernings, name + ' kernings');
  }
  assert.ok(text.chars.length > 0, 'the text form has chars');
} catch (e) {
  console.log(e.message);
  process.exit(1);
}
console.log('same records: ' + text.chars.length + ' chars');
