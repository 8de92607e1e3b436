// The page around the WebAssembly module: the canvas, the timer, the
// settings panel, the link and storage, the downloads and the saver mode.
// Every rule (load, entry checks, close) is the module's; this file only
// carries values between it and the page.
'use strict';

const $ = (id) => document.getElementById(id);
const STORAGE_KEY = 'orbilux-settings';

createOrbilux().then((M) => {
  const textBuffer = M._malloc(256);
  // Text for the module; too long to be a number, it goes as one that is not.
  const passText = (text) => {
    M.stringToUTF8(String(text).length > 200 ? '-' : String(text), textBuffer, 256);
    return textBuffer;
  };
  const facts = JSON.parse(M.UTF8ToString(M._ox_facts()));
  const names = facts.settings.map((setting) => setting.name);
  const query = new URLSearchParams(location.search);
  const figure = new OrbiluxFigure(M, $('figure'));

  const clockSeed = () => Math.floor(Date.now() / 1000) >>> 0;
  const ignored = [];
  // A parameter of the page's own: a whole number from low to high, else
  // null (and noted when given).
  const numberParam = (name, low, high) => {
    if (!query.has(name))
      return null;
    const text = query.get(name), value = /^\d{1,10}$/.test(text) ? Number(text) : NaN;
    if (value >= low && value <= high)
      return value;
    ignored.push(`${name}=${text} (not a number from ${low} to ${high})`);
    return null;
  };

  function windowSize() {
    const scale = window.devicePixelRatio || 1;
    return [Math.max(1, Math.round(innerWidth * scale)), Math.max(1, Math.round(innerHeight * scale))];
  }

  // --- settings ---
  function giveAndLoad(values) {
    M._ox_clear();
    for (const [name, text] of Object.entries(values))
      M._ox_give(names.indexOf(name), passText(text));
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
          input.inputMode = 'numeric';
          input.size = 5;
          label.append(setting.label + ' ', input);
        } else {
          input.type = 'checkbox';
          label.append(input, ' ' + setting.label);
        }
        return;
      }
      const set = $('settings').appendChild(document.createElement('fieldset'));
      set.innerHTML = `<legend>${setting.label}</legend>`;
      set.dataset.index = i;
      set.id = setting.name;
      for (const [text, value] of setting.choices) {
        const label = set.appendChild(document.createElement('label'));
        label.innerHTML = `<input type="${setting.kind === 'bits' ? 'checkbox' : 'radio'}" name="${setting.name}" value="${value}"> `;
        label.append(text);
      }
    });
    $('settings').prepend(display);
    $('panel').hidden = false;
  }

  function showPanel() {
    const values = stored();
    facts.settings.forEach((setting, i) => {
      const value = values[setting.name], entry = entryOf(i);
      if (setting.kind === 'number')
        entry.value = value;
      else if (setting.kind === 'flag')
        entry.checked = value !== 0;
      else {
        for (const input of entry.querySelectorAll('input'))
          input.checked = setting.kind === 'choice' ? Number(input.value) === value : (value & Number(input.value)) !== 0;
      }
    });
    $('link').href = linkFor(values);
  }

  function changed() {
    M._ox_load();
    keep();
    startFigure(clockSeed());
  }

  function panelEvents() {
    facts.settings.forEach((setting, i) => {
      const entry = entryOf(i);
      entry.addEventListener('change', () => {
        if (setting.kind === 'number') {
          $('message').hidden = true;
          if (M._ox_enter(i, passText(entry.value.trim()))) {
            const warning = facts.refused[setting.name];
            $('message-title').textContent = warning.caption + ':';
            $('message-text').textContent = warning.text;
            $('message').hidden = false;
          }
        } else if (setting.kind === 'flag') {
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
    $('panel').addEventListener('submit', (event) => event.preventDefault());
    $('fold').addEventListener('click', () => {
      const folded = $('panel').classList.toggle('folded');
      $('fold').setAttribute('aria-expanded', String(!folded));
    });
    $('windows').addEventListener('click', () => download('orbilux.reg', M._ox_registry_file()));
    $('linux').addEventListener('click', () => download('settings', M._ox_linux_file()));
    $('saver').addEventListener('click', startSaver);
  }

  function download(name, pointer) {
    const url = URL.createObjectURL(new Blob([M.UTF8ToString(pointer)], {type: 'application/octet-stream'}));
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

  // --- start ---
  const given = {};
  for (const name of names) {
    if (query.has(name))
      given[name] = query.get(name);
  }
  let values = given;
  if (Object.keys(given).length === 0) {
    try { values = JSON.parse(localStorage.getItem(STORAGE_KEY)) || {}; } catch (e) { values = {}; }
  }
  const replaced = giveAndLoad(values);
  const now = stored();
  const notes = names.filter((name, i) => replaced & (1 << i))
    .map((name) => `${name}=${given[name] ?? values[name]} was replaced by ${now[name]}`);
  const ticks = numberParam('ticks', 0, 100000000);
  const seed = numberParam('seed', 0, 0xFFFFFFFF) ?? clockSeed();
  const still = ticks !== null;
  const sizeW = numberParam('width', 1, 16384), sizeH = numberParam('height', 1, 16384);
  const said = [];
  if (notes.length)
    said.push('The saver\'s load rules replaced: ' + notes.join('; ') + '.');
  if (ignored.length)
    said.push('Ignored: ' + ignored.join('; ') + '.');
  $('notes').textContent = said.join(' ');
  $('notes').hidden = said.length === 0;
  $('notes').addEventListener('click', () => { $('notes').hidden = true; });

  if (still) {
    // The picture orbilux-render writes for this seed, size and tick count.
    const [w, h] = windowSize();
    const fw = sizeW ?? w, fh = sizeH ?? h;
    const canvas = $('figure');
    canvas.style.width = fw / (window.devicePixelRatio || 1) + 'px';
    canvas.style.height = fh / (window.devicePixelRatio || 1) + 'px';
    figure.still(seed, fw, fh, ticks);
  } else {
    buildPanel();
    showPanel();
    panelEvents();
    saverEvents();
    startFigure(seed);
    addEventListener('resize', () => figure.resize(...windowSize()));
    if ('serviceWorker' in navigator && location.protocol !== 'file:')
      navigator.serviceWorker.register('sw.js').catch(() => {});
  }
  document.body.dataset.state = 'ready';
});
