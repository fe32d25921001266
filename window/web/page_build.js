// The window's elements as HTML, written from its description
// (page_description.h, with the record's fingerprint: open_answer.h): the
// build runs this on the description of the
// record the page is built with and writes the HTML into index.html, so
// that the window is there as soon as the page is; the page's script
// (page.js) runs it again only if the stored record describes another
// window. velmoraPlace then fits the window to the screen and gives the
// first control the focus.

// Text as HTML writes it, in an element or an attribute's quotes.
function velmoraHtmlText(text) {
  return String(text).replace(/[&<>"]/g,
    (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

function velmoraWindowHtml(win) {
  const html = velmoraHtmlText;
  // Attributes from [name, value] pairs: true writes the bare name; false,
  // null and undefined write nothing.
  const attributes = (pairs) => pairs.filter(([, v]) => v !== false && v != null)
    .map(([name, v]) => (v === true ? ` ${name}` : ` ${name}="${html(v)}"`)).join('');
  const css = (properties) => Object.entries(properties).filter(([, v]) => v != null)
    .map(([name, v]) => `${name}:${v}`).join(';');
  const px = (n) => `${n}px`;

  // A button's two-ring edge as inset shadows of one pixel, the shaded
  // sides (and the corners they share with the lit ones) on top.
  const bevel = ([outerLit, innerLit, innerShaded, outerShaded]) =>
    `inset -1px -1px ${outerShaded}, inset 1px 1px ${outerLit}, ` +
    `inset -2px -2px ${innerShaded}, inset 2px 2px ${innerLit}`;

  // The controls go from the bottom of the stacking to the top, which is
  // also the tab order of those that take the focus; should the
  // description's tab order ever differ, tab indexes say it.
  const focusable = win.controls.filter((c) => c.tab >= 0);
  const inOrder = focusable.every((c, i) => c.tab === i);

  function control(c) {
    const place = { left: px(c.left), top: px(c.top), width: px(c.width), height: px(c.height) };
    if (c.kind !== 'button') place['text-align'] = c.align;  // a button's caption is centred
    if (c.background && !c.ownColour) place.background = c.background;
    const classes = [c.kind];
    const own = [
      ['tabindex', !inOrder && c.tab >= 0 ? c.tab + 1 : null],
      ['data-first', c.tab === 0],  // the focus starts on the first control (velmoraPlace)
      // What page.js finds the field, the top line and the buttons by.
      ['data-role', c.role === 'field' || c.role === 'topLine' ? c.role : null],
      ['data-command', c.command >= 0 ? c.command : null],
      ['hidden', !c.visible],  // neither drawn nor announced
    ];
    let tag;
    let content = null;
    if (c.kind === 'label') {
      tag = c.captionFor ? 'label' : 'div';
      own.push(['for', c.captionFor], ['role', c.role === 'topLine' ? 'status' : null]);
      content = html(c.text);
    } else if (c.kind === 'button') {
      tag = 'button';
      own.push(['type', 'button']);
      if (c.ownColour) {
        classes.push('own');
        Object.assign(place, {
          '--face': c.background, '--raised': bevel(c.edge.raised), '--held': bevel(c.edge.held),
        });
      }
      content = html(c.text);
    } else {
      own.push(['readonly', c.readOnly], ['spellcheck', 'false'], ['autocomplete', 'off'],
        ['aria-label', c.name || null]);
      if (c.multiLine) {
        tag = 'textarea';
        classes.push('multiline');
        if (c.wraps) classes.push('wraps');
        if (c.verticalScrollBar) classes.push('vertical-bar');
        if (c.horizontalScrollBar) classes.push('horizontal-bar');
        own.push(['wrap', c.wraps ? 'soft' : 'off']);
        content = `\n${html(c.text)}`;  // the parser drops one line break after <textarea>
      } else {
        tag = 'input';
        own.push(['value', c.text]);
      }
    }
    const start = `<${tag}${attributes([['id', c.id], ['class', classes.join(' ')], ...own,
      ['style', css(place)]])}>`;
    return content === null ? start : `${start}${content}</${tag}>`;
  }

  const font = win.font;
  const client = css({
    width: px(win.width), height: px(win.height), background: win.background,
    'font-family': font.family,  // the layout's font, then its stand-ins
    'font-size': px(font.pixels), 'font-weight': font.weight,
    'font-style': font.italic ? 'italic' : 'normal',
    'text-decoration': [font.underline && 'underline', font.strikeOut && 'line-through']
      .filter(Boolean).join(' ') || 'none',
    '--shift': px(win.button.shift), '--focus-inset': px(win.button.focusInset),
  });
  // The frame says which record it was written from (page.js compares).
  return `<div id="frame" data-record="${html(win.record)}" ` +
    `style="${html(css({ width: px(win.width), height: px(win.height) }))}">` +
    `<div id="client" style="${html(client)}">\n${win.controls.map(control).join('\n')}\n</div></div>`;
}

// Fits the window (#frame) to the screen, now and whenever the screen
// changes: a screen narrower than the window shows all of it, scaled down.
// Then the first control gets the focus, its caret at the start.
function velmoraPlace() {
  const frame = document.getElementById('frame');
  const client = document.getElementById('client');
  const width = parseFloat(client.style.width);
  const height = parseFloat(client.style.height);
  function fit() {
    // The page's width less any scroll bar, read only on a screen where it
    // may matter: reading it lays the page out, which the first frame would
    // wait for (a media query does not).
    const narrow = matchMedia(`(max-width: ${width + 32}px)`).matches;
    const scale = narrow ? Math.min(1, document.documentElement.clientWidth / width) : 1;
    frame.style.width = `${width * scale}px`;
    frame.style.height = `${height * scale}px`;
    client.style.transform = scale < 1 ? `scale(${scale})` : '';
  }
  window.onresize = fit;
  fit();
  const first = client.querySelector('[data-first]');
  if (first) {
    if (first.setSelectionRange) first.setSelectionRange(0, 0);
    first.focus();
  }
}
