// The web page in a real browser: what a user sees and does, from opening
// the page to working without a network. Run with `node --test` (CTest:
// web.page); VELMORA_WEB_DIR names the built page.
import assert from 'node:assert/strict';
import {
  cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, truncateSync, writeFileSync,
} from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { describe, it } from 'node:test';
import { gunzipSync } from 'node:zlib';
import {
  CAPTION, DECREASE, FIELD, INCREASE, SAYING, STATEMENT, TOP_LINE,
  openPage, pageCopy, serve, sharedBrowserAndServer, waitReady, webDir,
} from './support.mjs';

const INITIAL_TOP_LINE = 'Естествено число - сума и разлика от цифри';
const TIMEOUT = { timeout: 60_000 };

const shared = sharedBrowserAndServer();

// A fresh context with the page open; closed after `use`.
async function withPage(options, use) {
  const opened = await openPage(shared.browser, shared.server.url, options);
  try {
    return await use(opened.page, opened);
  } finally {
    await opened.context.close();
  }
}

// The same, from a server of its own for `dir` (with serve's `options`).
async function withOwnServer(dir, options, use) {
  const own = await serve(dir, options);
  try {
    const opened = await openPage(shared.browser, own.url);
    try {
      return await use(opened.page, opened);
    } finally {
      await opened.context.close();
    }
  } finally {
    own.stop();
  }
}

// Rectangle of an element relative to the client area, in CSS pixels.
const rectOf = (page, selector) => page.evaluate((s) => {
  const r = document.querySelector(s).getBoundingClientRect();
  const c = document.getElementById('client').getBoundingClientRect();
  return [r.left - c.left, r.top - c.top, r.width, r.height].map(Math.round);
}, selector);

// Colours [r, g, b] at client-area points, read from a real screenshot.
async function coloursAt(page, points) {
  const png = await page.locator('#client').screenshot();
  return page.evaluate(async ([data, at]) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const g = canvas.getContext('2d', { willReadFrequently: true });
    g.drawImage(image, 0, 0);
    return at.map(([x, y]) => Array.from(g.getImageData(x, y, 1, 1).data.slice(0, 3)));
  }, [png.toString('base64'), points]);
}

async function typeIntoField(page, text) {
  await page.focus(FIELD);
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
}

async function pasteIntoField(page, text) {
  await page.evaluate((t) => navigator.clipboard.writeText(t), text);
  await page.keyboard.press('Control+V');
}

const fieldAndTopLine = async (page) => [await page.inputValue(FIELD), await page.textContent(TOP_LINE)];

// Text in code page 1251, as the record stores it (Cyrillic and ASCII).
const cp1251 = (text) => Buffer.from(Array.from(text, (c) => {
  const u = c.codePointAt(0);
  return u >= 0x410 && u <= 0x44F ? u - 0x350 : u;
}));

// A copy of the page whose record is changed by `change(record)`.
const pageWithRecord = (change) => pageCopy((dir) => {
  const file = path.join(dir, 'velmora.rec');
  const record = readFileSync(file);
  change(record);
  writeFileSync(file, record);
});

// The page with another record: its statement begins "На се" for "Да се".
const otherRecordPage = () => pageWithRecord((record) => {
  const at = record.indexOf(cp1251('Да се'));
  assert.ok(at > 0);
  record[at] = 0xCD;  // "Н"
});

