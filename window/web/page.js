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

// The error box, over a window that takes no more input.
function velmoraShowError(text) {
  document.getElementById('client').inert = true;
  document.getElementById('error-text').textContent = text;
  const box = document.getElementById('error');
  if (!box.open) box.showModal();
}

// A window that could not be opened: the error box, and no window.
function velmoraNoWindow(text) {
  document.getElementById('client').replaceChildren();
  velmoraShowError(text);
}

// The box's text for the page's own failure to open the window: the
// run-time error the module gives any failure not one of its own.
function velmoraFailureText(error) {
  return `Run-time error 51:\n\nInternal error: ${error?.message ?? error}`;
}

// Starts the window from the page's compiled module and the record's bytes.
async function velmoraStart(module, record) {
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
    return answer(api.velmora_open(record.byteLength));
  };

  // A run-time error of the open window: its box, and no more handling of input.
  function fail(text) {
    stopped = true;
    velmoraShowError(text);
  }

  // Opens the record's window: the one the page shows, or for another
  // record, the one velmora-window.wasm describes. Answers as velmora_open.
  async function openWindow() {
    use(new WebAssembly.Instance(module, velmoraImports));
    const opened = open();
    performance.mark('velmora-described');
    if (opened.error || opened.record === document.getElementById('frame').dataset.record) return opened;
    use(new WebAssembly.Instance(await velmoraEarly.compile('velmora-window.wasm'), velmoraImports));
    const other = open();
    if (other.error) return other;
    document.getElementById('frame').outerHTML = velmoraWindowHtml(other);
    document.title = document.getElementById('caption').textContent = other.caption;
    velmoraPlace();
    return other;
  }

  performance.mark('velmora-started');
  let opened;
  try {
    opened = await openWindow();
  } catch (error) {
    opened = { error: velmoraFailureText(error) };
  }
  if (opened.error) return velmoraNoWindow(opened.error);
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

  // The page's own setting of the field's text (a press, or the rule's
  // correction): it ends the field's undo history, as setting a field's
  // text does in the Qt window, in Velmora.exe (WM_SETTEXT) and mostly in a
  // browser. A pupil undoes their own typing; a press is the exercise's
  // step. But a browser keeps a deletion that emptied the field and would
  // undo it into the new text ("27" gave "2742"), so the field leaves the
  // page for the moment: a browser forgets the steps of a field that does.
  function setField(text, caret) {
    const focused = document.activeElement === field;
    const [parent, next] = [field.parentNode, field.nextSibling];
    field.remove();
    field.value = text;
    parent.insertBefore(field, next);
    if (focused) field.focus();
    if (caret !== undefined) {
      const at = units(text, caret);
      field.setSelectionRange(at, at);
    }
  }

  // After a press the top line is written even when its text stays (9
  // gives 18, both "Сума от цифри: 9"): its new text node is what a screen
  // reader hears, so every press is answered.
  function show(state, pressed = false) {
    if (state.error) return fail(state.error);
    shown = state.field;
    if (field.value !== state.field) setField(state.field, state.caret);
    field.style.textAlign = state.align;
    if (pressed || topLine.textContent !== state.topLine) topLine.textContent = state.topLine;
  }

  // Insertions at the selection go to the rule before the browser makes
  // them (its own length limit would count UTF-16 units, and it would join
  // a pasted text's lines); what the rule keeps goes in by the browser's
  // editing command, into its undo history as its own insertion would:
  // typing joins the typing before it, a paste is a step of its own
  // (setting the selection ends a typing step).
  const typed = new Set(['insertText', 'insertReplacementText', 'insertTranspose']);
  const pasted = new Set(['insertFromPaste', 'insertFromPasteAsQuotation', 'insertFromYank']);
  field.addEventListener('beforeinput', (event) => {
    if (stopped) return event.preventDefault();
    const kind = event.inputType;
    if (!event.cancelable || event.isComposing || !(typed.has(kind) || pasted.has(kind))) return;
    let text = event.data;
    if (text == null && event.dataTransfer) text = event.dataTransfer.getData('text/plain');
    if (text == null) return;
    event.preventDefault();
    const value = field.value;
    const [from, to] = [field.selectionStart, field.selectionEnd];
    const bytes = encoder.encode(text);
    put(bytes);
    const state = answer(api.velmora_insert(chars(value.slice(0, from)), chars(value.slice(0, to)),
      bytes.length));
    if (state.error) return fail(state.error);
    shown = state.field;
    if (!state.changes) return;
    if (pasted.has(kind)) field.setSelectionRange(from, to);
    // Its input event finds the field as the panel holds it, or settles what
    // else the browser made; a browser without the command gets the text set.
    if (!document.execCommand('insertText', false, state.inserted)) setField(state.field, state.caret);
    if (pasted.has(kind)) field.setSelectionRange(field.selectionEnd, field.selectionEnd);
  });

  // Anything else the browser changed itself (deleting, undo and redo,
  // dropping, an input method's text once composed) goes to the panel,
  // which settles it by the same rule as the one span that changed, the
  // caret where the user left it.
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
  // number formats are slow to start, so the panel learns it at the first
  // press that would write it (most write none; for one that would, the
  // module answers {separatorNeeded: true} and presses nothing), or in a
  // moment when the browser is idle, once the window is up.
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
      show(state, true);
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
