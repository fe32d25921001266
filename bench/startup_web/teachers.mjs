// The teachers' page: what its first load fetches (gzipped, each file),
// without a picture and once one is drawn; how long it takes, each time
// in a fresh browser context (nothing cached), until 112's answers are
// shown, to draw 112's picture in turn (Graphviz loaded, started and
// laying it out, and the layout alone), and to show the range 1 to 9999.
// Usage: node bench/startup_web/teachers.mjs [PAGE-DIR] [RUNS]   (build/web 11)
import { existsSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from '../../tests/web/support.mjs';
import { median } from './bench.mjs';

const pageDir = path.resolve(process.argv[2] ?? 'build/web');
const runs = Number(process.argv[3] ?? 11);

const mark = (page, name) => page.waitForFunction((n) =>
  performance.getEntriesByName(n).length > 0, name, { timeout: 120_000 });
const fetched = (page) => page.evaluate(() =>
  performance.getEntriesByType('resource').map((e) => new URL(e.name).pathname.slice(1)));

const server = await serve(pageDir);
const browser = await launch();
const times = { ready: [], draw: [], layout: [], range: [] };
let withoutPicture = [];
let withPicture = [];
try {
  for (let i = 0; i <= runs; i++) {  // the first run untimed: the files come into the OS cache
    const context = await browser.newContext({ locale: 'en-US', serviceWorkers: 'block' });
    const page = await context.newPage();
    await page.goto(`${server.url}teachers.html?start=112`);
    await mark(page, 'teachers-ready');
    const ready = await page.evaluate(() => performance.getEntriesByName('teachers-ready')[0].startTime);
    withoutPicture = ['teachers.html', ...await fetched(page)];
    const clicked = await page.evaluate(() => performance.now());
    await page.click('[data-picture="in-turn"]');
    await mark(page, 'teachers-drawn');
    const [drawnAt, layout] = await page.evaluate(() => [
      performance.getEntriesByName('teachers-drawn')[0].startTime,
      performance.getEntriesByName('teachers-picture')[0].duration]);
    withPicture = ['teachers.html', ...await fetched(page)];
    await page.fill('#from', '1');
    await page.fill('#to', '9999');
    const asked = await page.evaluate(() => performance.now());
    await page.click('#range-form button');
    await mark(page, 'teachers-range');
    const shown = await page.evaluate(() => performance.getEntriesByName('teachers-range')[0].startTime);
    await context.close();
    if (i === 0) continue;
    times.ready.push(ready);
    times.draw.push(drawnAt - clicked);
    times.layout.push(layout);
    times.range.push(shown - asked);
  }
} finally {
  await browser.close();
  server.stop();
}

console.log(`medians of ${runs} fresh contexts (ms):`);
console.log(`  until 112's answers are shown        ${median(times.ready).toFixed(1)}`);
console.log(`  click to 112's picture in turn drawn ${median(times.draw).toFixed(1)}   (fastest ${Math.min(...times.draw).toFixed(1)})`);
console.log(`    of which Graphviz's layout         ${median(times.layout).toFixed(1)}`);
console.log(`  the range 1 to 9999 shown            ${median(times.range).toFixed(1)}`);

// As a server sends them gzipped: the page's own .gz copy where it has one.
function sizes(title, files) {
  let total = 0;
  console.log(`${title}, gzipped (bytes):`);
  for (const f of [...new Set(files)].sort()) {
    const file = path.join(pageDir, f);
    const size = existsSync(`${file}.gz`) ? statSync(`${file}.gz`).size
      : gzipSync(readFileSync(file), { level: 9 }).length;
    total += size;
    console.log(`  ${f.padEnd(26)} ${String(size).padStart(7)}`);
  }
  console.log(`  ${'total'.padEnd(26)} ${String(total).padStart(7)}   (${(total / 1024).toFixed(1)} KiB)`);
}
sizes('first load without a picture', withoutPicture);
sizes('first load with the picture', withPicture);