describe('opening the page', () => {
  it('shows the window of the stored record, focus on the statement, quietly', TIMEOUT, () =>
    withPage({}, async (page, { problems }) => {
      assert.equal(await page.title(),
        'www.velmora.example Информатика - сума, разлика между цифри и число');
      assert.deepEqual(await rectOf(page, '#client'), [0, 0, 536, 258]);
      const rects = {
        [TOP_LINE]: [88, 0, 361, 25], [CAPTION]: [88, 40, 89, 25], [FIELD]: [88, 64, 89, 27],
        [INCREASE]: [288, 40, 161, 25], [DECREASE]: [288, 72, 161, 25],
        [STATEMENT]: [16, 128, 497, 121],
      };
      for (const [selector, rect] of Object.entries(rects))
        assert.deepEqual(await rectOf(page, selector), rect, selector);

      assert.deepEqual(await fieldAndTopLine(page), ['112', INITIAL_TOP_LINE]);
      assert.equal(await page.textContent(CAPTION), 'Число');
      assert.equal(await page.textContent(INCREASE), 'Увеличава със сбор');
      assert.equal(await page.textContent(DECREASE), 'Намалява със сбор');
      const statement = await page.inputValue(STATEMENT);
      assert.match(statement, /^Да се реализира проект, .*\nТема на проекта: /s);
      assert.ok(statement.trimEnd().endsWith('числото да стане 0.'));
      assert.equal(await page.getAttribute(STATEMENT, 'readonly'), '');
      assert.equal(await page.isVisible(SAYING), false);

      const look = await page.evaluate(([field, statement]) => {
        const f = getComputedStyle(document.querySelector(field));
        const s = getComputedStyle(document.querySelector(statement));
        return [f.fontFamily, f.fontSize, f.textAlign, s.overflowY, document.activeElement.id];
      }, [FIELD, STATEMENT]);
      assert.deepEqual(look, ['"Times New Roman", "Liberation Serif", Tinos, serif', '16px',
        'center', 'scroll', 'Text1(0)']);
      await page.waitForLoadState('networkidle');
      assert.deepEqual(problems, []);
    }));

  it('takes the icon from the record and asks for no favicon.ico', TIMEOUT, () =>
    withPage({}, async (page) => {
      const icon = await page.evaluate(async () => {
        const href = document.querySelector('link[rel=icon]').href;
        const response = await fetch(href);
        return [new URL(href).pathname, response.status, (await response.arrayBuffer()).byteLength];
      });
      assert.deepEqual(icon.slice(0, 2), ['/velmora.ico', 200]);
      const requested = await page.evaluate(() =>
        performance.getEntriesByType('resource').map((e) => new URL(e.name).pathname));
      assert.ok(!requested.includes('/favicon.ico'));
      assert.ok(requested.includes('/velmora.rec'));
    }));

  it('can be installed: the manifest names it, with its colours and icons', TIMEOUT, () =>
    withPage({}, async (page) => {
      const manifest = await page.evaluate(async () => {
        const href = document.querySelector('link[rel=manifest]').href;
        const m = await (await fetch(href)).json();
        const sizes = [];
        for (const icon of m.icons) {
          const image = new Image();
          image.src = new URL(icon.src, href);
          await image.decode();
          sizes.push(`${image.naturalWidth}x${image.naturalHeight}`);
        }
        return { ...m, loaded: sizes };
      });
      assert.equal(manifest.name, 'Velmora');
      assert.equal(manifest.start_url, './');
      assert.equal(manifest.display, 'standalone');
      assert.equal(manifest.background_color, '#c0c0ff');
      assert.deepEqual(manifest.loaded, manifest.icons.map((i) => i.sizes));
      assert.ok(manifest.loaded.includes('512x512') && manifest.loaded.includes('192x192'));
    }));

  it('draws the layout\'s colours', TIMEOUT, () =>
    withPage({}, async (page) => {
      await page.focus(FIELD);  // no focus rectangle on the buttons
      const [background, topLine, caption, increase, decrease, field, statement] =
        await coloursAt(page, [[4, 4], [92, 3], [92, 43], [292, 44], [292, 76], [93, 68], [22, 240]]);
      assert.deepEqual(background, [192, 192, 255]);
      assert.deepEqual(topLine, [255, 192, 128]);
      assert.deepEqual(caption, [255, 192, 128]);
      assert.deepEqual(increase, [128, 255, 255]);
      assert.deepEqual(decrease, [128, 128, 255]);
      assert.deepEqual(field, [255, 255, 255]);
      assert.deepEqual(statement, [255, 255, 255]);
    }));

  it('from a folder deep in a server works the same', TIMEOUT, async () => {
    const root = mkdtempSync(path.join(tmpdir(), 'velmora-web-root-'));
    cpSync(webDir, path.join(root, 'school', 'exercises'), { recursive: true });
    const own = await serve(root);
    try {
      const { page, context, problems } = await openPage(shared.browser, `${own.url}school/exercises/`);
      await page.click(DECREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['108', 'Сума от цифри: 9']);
      const scope = await page.evaluate(async () => (await navigator.serviceWorker.ready).scope);
      assert.equal(scope, `${own.url}school/exercises/`);
      await page.waitForLoadState('networkidle');
      assert.deepEqual(problems, []);
      await context.close();
    } finally {
      own.stop();
      rmSync(root, { recursive: true, force: true });
    }
  });

  it('from a server that does not call the module WebAssembly works the same', TIMEOUT, async () => {
    await withOwnServer(webDir, { wasmType: 'application/octet-stream' }, async (page, { problems }) => {
      const type = await page.evaluate(async () =>
        (await fetch('velmora.wasm')).headers.get('Content-Type'));
      assert.equal(type, 'application/octet-stream');
      await page.click(INCREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
      assert.deepEqual(problems, []);
    });
  });

  it('shows the window before its module is there, and answers a press made then', TIMEOUT, async () => {
    const context = await shared.browser.newContext({ locale: 'en-US' });
    try {
      let release;
      const held = new Promise((r) => { release = r; });
      await context.route('**/velmora.wasm', async (route) => { await held; await route.continue(); });
      const page = await context.newPage();
      await page.goto(shared.server.url);
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Text1(0)');
      await page.click(INCREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['112', INITIAL_TOP_LINE]);
      await page.evaluate((f) => { window.fieldBefore = document.querySelector(f); }, FIELD);
      release();
      await waitReady(page);
      assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
      assert.ok(await page.evaluate((f) => window.fieldBefore === document.querySelector(f), FIELD),
        'the window the page was built with is kept');
    } finally {
      await context.close();
    }
  });

  it('from a record other than the one it was built with shows that record\'s window', TIMEOUT, async () => {
    const copy = otherRecordPage();
    try {
      await withOwnServer(copy.dir, {}, async (page, { problems }) => {
        assert.match(await page.inputValue(STATEMENT), /^На се реализира проект/);
        await page.click(INCREASE);
        assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
        assert.deepEqual(problems, []);
      });
    } finally {
      copy.remove();
    }
  });

  it('from a record whose buttons are white and black shows that window in its colours', TIMEOUT, async () => {
    // Each button's colour setting (03, then &H00BBGGRR&) after its caption.
    const copy = pageWithRecord((record) => {
      for (const [caption, from, to] of [['Увеличава', [0x80, 0xFF, 0xFF, 0x00], [0xFF, 0xFF, 0xFF, 0x00]],
        ['Намалява', [0x80, 0x80, 0xFF, 0x00], [0x00, 0x00, 0x00, 0x00]]]) {
        const at = record.indexOf(Buffer.from([0x03, ...from]), record.indexOf(cp1251(caption)));
        assert.ok(at > 0, caption);
        Buffer.from(to).copy(record, at + 1);
      }
    });
    try {
      await withOwnServer(copy.dir, {}, async (page, { problems }) => {
        await page.focus(FIELD);  // no focus rectangle on the buttons
        // Faces, and the white button's outer bottom-right and the black
        // one's outer top-left edge, as the shared rules shade them.
        assert.deepEqual(await coloursAt(page, [[292, 44], [292, 76], [448, 64], [288, 72]]),
          [[255, 255, 255], [0, 0, 0], [64, 64, 64], [191, 191, 191]]);
        assert.equal(await page.isVisible('#error'), false);
        await page.click(INCREASE);
        assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
        assert.deepEqual(problems, []);
      });
    } finally {
      copy.remove();
    }
  });

  it('on a narrow screen shows the whole window, scaled down', TIMEOUT, () =>
    withPage({ viewport: { width: 268, height: 400 } }, async (page) => {
      const box = await page.locator('#client').boundingBox();
      assert.deepEqual([box.x, box.y, box.width, box.height], [0, 0, 268, 129]);
      await page.click(INCREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
    }));
});

describe('pressing the buttons', () => {
  // [field text, button, field after, top line after]
  const rows = {
    'en-US': [['112', INCREASE, '116', 'Сума от цифри: 8'], ['112', DECREASE, '108', 'Сума от цифри: 9'],
      ['1.5', INCREASE, '7.5', 'Сума от цифри: 12'], ['7.5', INCREASE, '19.5', 'Сума от цифри: 15'],
      ['9999', INCREASE, '1003', 'Сума от цифри: 4'], ['-999', DECREASE, '-102', 'Сума от цифри: 3'],
      ['абв', INCREASE, '0', 'Сума от цифри: 0'], ['&H7F', INCREASE, '134', 'Сума от цифри: 8']],
    'bg-BG': [['1.5', INCREASE, '7,5', 'Сума от цифри: 12'], ['7,5', INCREASE, '19', 'Сума от цифри: 10'],
      ['112', DECREASE, '108', 'Сума от цифри: 9']],
  };
  for (const [locale, table] of Object.entries(rows)) {
    it(`in ${locale} gives each row`, TIMEOUT, () =>
      withPage({ locale }, async (page) => {
        for (const [text, button, field, topLine] of table) {
          await typeIntoField(page, text);
          await page.click(button);
          assert.deepEqual(await fieldAndTopLine(page), [field, topLine], `${text} ${button}`);
        }
      }));
  }

  // A press before the page has had a moment to spare: the browser's number
  // formats, slow to start, are asked only when the answer needs them.
  const early = [['en-US', '112', '116', 0], ['bg-BG', '112', '116', 0],
    ['en-US', '1.5', '7.5', 1], ['bg-BG', '1.5', '7,5', 1], ['bg-BG', '7,5', '19', 0]];
  for (const [locale, text, field, formats] of early) {
    it(`in ${locale} before the page is idle turns ${text} into ${field}`, TIMEOUT, async () => {
      const context = await shared.browser.newContext({ locale });
      try {
        await context.addInitScript(() => {
          window.requestIdleCallback = () => 0;  // never idle
          const NumberFormat = Intl.NumberFormat;
          window.formatsMade = 0;
          Intl.NumberFormat = function (...a) { window.formatsMade++; return new NumberFormat(...a); };
        });
        const page = await context.newPage();
        await page.goto(shared.server.url);
        await waitReady(page);
        await page.evaluate(([f, t]) => {
          const e = document.querySelector(f);
          e.value = t;
          e.dispatchEvent(new InputEvent('input'));
        }, [FIELD, text]);
        await page.click(INCREASE);
        assert.equal(await page.inputValue(FIELD), field);
        assert.equal(await page.evaluate(() => window.formatsMade), formats);
      } finally {
        await context.close();
      }
    });
  }

  it('in bg-BG turns 1.5 into 7,5 and then 19', TIMEOUT, () =>
    withPage({ locale: 'bg-BG' }, async (page) => {
      await typeIntoField(page, '1.5');
      await page.click(INCREASE);
      assert.equal(await page.inputValue(FIELD), '7,5');
      await page.click(INCREASE);
      assert.equal(await page.inputValue(FIELD), '19');
    }));

  it('with Enter and Space on the focused button', TIMEOUT, () =>
    withPage({}, async (page) => {
      await page.focus(INCREASE);
      await page.keyboard.press('Enter');
      assert.equal(await page.inputValue(FIELD), '116');
      await page.keyboard.press('Space');
      assert.equal(await page.inputValue(FIELD), '124');
      await page.focus(DECREASE);
      await page.keyboard.press('Space');
      assert.equal(await page.inputValue(FIELD), '117');
    }));

  it('sinks the held button and shows its focus inside the edge', TIMEOUT, () =>
    withPage({}, async (page) => {
      const style = () => page.evaluate((s) => {
        const c = getComputedStyle(document.querySelector(s));
        return [c.paddingTop, c.paddingLeft, c.outlineStyle, c.outlineOffset, c.backgroundColor];
      }, INCREASE);
      // The edge's rings at Command1(0)'s corners (288, 40) to (448, 64): outer
      // and inner top-left, inner and outer bottom-right, and the top-right
      // corner, which the shaded side takes. The shades are Command1(0)'s
      // colour, RGB(128, 255, 255), towards white and black.
      const edge = () => coloursAt(page, [[288, 40], [289, 41], [447, 63], [448, 64], [448, 40]]);
      const lightest = [223, 255, 255], light = [160, 255, 255];
      const shadow = [64, 128, 128], darkest = [32, 64, 64];
      await page.focus(FIELD);
      assert.deepEqual(await edge(), [lightest, light, shadow, darkest, darkest]);
      assert.deepEqual(await style(), ['0px', '0px', 'none', '0px', 'rgb(128, 255, 255)']);
      const box = await page.locator(INCREASE).boundingBox();
      await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
      await page.mouse.down();
      assert.deepEqual(await style(), ['1px', '1px', 'dotted', '-5px', 'rgb(128, 255, 255)']);
      assert.deepEqual(await edge(), [darkest, shadow, light, lightest, lightest]);
      await page.mouse.up();
      assert.deepEqual((await style()).slice(0, 3), ['0px', '0px', 'dotted']);
    }));

  it('announces only the new top line, politely', TIMEOUT, () =>
    withPage({}, async (page) => {
      const region = await page.evaluate((s) => {
        const e = document.querySelector(s);
        return [e.getAttribute('role'), e.childElementCount];
      }, TOP_LINE);
      assert.deepEqual(region, ['status', 0]);
      await page.click(DECREASE);
      assert.equal(await page.textContent(TOP_LINE), 'Сума от цифри: 9');
    }));
});

describe('moving with Tab', () => {
  it('follows the record\'s tab order, and back with Shift+Tab', TIMEOUT, () =>
    withPage({}, async (page) => {
      const focused = () => page.evaluate(() => document.activeElement.id);
      const order = ['Text1(0)', 'Command1(0)', 'Command1(1)', 'Text2(0)'];
      assert.equal(await focused(), order[0]);
      for (const id of order.slice(1)) {
        await page.keyboard.press('Tab');
        assert.equal(await focused(), id);
      }
      for (const id of order.slice(0, -1).reverse()) {
        await page.keyboard.press('Shift+Tab');
        assert.equal(await focused(), id);
      }
    }));
});

describe('typing and pasting into the field', () => {
  it('keeps four characters of what is typed, counted as characters', TIMEOUT, () =>
    withPage({}, async (page) => {
      for (const [typed, kept] of [['123456', '1234'], ['абвгдеж', 'абвг'],
        ['😀😀😀😀😀', '😀😀😀😀'], ['1😀2😀3', '1😀2😀']]) {
        await typeIntoField(page, typed);
        assert.equal(await page.inputValue(FIELD), kept, typed);
      }
      // Full: nothing more goes in, wherever the caret is.
      await page.keyboard.press('Home');
      await page.keyboard.type('9');
      assert.equal(await page.inputValue(FIELD), '1😀2😀');
      // Deleting then typing works at the caret.
      await page.keyboard.press('End');
      await page.keyboard.press('Backspace');
      await page.keyboard.type('77');
      assert.equal(await page.inputValue(FIELD), '1😀27');
      assert.equal(await page.evaluate((s) => document.querySelector(s).selectionStart, FIELD), 5);
    }));

  it('keeps what fits of a paste and what stands before its first line break', TIMEOUT, () =>
    withPage({ permissions: ['clipboard-read', 'clipboard-write'] }, async (page) => {
      await page.focus(FIELD);
      await page.keyboard.press('End');
      await pasteIntoField(page, '3456');
      assert.equal(await page.inputValue(FIELD), '1123');
      for (const [pasted, kept] of [['5\n6\n7', '5'], ['\r\n12', ''], ['😀😀😀😀😀', '😀😀😀😀'],
        ['Число', 'Числ'], ['78\r\n9', '78']]) {
        await page.keyboard.press('Control+A');
        await pasteIntoField(page, pasted);
        assert.equal(await page.inputValue(FIELD), kept, JSON.stringify(pasted));
      }
      // A paste over a selection replaces it; the text around it stays.
      await page.keyboard.press('Control+A');
      await page.keyboard.type('1234');
      await page.evaluate((s) => document.querySelector(s).setSelectionRange(1, 3), FIELD);
      await pasteIntoField(page, 'abcdef');
      assert.equal(await page.inputValue(FIELD), '1ab4');
      await page.click(INCREASE);
      assert.equal(await page.inputValue(FIELD), '6');  // 1 + digit sum 5
    }));
});

describe('typing and pasting a lot', () => {
  it('settles a change the browser made by itself by the same rule, the caret where it was', TIMEOUT, () =>
    withPage({}, async (page) => {
      // As autofill or an input method might: a new value, then only an input event.
      const changed = (value, caret) => page.evaluate(([s, v, c]) => {
        const f = document.querySelector(s);
        f.value = v;
        f.setSelectionRange(c, c);
        f.dispatchEvent(new InputEvent('input', { inputType: 'insertText' }));
        return [f.value, f.selectionStart, f.selectionEnd];
      }, [FIELD, value, caret]);
      assert.deepEqual(await changed('112345', 6), ['1123', 4, 4]);
      assert.deepEqual(await changed('13', 1), ['13', 1, 1]);
      await page.click(INCREASE);
      assert.equal(await page.inputValue(FIELD), '17');  // the press reads the panel's 13
    }));

  it('keeps four characters of a text larger than the module\'s memory', TIMEOUT, () =>
    withPage({}, async (page, { problems }) => {
      // As a paste hands it over: 20 million characters, more than the
      // module's memory holds at the start.
      const kept = await page.evaluate((f) => {
        const field = document.querySelector(f);
        field.focus();
        field.select();
        field.dispatchEvent(new InputEvent('beforeinput', {
          inputType: 'insertFromPaste', data: '7'.repeat(20_000_000), cancelable: true }));
        return field.value;
      }, FIELD);
      assert.equal(kept, '7777');
      await page.click(DECREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['7749', 'Сума от цифри: 27']);
      assert.deepEqual(problems, []);
    }));
});

describe('undoing and redoing in the field', () => {
  // Runs [keys or an action, the field after] rows, each key pressed in turn.
  async function steps(page, rows) {
    for (const [what, field] of rows) {
      if (typeof what === 'function') await what();
      else for (const key of what.split(' ')) await page.keyboard.press(key);
      assert.equal(await page.inputValue(FIELD), field, String(what));
    }
  }

  it('Ctrl+Z undoes typing, Ctrl+Y and Ctrl+Shift+Z redo it, and a press reads what is left', TIMEOUT, () =>
    withPage({}, async (page) => {
      await page.focus(FIELD);
      await steps(page, [['End 3', '1123'], ['Control+Z', '112'], ['Control+Y', '1123'],
        ['Control+Z', '112'], ['Control+Shift+Z', '1123'], ['Control+Z', '112']]);
      await page.click(INCREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
    }));

  it('Ctrl+Z undoes a paste alone, and a redo brings back only what the field kept', TIMEOUT, () =>
    withPage({ permissions: ['clipboard-read', 'clipboard-write'] }, async (page) => {
      await page.focus(FIELD);
      const paste = (text) => () => pasteIntoField(page, text);
      await steps(page, [['Control+A 1', '1'], [paste('23456\n7'), '1234'], ['Control+Z', '1'],
        ['Control+Shift+Z', '1234'], ['9', '1234'], ['Control+Z', '1'], ['Control+Z', '112'],
        ['Control+A', '112'], [paste('4567'), '4567'], ['Control+Z', '112'], ['Control+Y', '4567']]);
      await page.click(DECREASE);
      assert.equal(await page.inputValue(FIELD), '4545');  // 4567 - 22
    }));

  // A press sets the field's text, which ends what Ctrl+Z can undo, as
  // setting a field's text does everywhere: the typing before it is gone.
  it('after a press gives back no text the field never held', TIMEOUT, () =>
    withPage({}, async (page) => {
      await page.focus(FIELD);
      await steps(page, [['Control+A Backspace 4 2', '42'], ['Control+A Backspace 3 7', '37']]);
      await page.click(DECREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['27', 'Сума от цифри: 9']);
      await page.click(FIELD);
      await steps(page, [['Control+Z', '27'], ['Control+Y', '27'], ['End 5', '275'],
        ['Control+Z', '27'], ['Control+Z', '27'], ['Control+Shift+Z', '275'], ['Backspace', '27']]);
      await page.click(DECREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['18', 'Сума от цифри: 9']);
    }));

  it('after a drop keeps four characters, undone or redone', TIMEOUT, () =>
    withPage({}, async (page) => {
      // The field emptied, then "Да се реализира" dragged from the statement into it.
      await page.focus(FIELD);
      await steps(page, [['Control+A Backspace', '']]);
      await page.evaluate((s) => {
        const statement = document.querySelector(s);
        statement.focus();
        statement.setSelectionRange(0, 15);
      }, STATEMENT);
      const from = await page.locator(STATEMENT).boundingBox();
      const to = await page.locator(FIELD).boundingBox();
      await page.mouse.move(from.x + 20, from.y + 10);
      await page.mouse.down();
      await page.mouse.move(from.x + 40, from.y + 12, { steps: 5 });
      await page.mouse.move(to.x + to.width - 5, to.y + to.height / 2, { steps: 10 });
      await page.mouse.up();
      await page.focus(FIELD);
      await steps(page, [['End', 'Да с'], ['Control+Z', 'Да с'], ['Control+Y', 'Да с']]);
    }));
});

// The page's accessibility tree as Chromium gives it to a screen reader:
// its nodes that are not ignored, and the text a node's subtree reads.
async function accessibilityTree(page, context) {
  const cdp = await context.newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  await cdp.detach();
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const textOf = (n) => n.role?.value === 'StaticText' ? n.name?.value ?? ''
    : (n.childIds ?? []).map((id) => textOf(byId.get(id))).join('');
  return { nodes: nodes.filter((n) => !n.ignored), textOf };
}

// Runs axe-core in the page: its violations, as "rule: target" lines.
async function axeViolations(page) {
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  const violations = await page.evaluate(async () => (await axe.run()).violations);
  return violations.flatMap((v) => v.nodes.map((n) => `${v.id} (${v.impact}): ${n.target.join(' ')}`));
}

describe('assistive technology', () => {
  it('reads every control by its name and not the saying', TIMEOUT, () =>
    withPage({}, async (page, { context }) => {
      const { nodes } = await accessibilityTree(page, context);
      const seen = nodes.map((n) => [n.role?.value, n.name?.value ?? '']);
      const has = (role, name) => seen.some(([r, n]) => r === role && n === name);
      assert.ok(has('textbox', 'Число'), 'the field is named by its caption');
      assert.ok(has('button', 'Увеличава със сбор'));
      assert.ok(has('button', 'Намалява със сбор'));
      assert.ok(has('main', ''));
      assert.ok(has('heading', 'www.velmora.example Информатика - сума, разлика между цифри и число'));
      const statement = nodes.find((n) => n.role?.value === 'textbox' &&
        (n.value?.value ?? '').startsWith('Да се реализира'));
      assert.ok(statement, 'the statement is a text box');
      assert.equal(statement.name?.value, 'Условие на задачата');
      assert.ok(statement.properties.some((p) => p.name === 'readonly' && p.value.value));
      assert.ok(statement.properties.some((p) => p.name === 'multiline' && p.value.value));
      assert.ok(!JSON.stringify(nodes).includes('Неприятното'), 'the saying is not exposed');
    }));

  it('reads the top line as a polite status that a press changes', TIMEOUT, () =>
    withPage({}, async (page, { context }) => {
      const status = async () => {
        const { nodes, textOf } = await accessibilityTree(page, context);
        const found = nodes.filter((n) => n.role?.value === 'status');
        assert.equal(found.length, 1);
        const live = found[0].properties.find((p) => p.name === 'live')?.value.value;
        return [live, textOf(found[0])];
      };
      assert.deepEqual(await status(), ['polite', INITIAL_TOP_LINE]);
      await page.click(INCREASE);
      assert.deepEqual(await status(), ['polite', 'Сума от цифри: 8']);
    }));

  it('answers a press that keeps the top line with new status text, heard again', TIMEOUT, () =>
    withPage({}, async (page, { context }) => {
      const statusText = async () => {
        const { nodes } = await accessibilityTree(page, context);
        const status = nodes.find((n) => n.role?.value === 'status');
        return nodes.find((n) => n.nodeId === status.childIds[0]);
      };
      await page.focus(FIELD);
      await page.keyboard.press('Control+A');
      await page.keyboard.type('9');
      await page.click(INCREASE);
      const before = await statusText();
      await page.click(INCREASE);
      const after = await statusText();
      assert.deepEqual([await page.inputValue(FIELD), after.name.value], ['27', 'Сума от цифри: 9']);
      assert.notEqual(after.backendDOMNodeId, before.backendDOMNodeId);
    }));

  it('axe-core finds nothing on the ready page', TIMEOUT, () =>
    withPage({}, async (page) => assert.deepEqual(await axeViolations(page), [])));
});

describe('in forced colours, as a high-contrast theme shows it', () => {
  // Whether a colour stands out from another: not the same, nor transparent.
  const differs = (colour, from) => colour !== from && !/^rgba\(.*, 0\)$/.test(colour);

  it('keeps an edge on every button and text box, and a ring on the focus', TIMEOUT, () =>
    withPage({ forcedColors: 'active' }, async (page) => {
      assert.equal(await page.evaluate(() => matchMedia('(forced-colors: active)').matches), true);
      const edges = await page.evaluate((ids) => ids.map((id) => {
        const c = getComputedStyle(document.querySelector(id));
        return [id, c.backgroundColor, ...['Top', 'Right', 'Bottom', 'Left'].map((side) =>
          [c[`border${side}Style`], parseFloat(c[`border${side}Width`]), c[`border${side}Color`]])];
      }), [INCREASE, DECREASE, FIELD, STATEMENT]);
      for (const [id, background, ...sides] of edges) {
        for (const [style, width, colour] of sides) {
          assert.ok(!['none', 'hidden'].includes(style) && width >= 1, `${id}: ${style} ${width}`);
          assert.ok(differs(colour, background), `${id}: ${colour} on ${background}`);
        }
      }
      // Each control that takes the focus, in the tab order, shows it.
      const surface = await page.evaluate(() => getComputedStyle(document.getElementById('client')).backgroundColor);
      for (let i = 0; i < 4; i++) {
        const [id, style, width, colour] = await page.evaluate(() => {
          const c = getComputedStyle(document.activeElement);
          return [document.activeElement.id, c.outlineStyle, parseFloat(c.outlineWidth), c.outlineColor];
        });
        assert.ok(style !== 'none' && width >= 1 && differs(colour, surface), `${id}: ${style} ${width} ${colour}`);
        await page.keyboard.press('Tab');
      }
    }));
});

describe('serving it compressed', () => {
  it('ships a gzipped copy of every file but the PNGs, the same bytes inside', () => {
    const files = readdirSync(webDir);
    for (const f of files.filter((n) => !n.endsWith('.gz'))) {
      const copy = path.join(webDir, `${f}.gz`);
      if (f.endsWith('.png')) {
        assert.ok(!files.includes(`${f}.gz`), f);
        continue;
      }
      assert.ok(gunzipSync(readFileSync(copy)).equals(readFileSync(path.join(webDir, f))), f);
    }
  });
});

describe('working offline', () => {
  it('reloads and works after the first visit without a server', TIMEOUT, async () => {
    const own = await serve(webDir);
    const context = await shared.browser.newContext({ locale: 'en-US' });
    try {
      const page = await context.newPage();
      await page.goto(own.url);
      await waitReady(page);
      await page.evaluate(async () => {
        await navigator.serviceWorker.ready;
        if (!navigator.serviceWorker.controller)
          await new Promise((r) => navigator.serviceWorker.addEventListener('controllerchange', r));
      });
      own.stop();
      await page.reload();
      await waitReady(page);
      await page.click(INCREASE);
      assert.deepEqual(await fieldAndTopLine(page), ['116', 'Сума от цифри: 8']);
      const storage = await page.evaluate(async () => [document.cookie, localStorage.length,
        sessionStorage.length, (await indexedDB.databases()).length]);
      assert.deepEqual(storage, ['', 0, 0, 0]);
    } finally {
      await context.close();
      own.stop();
    }
  });
});

describe('a run-time error', () => {
  it('from a damaged record shows the error box and no window', TIMEOUT, async () => {
    const copy = pageCopy((dir) => truncateSync(path.join(dir, 'velmora.rec'), 100));
    try {
      await withOwnServer(copy.dir, {}, async (page) => {
        const dialog = page.locator('#error');
        assert.equal(await dialog.isVisible(), true);
        assert.equal(await dialog.getAttribute('role'), 'alertdialog');
        assert.match(await page.textContent('#error-text'), /^Run-time error 100:\n\noffset \d+: /);
        assert.equal(await page.evaluate(() => document.getElementById('client').childElementCount), 0);
        assert.deepEqual(await axeViolations(page), []);
      });
    } finally {
      copy.remove();
    }
  });

  it('from a window module that does not compile shows the error box and no window', TIMEOUT, async () => {
    // Another record, so that the page needs velmora-window.wasm, cut short.
    const copy = otherRecordPage();
    truncateSync(path.join(copy.dir, 'velmora-window.wasm'), 100);
    try {
      await withOwnServer(copy.dir, {}, async (page) => {
        assert.equal(await page.isVisible('#error'), true);
        assert.match(await page.textContent('#error-text'), /^Run-time error 51:\n\nInternal error: \S/);
        assert.equal(await page.evaluate(() => document.getElementById('client').childElementCount), 0);
      });
    } finally {
      copy.remove();
    }
  });

  it('from a press the panel rejects shows the error box and stops the window', TIMEOUT, () =>
    withPage({}, async (page, { problems }) => {
      // The increase button made to ask for Command1(2), which the panel
      // does not have: its run-time error 5 goes through the page's own path.
      await page.evaluate(() => {
        const { api } = velmoraEarly;
        const press = api.velmora_press;
        api.velmora_press = () => press(2);
      });
      await page.click(INCREASE);
      assert.equal(await page.isVisible('#error'), true);
      assert.equal(await page.textContent('#error-text'),
        'Run-time error 5:\n\nInvalid procedure call or argument: no button 2');
      // Nothing answers any more, even a click or typing that reaches the window.
      await page.evaluate(([d, f]) => {
        document.querySelector(d).click();
        document.querySelector(f).value = '9';
        document.querySelector(f).dispatchEvent(new InputEvent('input'));
      }, [DECREASE, FIELD]);
      assert.equal(await page.textContent(TOP_LINE), INITIAL_TOP_LINE);
      assert.equal(await page.evaluate(() => document.getElementById('client').inert), true);
      assert.deepEqual(problems, []);
    }));

  it('stops the window: every later call answers the same error', TIMEOUT, () =>
    withPage({}, async (page) => {
      const answers = await page.evaluate(() => {
        const { api, answerText } = velmoraEarly;
        return [answerText(api.velmora_press(2)), answerText(api.velmora_press(0))];
      });
      assert.deepEqual(answers.map((a) => JSON.parse(a).error), [
        'Run-time error 5:\n\nInvalid procedure call or argument: no button 2',
        'Run-time error 5:\n\nInvalid procedure call or argument: no button 2']);
    }));
});
