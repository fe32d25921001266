// The teachers' page in a real browser, as a teacher uses it: a start
// typed or sent as a link, its pictures, a range and the downloads, which
// must be velmora-explore's own (VELMORA_EXPLORE names the tool), offline,
// on a phone and for assistive technology. Run with `node --test` (CTest:
// web.teachers); VELMORA_WEB_DIR names the built page.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { describe, it } from 'node:test';
import { openPage, serve, sharedBrowserAndServer, webDir } from './support.mjs';

const TIMEOUT = { timeout: 60_000 };
const explore = (...args) => execFileSync(process.env.VELMORA_EXPLORE ?? 'build/tools/explore/velmora-explore',
  args, { env: { ...process.env, LC_ALL: 'C.UTF-8', LANGUAGE: '' } });

const shared = sharedBrowserAndServer();

const ready = (page) => page.waitForFunction(() =>
  performance.getEntriesByName('teachers-ready').length > 0);
const drawn = (page) => page.waitForFunction(() =>
  performance.getEntriesByName('teachers-drawn').length > 0);
const rangeShown = (page) => page.waitForFunction(() =>
  performance.getEntriesByName('teachers-range').length > 0);

// The teachers' page at `query`, in a fresh context; closed after `use`.
async function withTeachersPage(query, options, use) {
  const opened = await openTeachersPage(shared.server.url, query, options);
  try {
    return await use(opened.page, opened);
  } finally {
    await opened.context.close();
  }
}
async function openTeachersPage(url, query = '', options = {}) {
  const context = await shared.browser.newContext({ locale: 'en-US', ...options });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('console', (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`));
  const requested = [];
  page.on('request', (r) => requested.push(new URL(r.url()).pathname));
  await page.goto(`${url}teachers.html${query}`);
  await ready(page);
  return { context, page, problems, requested };
}

// What the page shows of its answer: the heading, then per reading its
// name, what it gives and its walk.
const shownAnswer = (page) => page.evaluate(() => [
  document.getElementById('answer-heading').textContent,
  ...[...document.querySelectorAll('.reading')].map((r) =>
    [...r.children].map((e) => e.textContent).join(' | ')),
]);

async function typeStart(page, text) {
  await page.fill('#start', text);
}

async function download(page, selector) {
  const [file] = await Promise.all([page.waitForEvent('download'), page.click(selector)]);
  return { name: file.suggestedFilename(), bytes: readFileSync(await file.path()) };
}

// Runs axe-core in the page: its violations, as "rule: target" lines.
async function axeViolations(page) {
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  const violations = await page.evaluate(async () => (await axe.run()).violations);
  return violations.flatMap((v) => v.nodes.map((n) => `${v.id} (${v.impact}): ${n.target.join(' ')}`));
}

describe('a teacher looking up a start', () => {
  it('types one and reads its three answers, in turn first, and the address follows', TIMEOUT, () =>
    withTeachersPage('', {}, async (page, { problems, requested }) => {
      assert.equal(await page.inputValue('#start'), '112');
      await typeStart(page, '9');
      assert.deepEqual(await shownAnswer(page), ['The answer for 9',
        'in turn, increase first | falls into the loop 9 → 18, never reaches 0 | 9 → 18 (increase) → 9 (decrease) → …',
        'in turn, decrease first | reaches 0 in 1 press | 9 → 0 (decrease)',
        'both buttons, each at least once | reaches 0 in 3 presses | 9 → 18 (increase) → 9 (decrease) → 0 (decrease)',
        'any order | reaches 0 in 1 press | 9 → 0 (decrease)']);
      assert.match(await page.textContent('#note'), /^What this means for the exercise: /);
      assert.equal(new URL(page.url()).search, '?start=9');
      await typeStart(page, '0');
      assert.deepEqual(await page.locator('#readings').innerText(), '0: is 0 already, no presses');
      await typeStart(page, '12345');
      assert.equal(await page.textContent('#answer-heading'), 'The answer for 12345 (the field holds 1234)');
      assert.ok(!requested.includes('/graphviz.js'), 'Graphviz is loaded only to draw');
      assert.deepEqual(problems, []);
    }));

  it('in Bulgarian, with a decimal comma, reads the answers as the window presses', TIMEOUT, () =>
    withTeachersPage('?start=1.5', { locale: 'bg-BG' }, async (page) => {
      assert.equal(await page.getAttribute('html', 'lang'), 'bg');
      assert.equal(await page.textContent('h1'), 'Могат ли двата бутона да направят числото 0?');
      const [heading, increaseFirst] = await shownAnswer(page);
      assert.equal(heading, 'Отговорът за 1.5');
      assert.equal(increaseFirst, 'редувайки бутоните, първо увеличава | стига до 0 с 3 натискания | ' +
        '1.5 → 7,5 (увеличава) → -5 (намалява) → 0 (увеличава)');
    }));

  it('opens a link with ?start= and sees that start\'s answers and picture', TIMEOUT, () =>
    withTeachersPage('?start=112&picture=in-turn', {}, async (page) => {
      assert.equal(await page.inputValue('#start'), '112');
      const [heading, increaseFirst] = await shownAnswer(page);
      assert.equal(heading, 'The answer for 112');
      assert.match(increaseFirst, /^in turn, increase first \| falls into the loop 108 → 117, never reaches 0 \| /);
      await drawn(page);
      assert.equal(await page.getAttribute('[data-picture="in-turn"]', 'aria-pressed'), 'true');
      // The tool's picture: every label of its DOT is a text of the drawing.
      const labels = [...explore('--graph', '112', '--in-turn').toString()
        .matchAll(/label="([^"]*)"/g)].flatMap((m) => m[1].split('\\n').map((l) => l.trim()));
      const texts = await page.$$eval('#figure svg text', (t) => t.map((e) => e.textContent.trim()));
      assert.deepEqual([...new Set(texts)].sort(), [...new Set(labels)].sort());
      assert.equal(await page.getAttribute('#figure svg', 'role'), 'img');
    }));

  it('draws the search in any order, and is told when a picture is too large to draw', TIMEOUT, () =>
    withTeachersPage('?start=112', {}, async (page) => {
      await page.click('[data-picture="search"]');
      await drawn(page);
      assert.equal(await page.locator('#figure svg g.node').count(), 40);
      assert.equal(new URL(page.url()).search, '?start=112&picture=search');
      await typeStart(page, '4823');
      await page.waitForFunction(() => document.getElementById('figure').hidden);
      assert.equal(await page.textContent('#picture-status'),
        'This picture would have more than 300 texts, too many to draw.');
    }));
});

describe('a teacher taking the answers away', () => {
  for (const [locale, start, args] of [['en-US', '112', []], ['en-US', '&HFF', []],
    ['bg-BG', '1.5', ['--comma']], ['en-US', '', []]]) {
    it(`downloads the JSON of "${start}" in ${locale}: the line velmora-explore --json prints`, TIMEOUT, () =>
      withTeachersPage(`?start=${encodeURIComponent(start)}`, { locale }, async (page) => {
        const file = await download(page, '#json');
        assert.equal(await page.textContent('#json'), 'JSON');
        assert.ok(file.bytes.equals(explore(...args, '--json', '--', start)), file.bytes.toString());
        assert.match(file.name, /^velmora-explore-.*\.json$/);
      }));
  }

  it('shows a range with the tool\'s table and summary, and downloads it as CSV', TIMEOUT, () =>
    withTeachersPage('', {}, async (page) => {
      await page.fill('#from', '-20');
      await page.fill('#to', '130');
      await page.click('#range-form button');
      await rangeShown(page);
      const tool = explore('--all', '-20', '130').toString().split('\n');
      const [rows, summary] = [tool.slice(0, tool.indexOf('')), tool.slice(tool.indexOf('') + 1, -1)];
      assert.deepEqual(await page.$$eval('#summary li', (l) => l.map((e) => e.textContent)), summary);
      const table = await page.$$eval('table tr', (r) =>
        r.map((e) => [...e.cells].map((c) => c.textContent).join('\t')));
      assert.deepEqual(table, rows);
      assert.equal(new URL(page.url()).search, '?start=112&from=-20&to=130');

      const csv = await download(page, '#csv');
      assert.equal(csv.name, 'velmora-explore--20-130.csv');
      assert.ok(csv.bytes.subarray(0, 3).equals(Buffer.from([0xEF, 0xBB, 0xBF])), 'UTF-8 byte order mark');
      // RFC 4180: a cell with a comma or a quote in quotes, its quotes doubled.
      const csvLine = (tsv) => tsv.split('\t')
        .map((c) => (/[",]/.test(c) ? `"${c.replaceAll('"', '""')}"` : c)).join(',');
      const lines = csv.bytes.subarray(3).toString().split('\r\n');
      assert.deepEqual(lines.slice(0, rows.length), rows.map(csvLine));
      assert.deepEqual(lines.slice(rows.length), ['', ...summary.map((l) => `"${l}"`), '']);

      await page.fill('#to', '10000');
      await page.click('#range-form button');
      assert.equal(await page.textContent('#range-status'),
        'Give whole numbers from -999 to 9999, From not above To.');
    }));

  it('prints the answers, the picture and the table without the page\'s controls', TIMEOUT, () =>
    withTeachersPage('?start=112&picture=in-turn&from=1&to=20', {}, async (page) => {
      await drawn(page);
      await rangeShown(page);
      await page.emulateMedia({ media: 'print' });
      for (const hidden of ['#start', '#json', '[data-picture]', '#range-form', 'footer', '.back'])
        assert.equal(await page.isVisible(hidden), false, hidden);
      for (const shown of ['#answer-heading', '.reading', '#figure svg', 'table'])
        assert.equal(await page.isVisible(shown), true, shown);
    }));
});

