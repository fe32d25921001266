// What the browser tests share: a static server for a folder (Python's
// http.server on a free port of 127.0.0.1, stopped by its PID) and
// Debian's Chromium, headless, driven by playwright-core.
import { spawn } from 'node:child_process';
import { cpSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

// The built page (build/web), as CTest says.
export const webDir = process.env.VELMORA_WEB_DIR ?? path.resolve('build/web');

export const client = '#client';
export const control = (id) => `[id="${id}"]`;
export const FIELD = control('Text2(0)');
export const TOP_LINE = control('Label1(0)');
export const CAPTION = control('Label1(1)');
export const INCREASE = control('Command1(0)');
export const DECREASE = control('Command1(1)');
export const STATEMENT = control('Text1(0)');
export const SAYING = control('Text1(1)');

// Serves `dir` until stop(); url ends in a slash. `wasmType` changes the
// Content-Type the server gives .wasm files, as some servers do.
export async function serve(dir, { wasmType } = {}) {
  const args = wasmType
    ? ['-u', '-c', 'import http.server as s; ' +
       `s.SimpleHTTPRequestHandler.extensions_map[".wasm"] = "${wasmType}"; ` +
       's.test(HandlerClass=s.SimpleHTTPRequestHandler, port=0, bind="127.0.0.1")']
    : ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1'];
  const server = spawn('python3', args, { stdio: ['ignore', 'pipe', 'pipe'], cwd: dir });
  const port = await new Promise((resolve, reject) => {
    let out = '';
    server.stdout.on('data', (chunk) => {
      out += chunk;
      const found = /port (\d+)/.exec(out);
      if (found) resolve(Number(found[1]));
    });
    server.on('exit', (code) => reject(new Error(`http.server ended (${code}): ${out}`)));
  });
  server.stderr.resume();  // its request log
  let stopped = false;
  return {
    url: `http://127.0.0.1:${port}/`,
    stop() {  // once; later calls do nothing
      if (stopped) return;
      stopped = true;
      server.stdout.destroy();
      process.kill(server.pid);
    },
  };
}

// A copy of the page (or of `from`) in a temporary folder, changed by
// `change(dir)`.
export function pageCopy(change, from = webDir) {
  const dir = mkdtempSync(path.join(tmpdir(), 'velmora-web-'));
  cpSync(from, dir, { recursive: true });
  change(dir);
  return { dir, remove: () => rmSync(dir, { recursive: true, force: true }) };
}

export function launch() {
  return chromium.launch({
    executablePath: process.env.VELMORA_CHROMIUM ?? '/usr/bin/chromium',
    // Scroll bars are part of the window: keep them in screenshots.
    ignoreDefaultArgs: ['--hide-scrollbars'],
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// One browser and one server of the built page for a test file's tests:
// started before the first, stopped after the last. The tests read
// `shared.browser` and `shared.server`.
export function sharedBrowserAndServer() {
  const shared = {};
  before(async () => {
    shared.browser = await launch();
    shared.server = await serve(webDir);
  });
  after(async () => {
    await shared.browser?.close();
    shared.server?.stop();
  });
  return shared;
}

// A fresh context (its own cache and storage) with the page open and ready:
// its handlers are in place. `problems` collects console messages, page
// errors and failed requests.
export async function openPage(browser, url, options = {}) {
  const context = await browser.newContext({ locale: 'en-US', ...options });
  const page = await context.newPage();
  const problems = [];
  page.on('console', (m) => problems.push(`console ${m.type()}: ${m.text()}`));
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`failed: ${r.url()}`));
  page.on('response', (r) => r.status() >= 400 && problems.push(`${r.status()}: ${r.url()}`));
  page.on('request', (r) => new URL(r.url()).origin !== new URL(url).origin &&
    !r.url().startsWith('data:') && problems.push(`elsewhere: ${r.url()}`));
  await page.goto(url);
  await waitReady(page);
  return { context, page, problems };
}

export async function waitReady(page) {
  await page.waitForFunction(() =>
    performance.getEntriesByName('velmora-ready').length > 0 ||
    document.getElementById('error').open);
}
