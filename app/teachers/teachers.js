// The teachers' page: a start's answers, read three ways, its picture and
// a range's table, all from velmora-teachers.wasm (explore/web), which
// gives every answer in words. This script adds only the page's own words
// (labels, buttons, headings), in the browser's language, turns the
// module's answers into elements, and keeps the address in step with what
// is shown (?start=112&picture=in-turn&from=1&to=100), so that a teacher
// can send it. The decimal separator is the user's, as the browser writes
// 1.5 in their language: the same the window's page presses with.
'use strict';

const WORDS = {
  en: {
    pageTitle: 'Velmora for teachers: can the two buttons bring the number to 0?',
    window: '← The exercise\'s window',
    title: 'Can the two buttons bring the number to 0?',
    intro: 'The exercise\'s last line asks whether the number can become 0 once both buttons ' +
      'have been used one after the other. Type a start: the page presses the window\'s own ' +
      'buttons and answers three ways, pressed in turn first.',
    start: 'Start (the text in the field “Число”)',
    print: 'Print',
    answerFor: 'The answer for {}',
    picture: 'Picture',
    inTurnPicture: 'Pressed in turn',
    searchPicture: 'The search in any order',
    loading: 'Drawing the picture…',
    tooLarge: 'This picture would have more than {} texts, too many to draw.',
    notDrawn: 'The picture could not be drawn: {}',
    range: 'A range of starts',
    from: 'From',
    to: 'To',
    show: 'Show',
    working: 'Working out {} starts…',
    badRange: 'Give whole numbers from {} to {}, From not above To.',
    tableCaption: 'Starts {} to {}',
    licence: 'Licence and notices',
    failed: 'The answer could not be worked out: {}',
    noModule: 'The page could not load its module: {}',
  },
  bg: {
    pageTitle: 'Velmora за учители: могат ли двата бутона да направят числото 0?',
    window: '← Прозорецът на задачата',
    title: 'Могат ли двата бутона да направят числото 0?',
    intro: 'Последният ред на задачата пита дали числото може да стане 0 след ' +
      'последователно използване и на двата бутона. Въведете начало: страницата натиска ' +
      'бутоните на прозореца и отговаря по три начина, като първо ги редува.',
    start: 'Начало (текстът в полето „Число“)',
    print: 'Печат',
    answerFor: 'Отговорът за {}',
    picture: 'Картина',
    inTurnPicture: 'Редувайки бутоните',
    searchPicture: 'Търсенето в произволен ред',
    loading: 'Картината се рисува…',
    tooLarge: 'Картината би имала повече от {} текста, твърде много за рисуване.',
    notDrawn: 'Картината не можа да се нарисува: {}',
    range: 'Поредица от начала',
    from: 'От',
    to: 'До',
    show: 'Покажи',
    working: 'Изчисляват се {} начала…',
    badRange: 'Дайте цели числа от {} до {}, като „От“ не е по-голямо от „До“.',
    tableCaption: 'Начала от {} до {}',
    licence: 'Лиценз и бележки',
    failed: 'Отговорът не можа да се изчисли: {}',
    noModule: 'Страницата не можа да зареди модула си: {}',
  },
};

// Bulgarian for a browser in Bulgarian, English otherwise, as
// velmora-explore follows the locale. The module numbers them 0 and 1.
const language = (navigator.language || '').toLowerCase().startsWith('bg') ? 'bg' : 'en';
const LANGUAGE_NUMBER = { en: 0, bg: 1 };
const words = WORDS[language];
const fill = (pattern, ...args) => pattern.replace(/\{\}/g, () => args.shift());

// The user's decimal separator as a code point, or -1 (a point).
function regionalSeparator() {
  const decimal = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
    .find((part) => part.type === 'decimal');
  return decimal ? decimal.value.codePointAt(0) : -1;
}

const $ = (id) => document.getElementById(id);
function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

document.documentElement.lang = language;
document.title = words.pageTitle;
for (const e of document.querySelectorAll('[data-word]')) e.textContent = words[e.dataset.word];

