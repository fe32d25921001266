// node page_html.mjs PAGE_BUILD_JS DESCRIPTION: writes the window's elements
// as HTML (velmoraWindowHtml of page_build.js) for the window description in
// the file DESCRIPTION, at build time, for index.html.
import { readFileSync } from 'node:fs';
import vm from 'node:vm';

const [script, description] = process.argv.slice(2);
const page = {};
vm.runInNewContext(`${readFileSync(script, 'utf8')}\nthis.html = velmoraWindowHtml;`, page);
process.stdout.write(page.html(JSON.parse(readFileSync(description, 'utf8'))));