describe('the teachers\' page like the window\'s', () => {
  it('is reached from the window\'s page by a link below it and by the app\'s shortcut', TIMEOUT, async () => {
    const context = await shared.browser.newContext({ locale: 'en-US' });
    try {
      const page = await context.newPage();
      await page.goto(shared.server.url);
      const manifest = await page.evaluate(async () =>
        (await fetch(document.querySelector('link[rel=manifest]').href)).json());
      assert.deepEqual(manifest.shortcuts.map((s) => s.url), ['teachers.html']);
      const [link, window] = await Promise.all(['a[href="teachers.html"]', '#client'].map((s) =>
        page.locator(s).boundingBox()));
      assert.ok(link.y >= window.y + window.height, 'below the window');
      await page.click('a[href="teachers.html"]');
      await ready(page);
      assert.equal(await page.textContent('#answer-heading'), 'The answer for 112');
    } finally {
      await context.close();
    }
  });

  it('works offline once visited, its picture too, drawn at the first visit', TIMEOUT, async () => {
    const own = await serve(webDir);
    const { context, page, problems } = await openTeachersPage(own.url, '?start=112&picture=in-turn');
    try {
      await drawn(page);
      // Kept by the worker, which was not there yet when it was fetched.
      const kept = () => page.evaluate(async () => {
        for (const name of await caches.keys())
          if (await (await caches.open(name)).match('graphviz.js')) return true;
        return false;
      });
      while (!await kept()) await new Promise((r) => setTimeout(r, 100));
      own.stop();
      await page.goto(`${own.url}teachers.html?start=9&picture=in-turn`);
      await ready(page);
      await drawn(page);
      assert.match((await shownAnswer(page))[2], /reaches 0 in 1 press/);
      assert.ok(await page.locator('#figure svg').isVisible());
      assert.deepEqual(problems, []);
    } finally {
      await context.close();
      own.stop();
    }
  });

  for (const locale of ['en-US', 'bg-BG']) {
    it(`in ${locale}, with a picture and a range, axe-core finds nothing and a phone scrolls only down`, TIMEOUT, () =>
      withTeachersPage('?start=4823&picture=in-turn&from=9990&to=9999',
        { locale, viewport: { width: 360, height: 740 } }, async (page) => {
          await drawn(page);
          await rangeShown(page);
          const [scrollWidth, clientWidth] = await page.evaluate(() =>
            [document.documentElement.scrollWidth, document.documentElement.clientWidth]);
          assert.ok(scrollWidth <= clientWidth, `${scrollWidth} wide in ${clientWidth}`);
          assert.deepEqual(await axeViolations(page), []);
        }));
  }
});
