// The page's front end: once the module is compiled and the record is
// there, it checks that the window the page already shows is the one the
// record gives (else it writes that one, page_build.js), and hands every
// click and every change of the field to the module. Everything the window
// does is decided there by the shared rules; this only turns it into
// elements and back.

// The modules' imports: they ask for nothing but a way to stop.
const velmoraImports = {
  wasi_snapshot_preview1: {
    proc_exit(code) { throw new Error(`The module stopped (${code})`); },
  },
};

async function velmoraStart(instance, record) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  let exports;
  let api;  // the module's functions, in an object of the page's own (a test may stand in for one)
  function use(module) {
    exports = module.exports;
    api = velmoraEarly.api = { ...exports };
    api._initialize();
  }
  const memory = () => new Uint8Array(exports.memory.buffer);  // afresh: the memory may grow
  let stopped = false;

  // The module's answer: JSON text ending in a zero byte at `pointer`.
  const answerText = velmoraEarly.answerText = (pointer) => {
    const bytes = memory();
    return decoder.decode(bytes.subarray(pointer, bytes.indexOf(0, pointer)));
  };
  const answer = (pointer) => JSON.parse(answerText(pointer));
  // Puts bytes into the module's exchange buffer for the next call (the
  // buffer first: making it may grow the memory).
  function put(bytes) {
    const at = api.velmora_buffer(bytes.length);
    memory().set(bytes, at);
  }
  const open = () => {
    put(new Uint8Array(record));
    return answer(api.velmora_open(record.byteLength, -1));
  };

  // A run-time error: its box, and no more handling of input.
  function fail(text) {
    stopped = true;
    document.getElementById('client').inert = true;
    document.getElementById('error-text').textContent = text;
    const box = document.getElementById('error');
    if (!box.open) box.showModal();
  }

  performance.mark('velmora-started');
  use(instance);
  let opened = open();
  performance.mark('velmora-described');
  if (opened.error) {
    document.getElementById('client').replaceChildren();  // no window
    return fail(opened.error);
  }
  // A record other than the one the page was built with: velmora-window.wasm
  // reads it as this module does and also describes its window, which the
  // page then shows instead.
  if (opened.record !== document.getElementById('frame').dataset.record) {
    use(new WebAssembly.Instance(await velmoraEarly.compile('velmora-window.wasm'), velmoraImports));
    opened = open();
    if (opened.error) return fail(opened.error);
    document.getElementById('frame').outerHTML = velmoraWindowHtml(opened);
    document.title = document.getElementById('caption').textContent = opened.caption;
    velmoraPlace();
  }
  performance.mark('velmora-built');

  const client = document.getElementById('client');
  const field = client.querySelector('[data-role="field"]');
  const topLine = client.querySelector('[data-role="topLine"]');
  let shown = opened.panel.field;  // the field's text as the panel holds it

  // Characters are code points, the field's positions UTF-16 units.
  const chars = (text) => Array.from(text).length;
  function units(text, count) {
    let i = 0;
    for (const ch of text) {
      if (count-- <= 0) break;
      i += ch.length;
    }
    return i;
  }

  function show(state) {
    if (state.error) return fail(state.error);
    if (field.value !== state.field) field.value = state.field;
    shown = state.field;
    field.style.textAlign = state.align;
    if (topLine.textContent !== state.topLine) topLine.textContent = state.topLine;
    if (state.caret !== undefined) {
      const at = units(state.field, state.caret);
      field.setSelectionRange(at, at);
    }
  }

  // Replaces the characters [start, end) of the field by `text`, by the
  // field's editing rule.
  function insert(start, end, text) {
    const bytes = encoder.encode(text);
    put(bytes);
    show(answer(api.velmora_insert(start, end, bytes.length)));
  }

  // Insertions at the selection go to the rule before the browser makes
  // them (its own length limit would count UTF-16 units, and it would join
  // a pasted text's lines).
  const atSelection = new Set(['insertText', 'insertFromPaste', 'insertFromPasteAsQuotation',
    'insertFromYank', 'insertReplacementText', 'insertTranspose']);
  field.addEventListener('beforeinput', (event) => {
    if (stopped) return event.preventDefault();
    if (!event.cancelable || event.isComposing || !atSelection.has(event.inputType)) return;
    let text = event.data;
    if (text == null && event.dataTransfer) text = event.dataTransfer.getData('text/plain');
    if (text == null) return;
    event.preventDefault();
    const value = field.value;
    const [from, to] = [field.selectionStart, field.selectionEnd].sort((a, b) => a - b);
    insert(chars(value.slice(0, from)), chars(value.slice(0, to)), text);
  });

  // Anything else the browser changed itself (deleting, dropping, an input
  // method's text once composed) goes to the panel, which settles it by the
  // same rule as the one span that changed, the caret where the user left it.
  function settle() {
    const now = field.value;
    if (stopped || now === shown) return;
    const bytes = encoder.encode(now);
    put(bytes);
    show(answer(api.velmora_settle(bytes.length, chars(now.slice(0, field.selectionEnd)))));
  }
  field.addEventListener('input', (event) => event.isComposing || settle());
  field.addEventListener('compositionend', settle);

  // The user's decimal separator, as the browser writes 1.5 in their
  // language (the panel decides what a press writes for it). The browser's
  // number formats are slow to start, so the panel learns it at a press
  // whose answer depends on it (most presses write no separator), or in a
  // moment when the browser is idle, once the window is up and has taken
  // its first presses.
  let separatorKnown = false;
  function learnSeparator() {
    if (separatorKnown || stopped) return;
    separatorKnown = true;
    const decimal = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
      .find((part) => part.type === 'decimal');
    show(answer(api.velmora_separator(decimal ? decimal.value.codePointAt(0) : -1)));
  }
  setTimeout(() => (self.requestIdleCallback || setTimeout)(learnSeparator), 1000);

  for (const button of client.querySelectorAll('[data-command]')) {
    const command = Number(button.dataset.command);
    button.addEventListener('click', () => {
      if (stopped) return;
      let state = answer(api.velmora_press(command));
      if (state.separatorNeeded) {
        learnSeparator();
        state = answer(api.velmora_press(command));
      }
      show(state);
    });
  }

  // What the user did before the module was there: typing goes to the
  // field's rule, and presses are answered now, in their order.
  settle();
  velmoraEarly.started = true;
  for (const id of velmoraEarly.presses) document.getElementById(id)?.click();
  performance.mark('velmora-ready');

  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}
