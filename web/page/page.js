// The page around the WebAssembly module: the canvas, the timer, the
// settings panel, the link and storage, the downloads and the saver mode.
// Every rule (load, entry checks, notes, close) is the module's; this file
// only carries values between it and the page.
'use strict';

const $ = (id) => document.getElementById(id);
const STORAGE_KEY = 'orbilux-settings';
const FOLD_KEY = 'orbilux-panel-folded';

// The panel folds as it was left, before the first paint.
function foldPanel(folded) {
  $('panel').classList.toggle('folded', folded);
  $('fold').setAttribute('aria-expanded', String(!folded));
  $('fold').textContent = folded ? 'Show' : 'Hide';
}
try { foldPanel(localStorage.getItem(FOLD_KEY) === '1'); } catch (e) { /* storage off: open */ }
$('fold').addEventListener('click', () => {
  const folded = !$('panel').classList.contains('folded');
  foldPanel(folded);
  try { localStorage.setItem(FOLD_KEY, folded ? '1' : '0'); } catch (e) { /* storage off: not kept */ }
});

function failed(why) {
  $('failed').textContent = `The figure cannot start here: ${why}. Reloading the page may help, or another browser.`;
  $('failed').hidden = false;
  $('panel').classList.remove('folded');
  document.body.dataset.state = 'failed';
}

// A text as it appeared in the address: bytes outside printable ASCII
// escaped as there.
const shownText = (text) => String(text).replace(/[^\x21-\x7e]/gu, (c) => encodeURIComponent(c));

if (typeof createOrbilux !== 'function')
  failed('its program (orbilux.js) did not load');
else
  createOrbilux().then(run, (e) => failed(`its WebAssembly module did not load (${e && e.message || e})`));

