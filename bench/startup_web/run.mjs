// Start-up of the web page against a bare page with the same seven
// controls written in HTML and no WebAssembly (bare.html): time from the
// start of navigation until the field shows "112" with its handlers ready
// (the pages' "velmora-ready" mark), each load in a fresh browser context
// (nothing cached), the two pages alternately; prints the medians and their
// ratio, the gzipped size of everything the page's first load fetches and
// the module's size.
// Usage: node bench/startup_web/run.mjs [PAGE-DIR] [RUNS]   (build/web 21)
import { existsSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { report, sideBySide } from './bench.mjs';

const pageDir = path.resolve(process.argv[2] ?? 'build/web');
const runs = Number(process.argv[3] ?? 21);

const firstLoad = new Set();  // the files the page's loads fetched

async function startUp(browser, url) {
  const context = await browser.newContext({ locale: 'en-US', serviceWorkers: 'block' });
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('velmora-ready').length > 0);
  const [ms, field, fetched] = await page.evaluate(() => [
    performance.getEntriesByName('velmora-ready')[0].startTime,
    document.getElementById('Text2(0)').value,
    performance.getEntriesByType('resource').map((e) => new URL(e.name).pathname.slice(1))]);
  if (url.endsWith('index.html')) for (const f of ['index.html', ...fetched]) firstLoad.add(f);
  await context.close();
  if (field !== '112') throw new Error(`${url}: the field shows ${field}`);
  return ms;
}

report('start-up until ready', runs, await sideBySide(pageDir, runs, startUp), 1.2);

// What the first load fetched until ready, as a server sends it gzipped:
// the page's own .gz copy where it has one.
let total = 0;
console.log('first load, gzipped (bytes):');
for (const f of [...firstLoad].sort()) {
  const file = path.join(pageDir, f);
  const size = existsSync(`${file}.gz`) ? statSync(`${file}.gz`).size
    : gzipSync(readFileSync(file), { level: 9 }).length;
  total += size;
  console.log(`  ${f.padEnd(22)} ${String(size).padStart(6)}`);
}
console.log(`  ${'total'.padEnd(22)} ${String(total).padStart(6)}   (${(total / 1024).toFixed(1)} KiB; aim: at most 36 KiB)`);
console.log(`module velmora.wasm: ${statSync(path.join(pageDir, 'velmora.wasm')).size} bytes (aim: at most 48 KiB)`);
