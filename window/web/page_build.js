// Builds the window's elements from its description (page_description.h),
// in place of any the client area had. index.html holds this script and
// runs it on the description written into the page at build time, so that
// the window is there as soon as the page is; the module's script (page.js)
// runs it again only if the stored record describes another window.
// Answers the elements by control id.
function velmoraBuild(win) {
  const client = document.getElementById('client');
  const frame = document.getElementById('frame');
  document.title = win.caption;
  document.getElementById('caption').textContent = win.caption;
  const font = win.font;
  client.style.cssText =
    `width:${win.width}px;height:${win.height}px;background:${win.background};` +
    `font-size:${font.pixels}px;font-weight:${font.weight};` +
    `font-style:${font.italic ? 'italic' : 'normal'};` +
    `text-decoration:${font.underline ? 'underline ' : ''}${font.strikeOut ? 'line-through' : ''};` +
    `--shift:${win.button.shift}px;` +
    `--focus-inset:${win.button.focusInset}px`;
  client.style.fontFamily = font.family;  // the layout's font, then its stand-ins

  // A screen narrower than the window shows all of it, scaled down.
  function fit() {
    const scale = Math.min(1, document.documentElement.clientWidth / win.width);
    frame.style.width = `${win.width * scale}px`;
    frame.style.height = `${win.height * scale}px`;
    client.style.transform = scale < 1 ? `scale(${scale})` : '';
  }
  window.onresize = fit;

  // A button's two-ring edge as inset shadows of one pixel, the shaded
  // sides (and the corners they share with the lit ones) on top.
  const bevel = ([outerLit, innerLit, innerShaded, outerShaded]) =>
    `inset -1px -1px ${outerShaded}, inset 1px 1px ${outerLit}, ` +
    `inset -2px -2px ${innerShaded}, inset 2px 2px ${innerLit}`;

  // The controls from the bottom of the stacking to the top, which is also
  // the tab order of those that take the focus.
  const element = {};
  client.replaceChildren();
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
        e.style.setProperty('--raised', bevel(c.edge.raised));
        e.style.setProperty('--held', bevel(c.edge.held));
      }
    } else {
      e = document.createElement(c.multiLine ? 'textarea' : 'input');
      e.value = c.text;
      e.readOnly = c.readOnly;
      e.spellcheck = false;
      e.setAttribute('autocomplete', 'off');
      if (c.name) e.setAttribute('aria-label', c.name);
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

  // The focus starts on the first control, its caret at the start.
  fit();
  const first = focusable.find((c) => c.tab === 0);
  if (first) {
    const e = element[first.id];
    if (e.setSelectionRange) e.setSelectionRange(0, 0);
    e.focus();
  }
  return element;
}
