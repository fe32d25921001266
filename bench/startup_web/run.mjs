// Start-up of the web page against a bare page with the same seven
// controls written in HTML and no WebAssembly (bare.html): time from the
// start of navigation until the field shows "112" with its handlers ready
// (the pages' "velmora-ready" mark), each load in a fresh browser context
// (nothing cached), the two pages alternately; prints the medians and their
// ratio, and the gzipped size of everything the page's first load fetches.
// Usage: node bench/startup_web/run.mjs [PAGE-DIR] [RUNS]   (build/web 21)
import { readFileSync, readdirSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { report, sideBySide } from './bench.mjs';

const pageDir = path.resolve(process.argv[2] ?? 'build/web');
const runs = Number(process.argv[3] ?? 21);

async function startUp(browser, url) {
  const context = await browser.newContext({ locale: 'en-US', serviceWorkers: 'block' });
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => performance.getEntriesByName('velmora-ready').length > 0);
  const [ms, field] = await page.evaluate(() => [
    performance.getEntriesByName('velmora-ready')[0].startTime,
    document.getElementById('Text2(0)').value]);
  await context.close();
  if (field !== '112') throw new Error(`${url}: the field shows ${field}`);
  return ms;
}

report('start-up until ready', runs, await sideBySide(pageDir, runs, startUp), 1.2);

// What a first visit fetches (the service worker's script comes after the page is ready).
const firstLoad = readdirSync(pageDir).filter((f) => f !== 'sw.js').sort();
let total = 0;
console.log('first load, gzip -9 (bytes):');
for (const f of firstLoad) {
  const size = gzipSync(readFileSync(path.join(pageDir, f)), { level: 9 }).length;
  total += size;
  console.log(`  ${f.padEnd(22)} ${String(size).padStart(6)}`);
}
console.log(`  ${'total'.padEnd(22)} ${String(total).padStart(6)}   (${(total / 1024).toFixed(1)} KiB; aim: at most 64 KiB)`);