// The module: every answer comes from its C functions (teachers_api.cpp).
// Texts go in through its exchange buffer and come back as JSON.
async function loadModule() {
  const response = await fetch('velmora-teachers.wasm');
  if (!response.ok) throw new Error(`velmora-teachers.wasm: ${response.status}`);
  // It asks only for a way to stop, and says when its memory grows (the
  // page reads the memory afresh for every answer anyway).
  const imports = {
    wasi_snapshot_preview1: {
      proc_exit(code) { throw new Error(`The module stopped (${code})`); },
    },
    env: { emscripten_notify_memory_growth() {} },
  };
  const { instance } = response.headers.get('Content-Type') === 'application/wasm'
    ? await WebAssembly.instantiateStreaming(response, imports)
    : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
  const api = instance.exports;
  api._initialize();
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const memory = () => new Uint8Array(api.memory.buffer);  // afresh: it may grow
  const answer = (pointer) => {
    const bytes = memory();
    return JSON.parse(decoder.decode(bytes.subarray(pointer, bytes.indexOf(0, pointer))));
  };
  // The text into the buffer; answers its size in bytes.
  const put = (text) => {
    const bytes = encoder.encode(text);
    memory().set(bytes, api.teachers_buffer(bytes.length));
    return bytes.length;
  };
  const lang = LANGUAGE_NUMBER[language];
  const separator = regionalSeparator();
  return {
    limits: answer(api.teachers_limits()),
    answerFor: (start) => answer(api.teachers_answer(put(start), lang, separator)),
    pictureOf: (start, kind) =>
      answer(api.teachers_picture(put(start), lang, separator, kind === 'search' ? 1 : 0)),
    range: (from, to) => answer(api.teachers_range(from, to, lang, separator)),
  };
}

// A download link for `text`, its last file let go.
function offer(link, text, type, name) {
  if (link.href) URL.revokeObjectURL(link.href);
  link.href = URL.createObjectURL(new Blob([text], { type }));
  link.download = name;
}
// A file name from a start: its letters and digits kept, others as "_".
const fileName = (...parts) =>
  ['velmora-explore', ...parts].join('-').replace(/[^\p{L}\p{N}.,-]/gu, '_');

// Graphviz, loaded the first time a picture is drawn (about half a
// megabyte). Its script must be read as UTF-8, which its own header does
// not say. Once it has been used, the service worker is asked to keep it,
// so that pictures work offline too.
let graphviz = null;
function loadGraphviz() {
  graphviz ??= new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.setAttribute('charset', 'utf-8');
    script.src = 'graphviz.js';
    script.onload = resolve;
    script.onerror = () => reject(new Error('graphviz.js'));
    document.head.append(script);
  }).then(() => {
    navigator.serviceWorker?.ready.then((registration) => registration.active?.postMessage(
      { keep: new URL('graphviz.js', location.href).href }));
    return Viz.instance();
  });
  graphviz.catch(() => { graphviz = null; });  // tried again with the next picture
  return graphviz;
}

