// The page's front end, run inside the module's JavaScript once the module
// and the record are there: it builds the window's elements from the
// module's description of the record and hands every click and every
// change of the field to the module. Everything the window does is decided
// there by the shared rules; this only turns it into elements and back.

function velmoraStart(record) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const client = document.getElementById('client');
  const frame = document.getElementById('frame');
  let stopped = false;

  // The module's answer: JSON text ending in a zero byte at `pointer`.
  const answer = (pointer) =>
    JSON.parse(decoder.decode(HEAPU8.subarray(pointer, HEAPU8.indexOf(0, pointer))));
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

  put(new Uint8Array(record));
  const win = answer(_velmora_open(record.byteLength, -1));
  if (win.error) return fail(win.error);

  document.title = win.caption;
  const font = win.font;
  client.style.cssText =
    `width:${win.width}px;height:${win.height}px;background:${win.background};` +
    `font-size:${font.pixels}px;font-weight:${font.weight};` +
    `font-style:${font.italic ? 'italic' : 'normal'};` +
    `text-decoration:${font.underline ? 'underline ' : ''}${font.strikeOut ? 'line-through' : ''};` +
    `--edge:${win.button.edge}px;--shift:${win.button.shift}px;` +
    `--focus-inset:${win.button.focusInset}px`;
  client.style.fontFamily = font.family;  // the layout's font, then its stand-ins

  // A screen narrower than the window shows all of it, scaled down.
  function fit() {
    const scale = Math.min(1, document.documentElement.clientWidth / win.width);
    frame.style.width = `${win.width * scale}px`;
    frame.style.height = `${win.height * scale}px`;
    client.style.transform = scale < 1 ? `scale(${scale})` : '';
  }
  addEventListener('resize', fit);

  // The controls from the bottom of the stacking to the top, which is also
  // the tab order of those that take the focus.
  const element = {};
  for (const c of win.controls) {
    let e;
    if (c.kind === 'label') {
      e = document.createElement(c.captionFor ? 'label' : 'div');
      if (c.captionFor) e.htmlFor = c.captionFor;
      e.textContent = c.text;
      if (c.role === 'topLine') e.setAttribute('role', 'status');
    } else if (c.kind === 'button') {
      e = document.createElement('button');
      e.type = 'button';
      e.textContent = c.text;
      if (c.ownColour) {
        e.classList.add('own');
        e.style.setProperty('--face', c.background);
      }
    } else {
      e = document.createElement(c.multiLine ? 'textarea' : 'input');
      e.value = c.text;
      e.readOnly = c.readOnly;
      e.spellcheck = false;
      e.setAttribute('autocomplete', 'off');
      if (c.multiLine) {
        e.classList.add('multiline');
        e.wrap = c.wraps ? 'soft' : 'off';
        e.classList.toggle('wraps', c.wraps);
        e.classList.toggle('vertical-bar', c.verticalScrollBar);
        e.classList.toggle('horizontal-bar', c.horizontalScrollBar);
      }
    }
    e.id = c.id;
    e.classList.add(c.kind);
    Object.assign(e.style, {
      left: `${c.left}px`, top: `${c.top}px`, width: `${c.width}px`, height: `${c.height}px`,
    });
    if (c.kind !== 'button') e.style.textAlign = c.align;  // a button's caption is centred
    if (c.background && !c.ownColour) e.style.background = c.background;
    e.hidden = !c.visible;  // neither drawn nor announced
    element[c.id] = e;
    client.append(e);
  }
  // Should the description's tab order ever differ from the elements' order,
  // tab indexes say it.
  const focusable = win.controls.filter((c) => c.tab >= 0);
  if (focusable.some((c, i) => c.tab !== i))
    for (const c of focusable) element[c.id].tabIndex = c.tab + 1;

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
  // method's text once composed) goes to the rule too, as the one span of
  // the old text that the new one replaces.
  function settle() {
    const was = shown;
    const now = field.value;
    if (stopped || was === now) return;
    let a = 0;
    while (a < was.length && a < now.length && was[a] === now[a]) a++;
    let b = 0;
    while (b < was.length - a && b < now.length - a &&
           was[was.length - 1 - b] === now[now.length - 1 - b]) b++;
    // Never inside a surrogate pair.
    if (a > 0 && /[\uD800-\uDBFF]/.test(was[a - 1])) a--;
    if (b > 0 && /[\uDC00-\uDFFF]/.test(was[was.length - b])) b--;
    insert(chars(was.slice(0, a)), chars(was.slice(0, was.length - b)),
           now.slice(a, now.length - b));
  }
  field.addEventListener('input', (event) => event.isComposing || settle());
  field.addEventListener('compositionend', settle);

  // The user's decimal separator, as the browser writes 1.5 in their
  // language. The browser's number formats are slow to start, so the panel
  // learns it once the window is up, or at the first press if that is sooner.
  let separatorKnown = false;
  function learnSeparator() {
    if (separatorKnown || stopped) return;
    separatorKnown = true;
    const decimal = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
      .find((part) => part.type === 'decimal');
    show(answer(_velmora_separator(decimal && decimal.value === ',' ? 44 : 46)));
  }
  (self.requestIdleCallback || setTimeout)(learnSeparator);

  for (const c of win.controls) {
    if (c.role !== 'button') continue;
    element[c.id].addEventListener('click', () => {
      learnSeparator();
      if (!stopped) show(answer(_velmora_press(c.command)));
    });
  }

  // The focus starts on the first control, its caret at the start.
  fit();
  const first = focusable.find((c) => c.tab === 0);
  if (first) {
    const e = element[first.id];
    if (e.setSelectionRange) e.setSelectionRange(0, 0);
    e.focus();
  }
  performance.mark('velmora-ready');

  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}
