// Start-up of the web page against a bare page with the same seven
// controls written in HTML and no WebAssembly (bare.html): time from the
// start of navigation until the field shows "112" with its handlers ready
// (the pages' "velmora-ready" mark), each load in a fresh browser context
// (nothing cached), the two pages alternately; prints the medians and their
// ratio, and the gzipped size of everything the page's first load fetches.
// Usage: node bench/startup_web/run.mjs [PAGE-DIR] [RUNS]   (build/web 21)
import { copyFileSync, readFileSync, readdirSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launch, pageCopy, serve } from '../../tests/web/support.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const pageDir = path.resolve(process.argv[2] ?? 'build/web');
const runs = Number(process.argv[3] ?? 21);

const copy = pageCopy(() => {}, pageDir);
copyFileSync(path.join(here, 'bare.html'), path.join(copy.dir, 'bare.html'));
const server = await serve(copy.dir);
const browser = await launch();

async function startUp(file) {
  const context = await browser.newContext({ locale: 'en-US', serviceWorkers: 'block' });
  const page = await context.newPage();
  await page.goto(server.url + file);
  await page.waitForFunction(() => performance.getEntriesByName('velmora-ready').length > 0);
  const [ms, field] = await page.evaluate(() => [
    performance.getEntriesByName('velmora-ready')[0].startTime,
    document.getElementById('Text2(0)').value]);
  await context.close();
  if (field !== '112') throw new Error(`${file}: the field shows ${field}`);
  return ms;
}

const median = (values) => {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};

const times = { page: [], bare: [] };
try {
  await startUp('index.html');  // once each, not counted: files in the OS cache
  await startUp('bare.html');
  for (let i = 0; i < runs; i++) {
    const order = i % 2 ? ['bare', 'page'] : ['page', 'bare'];
    for (const which of order) times[which].push(await startUp(which === 'page' ? 'index.html' : 'bare.html'));
  }
} finally {
  await browser.close();
  server.stop();
  copy.remove();
}

const page = median(times.page);
const bare = median(times.bare);
console.log(`start-up until ready (ms), medians of ${runs} fresh contexts each, alternating:`);
console.log(`  page  ${page.toFixed(1)}   (fastest ${Math.min(...times.page).toFixed(1)})`);
console.log(`  bare  ${bare.toFixed(1)}   (fastest ${Math.min(...times.bare).toFixed(1)})`);
console.log(`  ratio ${(page / bare).toFixed(3)}   (aim: at most 1.2)`);

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
