// The first answer of the web page against the bare page (bare.html): time
// from the start of navigation until a press of "Увеличава със сбор" has
// turned the field's "112" into "116" and the top line into "Сума от
// цифри: 8". The press is made in the page as soon as a user could make it:
// once the button is there and a frame has been drawn with it (a click from
// outside would add the driver's own delay, which is most of the bare
// page's time). Each load in a fresh browser context (nothing cached), the
// two pages alternately, in the user's language of LOCALE (en-US, or bg-BG
// for instance).
// Usage: node bench/startup_web/first_press.mjs [PAGE-DIR] [RUNS] [LOCALE]
//        (build/web 21 en-US)
import path from 'node:path';
import { median, report, sideBySide } from './bench.mjs';

const pageDir = path.resolve(process.argv[2] ?? 'build/web');
const runs = Number(process.argv[3] ?? 21);
const locale = process.argv[4] ?? 'en-US';
const ANSWER = { field: '116', topLine: 'Сума от цифри: 8' };

async function firstPress(browser, url) {
  const context = await browser.newContext({ locale, serviceWorkers: 'block' });
  // The moment of the answer: the first change of the page's elements
  // after which both show it.
  await context.addInitScript((answer) => {
    let pressed = false;
    new MutationObserver((_, observer) => {
      const button = document.getElementById('Command1(0)');
      if (button && !pressed) {
        pressed = true;
        requestAnimationFrame(() => setTimeout(() => {
          performance.mark('velmora-pressed');
          button.click();
        }));
      }
      const field = document.getElementById('Text2(0)');
      const topLine = document.getElementById('Label1(0)');
      if (field?.value === answer.field && topLine?.textContent === answer.topLine) {
        performance.mark('velmora-answered');
        observer.disconnect();
      }
    }).observe(document, { subtree: true, childList: true, characterData: true });
  }, ANSWER);
  const page = await context.newPage();
  await page.goto(url, { waitUntil: 'commit' });
  await page.waitForFunction(() => performance.getEntriesByName('velmora-answered').length > 0,
    null, { timeout: 20_000 });
  // Where the time went: when each file had come, and the page's own marks.
  const [ms, steps] = await page.evaluate(() => [
    performance.getEntriesByName('velmora-answered')[0].startTime,
    Object.fromEntries([
      ...performance.getEntriesByType('resource').map((e) => [new URL(e.name).pathname.slice(1), e.responseEnd]),
      ...performance.getEntriesByType('mark').map((e) => [e.name, e.startTime])])]);
  await context.close();
  if (url.endsWith('index.html')) phases.push(steps);
  return ms;
}

const phases = [];
const times = await sideBySide(pageDir, runs, firstPress);
report(`navigation to the first answered press, ${locale}`, runs, times, 1.2);
console.log('the page\'s steps (ms from navigation, medians): files fetched, then its marks');
const names = [...new Set(phases.flatMap(Object.keys))];
const at = (name) => median(phases.map((p) => p[name]).filter((v) => v !== undefined));
for (const name of names.sort((a, b) => at(a) - at(b)))
  console.log(`  ${name.padEnd(22)} ${at(name).toFixed(1).padStart(7)}`);
