// Loads each of DIR/FILE... with load-bmfont and checks its pages: as many as common.pages
// says, each an existing file of DIR, and every char on one of them, every page used.
// Prints "FILE: N pages, M chars" per file and exits 0, or prints the first fault and
// exits 1.
'use strict';
const fs = require('fs');
const path = require('path');
const loadFont = require('load-bmfont');

const [dir, ...files] = process.argv.slice(2);

function check(file, font) {
  const pages = font.pages;
  if (font.common.pages !== pages.length) {
    throw new Error(file + ': common.pages ' + font.common.pages + ' but ' + pages.length + ' named');
  }
  for (const page of pages) {
    if (!fs.statSync(path.join(dir, page), { throwIfNoEntry: false })?.isFile()) {
      throw new Error(file + ': page file ' + page + ' is missing');
    }
  }
  const used = new Set(font.chars.map((c) => c.page));
  for (let k = 0; k < pages.length; ++k) {
    if (!used.has(k)) throw new Error(file + ': no char on page ' + k);
  }
  if ([...used].some((k) => k < 0 || k >= pages.length)) {
    throw new Error(file + ': a char on a page that is not named');
  }
  return file + ': ' + pages.length + ' pages, ' + font.chars.length + ' chars';
}

(async () => {
  for (const file of files) {
    try {
      const font = await new Promise((resolve, reject) =>
        loadFont(path.join(dir, file), (err, f) => (err ? reject(err) : resolve(f))));
      console.log(check(file, font));
    } catch (e) {
      console.log(e.message);
      process.exit(1);
    }
  }
})();