async function start() {
  let module;
  try {
    module = await loadModule();
  } catch (error) {
    $('answer-error').hidden = false;
    $('answer-error').textContent = fill(words.noModule, error.message);
    return;
  }
  const startField = $('start');
  const query = new URLSearchParams(location.search);
  const state = {
    start: query.get('start') ?? '112',
    picture: ['in-turn', 'search'].includes(query.get('picture')) ? query.get('picture') : null,
    range: null,  // [from, to] once shown
  };
  startField.value = state.start;

  function showAddress() {
    const q = new URLSearchParams({ start: state.start });
    if (state.picture) q.set('picture', state.picture);
    if (state.range) {
      q.set('from', state.range[0]);
      q.set('to', state.range[1]);
    }
    history.replaceState(null, '', `?${q}`);
  }

  function showAnswer() {
    const found = module.answerFor(state.start);
    $('answer-error').hidden = !found.error;
    if (found.error) {
      $('answer-error').textContent = fill(words.failed, found.error);
      return;
    }
    $('answer-heading').textContent = fill(words.answerFor, found.heading);
    const readings = [];
    if (found.zero) readings.push(element('p', 'result', found.zero));
    for (const reading of found.readings) {
      const part = element('div', 'reading');
      part.append(element('h3', null, reading.reading), element('p', 'result', reading.result));
      if (reading.steps.length > 0) {
        const walk = element('p', 'walk');
        reading.steps.forEach((step, i) => walk.append(i > 0 ? ' ' : '', element('span', 'step', step)));
        part.append(walk);
      }
      readings.push(part);
    }
    $('readings').replaceChildren(...readings);
    $('note').textContent = found.note;
    offer($('json'), found.json, 'application/json', `${fileName(state.start)}.json`);
  }

  // The picture asked for, drawn afresh for each start; a later call wins.
  let drawn = 0;
  async function showPicture() {
    const call = ++drawn;
    const section = $('picture');
    const figure = $('figure');
    const status = $('picture-status');
    for (const button of section.querySelectorAll('[data-picture]'))
      button.setAttribute('aria-pressed', String(button.dataset.picture === state.picture));
    section.classList.toggle('empty', !state.picture);
    if (!state.picture) {
      figure.hidden = true;
      status.textContent = '';
      return;
    }
    const picture = module.pictureOf(state.start, state.picture);
    if (picture.error || picture.tooLarge) {
      figure.hidden = true;
      status.textContent = picture.error ? fill(words.notDrawn, picture.error)
        : fill(words.tooLarge, module.limits.mostDrawn);
      return;
    }
    status.textContent = words.loading;
    try {
      const viz = await loadGraphviz();
      if (call !== drawn) return;
      performance.mark('teachers-layout');
      const svg = viz.renderSVGElement(picture.dot);
      performance.measure('teachers-picture', 'teachers-layout');
      svg.setAttribute('role', 'img');
      svg.setAttribute('aria-label', picture.caption.join('; '));
      figure.replaceChildren(svg);
      figure.hidden = false;
      status.textContent = '';
      performance.mark('teachers-drawn');
    } catch (error) {
      if (call !== drawn) return;
      figure.hidden = true;
      status.textContent = fill(words.notDrawn, error.message);
    }
  }

  const from = $('from');
  const to = $('to');
  for (const bound of [from, to]) {
    bound.min = module.limits.lowest;
    bound.max = module.limits.highest;
  }
  // The range in the two fields, once they hold whole numbers the field
  // keeps whole, From not above To; the table is worked out after the
  // status has been shown.
  async function showRange() {
    const status = $('range-status');
    const result = $('range-result');
    const [low, high] = [from.valueAsNumber, to.valueAsNumber];
    if (!from.checkValidity() || !to.checkValidity() || low > high) {
      status.textContent = fill(words.badRange, module.limits.lowest, module.limits.highest);
      return;
    }
    status.textContent = fill(words.working, high - low + 1);
    await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
    const range = module.range(low, high);
    if (range.error) {
      status.textContent = range.error === 'range'
        ? fill(words.badRange, module.limits.lowest, module.limits.highest)
        : fill(words.failed, range.error);
      return;
    }
    state.range = [low, high];
    $('summary').replaceChildren(...range.summary.map((line) => element('li', null, line)));
    offer($('csv'), range.csv, 'text/csv;charset=utf-8', `${fileName(String(low), String(high))}.csv`);
    $('table-caption').textContent = fill(words.tableCaption, low, high);
    $('table-header').replaceChildren(...range.header.map((name) => {
      const cell = element('th', null, name);
      cell.scope = 'col';
      return cell;
    }));
    const rows = document.createDocumentFragment();
    for (const cells of range.rows) {
      const row = element('tr');
      const head = element('th', null, cells[0]);
      head.scope = 'row';
      row.append(head, ...cells.slice(1).map((cell) => element('td', null, cell)));
      rows.append(row);
    }
    $('table-rows').replaceChildren(rows);
    result.hidden = false;
    $('range').classList.remove('empty');
    status.textContent = '';
    showAddress();
    performance.mark('teachers-range');
  }

  let redraw;
  startField.addEventListener('input', () => {
    state.start = startField.value;
    showAnswer();
    showAddress();
    // A picture takes a moment: drawn once the typing stops.
    clearTimeout(redraw);
    if (state.picture) redraw = setTimeout(showPicture, 300);
  });
  $('start-form').addEventListener('submit', (event) => event.preventDefault());
  $('print').addEventListener('click', () => print());
  for (const button of document.querySelectorAll('[data-picture]')) {
    button.addEventListener('click', () => {
      state.picture = state.picture === button.dataset.picture ? null : button.dataset.picture;
      showAddress();
      showPicture();
    });
  }
  $('range-form').addEventListener('submit', (event) => {
    event.preventDefault();
    showRange();
  });

  showAnswer();
  performance.mark('teachers-ready');
  if (state.picture) showPicture();
  if (query.has('from') && query.has('to')) {
    from.value = query.get('from');
    to.value = query.get('to');
    showRange();
  }
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}

start();