function run(M) {
  performance.mark('orbilux-module-ready');  // for scripts/bench-web.sh
  // Text for the module, NUL bytes and all: the module is told its length.
  const withText = (text, use) => {
    const size = M.lengthBytesUTF8(text) + 1, pointer = M._malloc(size);
    M.stringToUTF8(text, pointer, size);
    try { return use(pointer, size - 1); } finally { M._free(pointer); }
  };
  const textOf = (pointer) => M.UTF8ToString(pointer);
  const facts = JSON.parse(textOf(M._ox_facts()));
  const names = facts.settings.map((setting) => setting.name);
  const query = new URLSearchParams(location.search);
  // A key given twice: the last one counts, as in the settings file.
  const param = (name) => (query.has(name) ? query.getAll(name).pop() : null);
  const figure = new OrbiluxFigure(M, $('figure'));

  const clockSeed = () => Math.floor(Date.now() / 1000) >>> 0;
  const ignored = [];
  // A parameter of the page's own: a whole number from low to high, else
  // null (and noted when given).
  const numberParam = (name, low, high) => {
    const text = param(name);
    if (text === null)
      return null;
    const value = /^\d{1,10}$/.test(text) ? Number(text) : NaN;
    if (value >= low && value <= high)
      return value;
    ignored.push(`${name}=${shownText(text)} (not a number from ${low} to ${high})`);
    return null;
  };

  function windowSize() {
    const scale = window.devicePixelRatio || 1;
    return [Math.max(1, Math.round(innerWidth * scale)), Math.max(1, Math.round(innerHeight * scale))];
  }

  // --- settings ---
  function giveAndLoad(values) {
    M._ox_clear();
    for (const [name, text] of Object.entries(values)) {
      if (names.includes(name))
        withText(String(text), (pointer, length) => M._ox_give(names.indexOf(name), pointer, length));
    }
    return M._ox_load();
  }
  const stored = () => Object.fromEntries(names.map((name, i) => [name, M._ox_stored(i) >>> 0]));

  function linkFor(values) {
    const params = new URLSearchParams(values);
    return location.pathname + '?' + params.toString();
  }

  function keep() {
    const values = stored();
    try { localStorage.setItem(STORAGE_KEY, JSON.stringify(values)); } catch (e) { /* storage off: the link still holds them */ }
    history.replaceState(null, '', linkFor(values));
    showPanel();
  }

  const startFigure = (seed) => figure.start(seed, ...windowSize());

  // --- the panel, built from the table of settings ---
  const entryOf = (i) => document.querySelector(`[data-index="${i}"]`);

  function addWhy(label) {
    const why = label.appendChild(document.createElement('span'));
    why.className = 'why';
    return why;
  }

  function buildPanel() {
    const display = document.createElement('fieldset');
    display.innerHTML = '<legend>Display Options</legend>';
    facts.settings.forEach((setting, i) => {
      if (setting.kind === 'number' || setting.kind === 'flag') {
        const label = display.appendChild(document.createElement('label'));
        const input = document.createElement('input');
        input.dataset.index = i;
        input.id = setting.name;
        if (setting.kind === 'number') {
          label.className = 'entry';
          input.inputMode = 'numeric';
          input.autocomplete = 'off';
          input.setAttribute('enterkeyhint', 'done');
          label.append(setting.label + ' ', input);
        } else {
          input.type = 'checkbox';
          label.append(input, ' ' + setting.label);
          addWhy(label);
        }
        return;
      }
      const set = $('settings').appendChild(document.createElement('fieldset'));
      set.className = 'choices';
      set.innerHTML = `<legend>${setting.label}</legend>`;
      set.dataset.index = i;
      set.id = setting.name;
      for (const [text, value] of setting.choices) {
        const label = set.appendChild(document.createElement('label'));
        label.innerHTML = `<input type="${setting.kind === 'bits' ? 'checkbox' : 'radio'}" name="${setting.name}" value="${value}"> `;
        label.append(text);
        addWhy(label);
      }
    });
    const speed = display.appendChild(document.createElement('p'));
    speed.className = 'hint';
    speed.textContent = 'The saver waits a whole number of milliseconds between images, so some speeds round: ' +
      '60 a second becomes 62.';
    display.insertAdjacentHTML('beforeend', '<p id="message" role="alert" hidden><strong id="message-title">' +
      '</strong> <span id="message-text"></span></p><p id="entry-note" role="status" hidden></p>');
    $('settings').prepend(display);
    $('choices').hidden = false;
  }

  // A control that cannot change now looks so, and says why.
  function lock(input, index, choice) {
    const why = textOf(M._ox_locked_note(index, choice >>> 0));
    const label = input.closest('label');
    input.disabled = why !== '';
    label.classList.toggle('locked', why !== '');
    label.querySelector('.why').textContent = why ? ` (${why})` : '';
  }

  function showPanel() {
    const values = stored();
    facts.settings.forEach((setting, i) => {
      const value = values[setting.name], entry = entryOf(i);
      if (setting.kind === 'number') {
        entry.value = value;
        entry.dataset.shown = String(value);
      } else if (setting.kind === 'flag') {
        entry.checked = value !== 0;
        lock(entry, i, 0);
      } else {
        for (const input of entry.querySelectorAll('input')) {
          input.checked = setting.kind === 'choice' ? Number(input.value) === value : (value & Number(input.value)) !== 0;
          lock(input, i, Number(input.value));
        }
      }
    });
    $('link').href = linkFor(values);
    // An entry of the programs: list, as it stands in the file.
    $('programs-line').textContent = `  ${textOf(M._ox_programs_line())}  \\n\\`;
  }

  function changed() {
    M._ox_load();
    keep();
    startFigure(clockSeed());
  }

  function say(id, text) {
    $(id).hidden = !text;
    if (id === 'message') {
      $('message-title').textContent = text ? text[0] + ':' : '';
      $('message-text').textContent = text ? text[1] : '';
    } else {
      $(id).textContent = text || '';
    }
  }
  const refusal = (setting) => [facts.refused[setting.name].caption, facts.refused[setting.name].text];

  // The number fields take digits only, as the dialog's edits do; anything
  // else typed or pasted is refused with the dialog's warning.
  function numberEvents(entry, setting, i) {
    entry.addEventListener('beforeinput', (event) => {
      if (event.data && /[^0-9]/.test(event.data)) {
        event.preventDefault();
        say('message', refusal(setting));
      }
    });
    // What slips past (a drop, an old browser) is taken out again.
    entry.addEventListener('input', () => {
      if (/[^0-9]/.test(entry.value)) {
        entry.value = entry.value.replace(/[^0-9]/g, '');
        say('message', refusal(setting));
      }
    });
    const apply = () => {
      const text = entry.value.trim();
      if (text === entry.dataset.shown)
        return;
      say('message', '');
      // A refused entry keeps the value, or puts back the default where the
      // value was beyond the range already (the dialog's rule): either way
      // the figure starts again from what is stored.
      const refused = withText(text, (pointer) => M._ox_enter(i, pointer));
      changed();
      if (refused)
        say('message', refusal(setting));
      say('entry-note', refused ? '' : withText(text, (pointer) => textOf(M._ox_entry_note(i, pointer))));
    };
    entry.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') {
        event.preventDefault();
        apply();
      }
    });
    entry.addEventListener('blur', apply);
  }

  function panelEvents() {
    facts.settings.forEach((setting, i) => {
      const entry = entryOf(i);
      if (setting.kind === 'number') {
        numberEvents(entry, setting, i);
        return;
      }
      entry.addEventListener('change', () => {
        say('message', '');
        say('entry-note', '');
        if (setting.kind === 'flag') {
          M._ox_choose(i, entry.checked ? 1 : 0);
        } else {
          let value = 0;
          for (const input of entry.querySelectorAll('input:checked'))
            value |= Number(input.value);
          M._ox_choose(i, value);
        }
        changed();
      });
    });
    $('choices').addEventListener('submit', (event) => event.preventDefault());
    $('windows').addEventListener('click', () => download('orbilux.reg', textOf(M._ox_registry_file())));
    $('linux').addEventListener('click', () => {
      $('linux-choices').hidden = !$('linux-choices').hidden;
      $('linux').setAttribute('aria-expanded', String(!$('linux-choices').hidden));
    });
    $('linux-file').addEventListener('click', () => download('settings', textOf(M._ox_linux_file())));
    $('copy-line').addEventListener('click', () => {
      const line = $('programs-line').textContent;
      if (navigator.clipboard)
        navigator.clipboard.writeText(line).then(() => { $('copy-line').textContent = 'Copied'; }, () => {});
    });
    $('saver').addEventListener('click', startSaver);
  }

  function download(name, text) {
    const url = URL.createObjectURL(new Blob([text], {type: 'application/octet-stream'}));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 0);
  }

  // --- saver mode: the saver's close rules decide when it ends ---
  let saverOn = false, reference = null, wakeLock = null;

  function startSaver() {
    saverOn = true;
    reference = null;
    document.body.classList.add('saver');
    document.body.dataset.saver = 'on';
    const full = document.documentElement.requestFullscreen;
    if (full)
      full.call(document.documentElement).catch(() => {});
    if (navigator.wakeLock)
      navigator.wakeLock.request('screen').then((lock) => { wakeLock = lock; }, () => {});
  }

  function endSaver() {
    if (!saverOn)
      return;
    saverOn = false;
    document.body.classList.remove('saver');
    document.body.dataset.saver = 'off';
    if (document.fullscreenElement)
      document.exitFullscreen().catch(() => {});
    if (wakeLock)
      wakeLock.release().catch(() => {});
    wakeLock = null;
  }

  function saverInput(message, wParam) {
    if (saverOn && M._ox_input_closes(message, wParam))
      endSaver();
  }

  function saverEvents() {
    const buttons = [facts.messages.lbuttondown, facts.messages.mbuttondown, facts.messages.rbuttondown];
    addEventListener('keydown', () => saverInput(facts.messages.keydown, 0), true);
    addEventListener('mousedown', (event) => saverInput(buttons[event.button] || buttons[0], 0), true);
    addEventListener('blur', () => saverInput(facts.messages.activateapp, 0));
    addEventListener('mousemove', (event) => {
      if (!saverOn)
        return;
      // The browser tells where the pointer is only when it moves: travel
      // counts from the first position the saver sees.
      if (!reference)
        reference = [event.screenX, event.screenY];
      else if (M._ox_travel_closes(reference[0], reference[1], event.screenX, event.screenY))
        endSaver();
    }, true);
    document.addEventListener('fullscreenchange', () => { if (!document.fullscreenElement) endSaver(); });
  }

  // --- a still picture, in slices with its progress and a way out ---
  function still(seed, width, height, ticks, said) {
    document.body.classList.add('still');
    document.body.dataset.state = 'drawing';
    const canvas = $('figure');
    canvas.style.width = width / (window.devicePixelRatio || 1) + 'px';
    canvas.style.height = height / (window.devicePixelRatio || 1) + 'px';
    const done = (drawn) => {
      $('still').hidden = true;
      if (drawn < ticks)
        said.push(`Stopped after ${drawn.toLocaleString('en')} of ${ticks.toLocaleString('en')} ticks.`);
      showNotes(said);
      document.body.dataset.state = 'ready';
    };
    const begun = performance.now();
    const run = figure.still(seed, width, height, ticks, (drawn) => {
      $('still').hidden = performance.now() - begun < 200;  // a short run shows no bar
      $('progress').value = drawn / ticks;
      $('progress-text').textContent = `Drawing: ${drawn.toLocaleString('en')} of ${ticks.toLocaleString('en')} ticks`;
    });
    $('stop').addEventListener('click', () => run.stop());
    run.done.then(done);
  }

  function showNotes(said) {
    $('notes').textContent = said.join(' ');
    $('notes').hidden = said.length === 0;
  }

  // --- start ---
  const given = {};
  for (const name of names) {
    if (query.has(name))
      given[name] = param(name);
  }
  let values = given;
  if (Object.keys(given).length === 0) {
    try { values = JSON.parse(localStorage.getItem(STORAGE_KEY)) || {}; } catch (e) { values = {}; }
  }
  const replaced = giveAndLoad(values);
  const now = stored();
  const notes = [];
  names.forEach((name, i) => {
    const text = shownText(given[name] ?? values[name]);
    if (replaced & (1 << i))
      notes.push(`${name}=${text} was replaced by ${now[name]}`);
    else if (name in values) {
      const odd = textOf(M._ox_odd_note(i));
      if (odd)
        notes.push(`${name}=${text}: ${odd}`);
    }
  });
  const ticks = numberParam('ticks', 0, 0xFFFFFFFF);
  const seed = numberParam('seed', 0, 0xFFFFFFFF) ?? clockSeed();
  const sizeW = numberParam('width', 1, 0xFFFFFFFF), sizeH = numberParam('height', 1, 0xFFFFFFFF);
  const said = [];
  if (notes.length)
    said.push((Object.keys(given).length ? 'From the link: ' : 'From your kept settings: ') + notes.join('. ') + '.');
  if (ignored.length)
    said.push('Ignored: ' + ignored.join('; ') + '.');
  $('notes').addEventListener('click', () => { $('notes').hidden = true; });

  if (ticks !== null) {
    // The picture orbilux-render writes for this seed, size and tick count,
    // as large as the page can hold.
    const [w, h] = windowSize();
    const r = M._ox_limit_still(sizeW ?? w, sizeH ?? h, ticks) >> 2;
    const [fw, fh, ft, wCut, hCut, tCut] = M.HEAPU32.slice(r, r + 6);
    const cuts = [];
    if (wCut && sizeW !== null)
      cuts.push(`width=${sizeW} to ${fw}`);
    if (hCut && (sizeH !== null || sizeW !== null))
      cuts.push(`height=${sizeH ?? h} to ${fh}`);
    if (tCut)
      cuts.push(`ticks=${ticks} to ${ft}`);
    if (cuts.length)
      said.push(`Cut: ${cuts.join(', ')} (the page holds at most ${facts.still.side} pixels a side, ` +
                `${facts.still.pixels.toLocaleString('en')} in all, and ${facts.still.ticks.toLocaleString('en')} ticks).`);
    still(seed, fw, fh, ft, said);
    return;
  }
  showNotes(said);
  startFigure(seed);
  buildPanel();
  showPanel();
  panelEvents();
  saverEvents();
  addEventListener('resize', () => figure.resize(...windowSize()));
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});
  document.body.dataset.state = 'ready';
}
