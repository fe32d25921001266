// The page's front end, run inside the module's JavaScript once the module
// and the record are there: it checks that the window the page already
// shows is the one the module reads from the record (else it builds that
// one, page_build.js), and hands every click and every change of the field
// to the module. Everything the window does is decided there by the shared
// rules; this only turns it into elements and back.

function velmoraStart(record) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const client = document.getElementById('client');
  let stopped = false;

  // The module's answer: JSON text ending in a zero byte at `pointer`.
  const answerText = (pointer) => decoder.decode(HEAPU8.subarray(pointer, HEAPU8.indexOf(0, pointer)));
  const answer = (pointer) => JSON.parse(answerText(pointer));
  // Puts bytes into the module's exchange buffer for the next call. (The
  // buffer first: making it may grow the module's memory, and HEAPU8 with it.)
  function put(bytes) {
    const at = _velmora_buffer(bytes.length);
    HEAPU8.set(bytes, at);
  }

  // A run-time error: its box, and no more handling of input.
  function fail(text) {
    stopped = true;
    client.inert = true;
    document.getElementById('error-text').textContent = text;
    const box = document.getElementById('error');
    if (!box.open) box.showModal();
  }

  performance.mark('velmora-started');
  put(new Uint8Array(record));
  const described = answerText(_velmora_open(record.byteLength, -1));
  const win = JSON.parse(described);
  performance.mark('velmora-described');
  if (win.error) {
    client.replaceChildren();  // no window
    return fail(win.error);
  }
  // The elements the page was built with, unless the record describes
  // another window (the description as index.html holds it writes '<' as
  // \u003c).
  const element = described.replaceAll('<', '\\u003c') === velmoraEarly.description
    ? velmoraEarly.element : velmoraBuild(win);
  performance.mark('velmora-built');

  const control = (role) => element[win.controls.find((c) => c.role === role).id];
  const field = control('field');
  const topLine = control('topLine');
  let shown = win.panel.field;  // the field's text as the panel holds it

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
    show(answer(_velmora_insert(start, end, bytes.length)));
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
    show(answer(_velmora_settle(bytes.length, chars(now.slice(0, field.selectionEnd)))));
  }
  field.addEventListener('input', (event) => event.isComposing || settle());
  field.addEventListener('compositionend', settle);

  // The user's decimal separator, as the browser writes 1.5 in their
  // language (the panel decides what a press writes for it). The browser's
  // number formats are slow to start, so the panel learns it once the window
  // is up, or at a press whose answer depends on it if that is sooner (most
  // presses write no separator).
  let separatorKnown = false;
  function learnSeparator() {
    if (separatorKnown || stopped) return;
    separatorKnown = true;
    const decimal = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
      .find((part) => part.type === 'decimal');
    show(answer(_velmora_separator(decimal ? decimal.value.codePointAt(0) : -1)));
  }
  (self.requestIdleCallback || setTimeout)(learnSeparator);

  for (const c of win.controls) {
    if (c.role !== 'button') continue;
    element[c.id].addEventListener('click', () => {
      if (stopped) return;
      let state = answer(_velmora_press(c.command));
      if (state.separatorNeeded) {
        learnSeparator();
        state = answer(_velmora_press(c.command));
      }
      show(state);
    });
  }

  // What the user did before the module was there: typing goes to the
  // field's rule, and presses are answered now, in their order.
  settle();
  velmoraEarly.started = true;
  for (const id of velmoraEarly.presses) if (element[id]) element[id].click();
  performance.mark('velmora-ready');

  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}
