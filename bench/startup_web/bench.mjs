// What the web page's start-up benchmarks share: the page's folder served
// with the bare page (bare.html) beside it, one Chromium, loads of each
// page in fresh contexts taken alternately, and their medians.
import { copyFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, pageCopy, serve } from '../../tests/web/support.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

export const median = (values) => {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};

// Calls `measure(browser, url)` once for each page untimed (the files come
// into the OS cache), then `runs` times for each, the pages alternately;
// `url` is index.html's or bare.html's. Answers the times of each page.
export async function sideBySide(pageDir, runs, measure) {
  const copy = pageCopy(() => {}, pageDir);
  copyFileSync(path.join(here, 'bare.html'), path.join(copy.dir, 'bare.html'));
  // The bare page takes the page's style from its file (the page has it inside).
  copyFileSync(path.join(here, '../../app/web/velmora.css'), path.join(copy.dir, 'velmora.css'));
  const server = await serve(copy.dir);
  const browser = await launch();
  const url = { page: server.url + 'index.html', bare: server.url + 'bare.html' };
  const times = { page: [], bare: [] };
  try {
    await measure(browser, url.page);
    await measure(browser, url.bare);
    for (let i = 0; i < runs; i++) {
      for (const which of i % 2 ? ['bare', 'page'] : ['page', 'bare'])
        times[which].push(await measure(browser, url[which]));
    }
  } finally {
    await browser.close();
    server.stop();
    copy.remove();
  }
  return times;
}

// Prints the medians of `times` and their ratio against `aim`.
export function report(what, runs, times, aim) {
  const page = median(times.page);
  const bare = median(times.bare);
  console.log(`${what} (ms), medians of ${runs} fresh contexts each, alternating:`);
  console.log(`  page  ${page.toFixed(1)}   (fastest ${Math.min(...times.page).toFixed(1)})`);
  console.log(`  bare  ${bare.toFixed(1)}   (fastest ${Math.min(...times.bare).toFixed(1)})`);
  console.log(`  ratio ${(page / bare).toFixed(3)}   (aim: at most ${aim})`);
}
