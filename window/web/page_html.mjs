// node page_html.mjs PAGE_BUILD_JS DESCRIPTION [caption]: writes the window's
// elements as HTML (velmoraWindowHtml of page_build.js) for the window
// description in the file DESCRIPTION, at build time, for index.html; with
// "caption" as its third argument, the window's caption as HTML text.
import { readFileSync } from 'node:fs';
import vm from 'node:vm';

const [script, description, what] = process.argv.slice(2);
const page = {};
vm.runInNewContext(readFileSync(script, 'utf8'), page);
const win = JSON.parse(readFileSync(description, 'utf8'));
process.stdout.write(what === 'caption' ? page.velmoraHtmlText(win.caption) : page.velmoraWindowHtml(win));
