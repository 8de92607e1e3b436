// The page in a headless browser: its pictures against orbilux-render's, the
// link, the panel and storage, its layout on a phone and a 4K screen, the
// downloads and the saver mode.
// Usage: node web_test.mjs SUITE ENGINE PAGE_DIR RENDER [SAVER]
//   SUITE: pixels, settings, layout (in either engine), downloads, registry
//   (needs WINEPREFIX) or saver (Chromium only); ENGINE: chromium or firefox. Exit status 77: skipped,
//   with the reason (no browser, or it cannot start).
//   ORBILUX_SCREENSHOTS=DIR: the layout suite leaves its screenshots there.
import {execFileSync} from 'node:child_process';
import {mkdirSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import path from 'node:path';
import {inflateSync} from 'node:zlib';

import {freshTempFolder, serve, startBrowser} from '../../testkit/web/browser.mjs';

const [suite, engine, pageDir, render, saver] = process.argv.slice(2);
const tmp = freshTempFolder('orbilux-web');
const LIMIT_MS = 120000;  // for each program the suites run
let failures = 0, checks = 0;

function check(ok, what) {
  checks++;
  if (!ok) {
    failures++;
    console.log(`FAIL: ${what}`);
  }
}

// An 8-bit RGB PNG as orbilux-render writes it: width, height, RGB bytes.
function readPng(file) {
  const bytes = readFileSync(file);
  let offset = 8, width = 0, height = 0;
  const idat = [];
  while (offset < bytes.length) {
    const length = bytes.readUInt32BE(offset), type = bytes.toString('latin1', offset + 4, offset + 8);
    const body = bytes.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      [width, height] = [body.readUInt32BE(0), body.readUInt32BE(4)];
      if (body[8] !== 8 || body[9] !== 2 || body[12] !== 0) throw new Error(`${file}: not 8-bit RGB`);
    } else if (type === 'IDAT') idat.push(body);
    offset += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(idat)), stride = width * 3, rgb = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; x++) {
      const a = x >= 3 ? rgb[y * stride + x - 3] : 0, b = y > 0 ? rgb[(y - 1) * stride + x] : 0;
      const c = x >= 3 && y > 0 ? rgb[(y - 1) * stride + x - 3] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      rgb[y * stride + x] = (line[x] + predictor) & 255;
    }
  }
  return {width, height, rgb};
}

function renderPng(run) {
  const file = path.join(tmp, 'render.png');
  const args = ['--seed', run.seed, '--width', run.width, '--height', run.height, '--ticks', run.ticks, '--png', file];
  for (const [name, value] of Object.entries(run.settings || {})) args.push('--setting', `${name}=${value}`);
  execFileSync(render, args.map(String), {timeout: LIMIT_MS});
  return readPng(file);
}

// The tick on which the first figure closes, from the renderer's trace.
function firstClosingTick(run) {
  const args = ['--seed', run.seed, '--width', run.width, '--height', run.height, '--ticks', 2000, '--trace', '-'];
  for (const [name, value] of Object.entries(run.settings || {})) args.push('--setting', `${name}=${value}`);
  let tick = 0;
  for (const line of execFileSync(render, args.map(String), {maxBuffer: 1 << 28, timeout: LIMIT_MS}).toString().split('\n')) {
    if (line.startsWith('tick ')) tick = Number(line.slice(5));
    else if (line.startsWith('sleep ')) return tick;
  }
  throw new Error('no figure closed in 2000 ticks');
}

function differingPixels(page, expected) {
  if (page.width !== expected.width || page.height !== expected.height)
    return `size ${page.width} x ${page.height}, expected ${expected.width} x ${expected.height}`;
  let count = 0, first = '';
  for (let i = 0, j = 0; i < page.data.length; i += 4, j += 3) {
    if (page.data[i] !== expected.rgb[j] || page.data[i + 1] !== expected.rgb[j + 1] ||
        page.data[i + 2] !== expected.rgb[j + 2] || page.data[i + 3] !== 255) {
      if (!count++) first = ` (first at ${(i / 4) % page.width}, ${Math.floor(i / 4 / page.width)})`;
    }
  }
  return count === 0 ? '' : `${count} pixels differ${first}`;
}

function query(values) {
  return new URLSearchParams(Object.entries(values).map(([k, v]) => [k, String(v)])).toString();
}

const ALL_SHAPES = {ObjectShape: 510, ObjectRotation: 14};
const PIXEL_RUNS = [
  {seed: 1, width: 640, height: 480, ticks: 360},
  {seed: 7, width: 301, height: 199, ticks: 900, settings: {RadiusFactor: 0, JoinTheDots: 1}},
  {seed: 3, width: 333, height: 251, ticks: 400, settings: {RadiusFactor: 0, ColourOption: 50}},
  {seed: 12, width: 512, height: 384, ticks: 1100, settings: {...ALL_SHAPES, RadiusFactor: 12}},
  {seed: 11, width: 257, height: 255, ticks: 800, settings: {...ALL_SHAPES, ZoomOption: 1022, ColourOption: 30}},
  {seed: 5, width: 200, height: 300, ticks: 500, settings: {RadiusFactor: 150, ImagesPerSec: 0, ObjectShape: 0}},
  {seed: 9, width: 97, height: 61, ticks: 0},
  {seed: 4, width: 320, height: 240, closing: true, settings: {RadiusFactor: 0}},
];
// Five figures each: where the C library's sin, cos, exp or pow differed in
// the last bit between builds, a point moved by a pixel in one run in five.
const MIXES = [{}, {RadiusFactor: 0}, {RadiusFactor: 0, JoinTheDots: 1}, {...ALL_SHAPES, ZoomOption: 1022}];
for (let seed = 1000; seed < 1016; seed++)
  PIXEL_RUNS.push({seed, width: 320 + seed % 7, height: 240, ticks: 1800, settings: MIXES[seed % 4]});

// The page's two files for other savers, downloaded through Chromium.
const DOWNLOADED = {RadiusFactor: 0, ImagesPerSec: 40, JoinTheDots: 1, ObjectShape: 300, ObjectRotation: 8,
                    ColourOption: 50, ZoomOption: 0x3a2};
async function downloadFiles(browser, url) {
  const folder = path.join(tmp, 'downloads');
  await browser.send('Browser.setDownloadBehavior', {behavior: 'allowAndName', downloadPath: folder, eventsEnabled: true});
  const tab = await browser.open(`${url}?${query(DOWNLOADED)}`);
  const files = {};
  for (const [button, key] of [['windows', 'windows'], ['linux-file', 'linux']]) {
    const done = browser.event('Browser.downloadProgress', undefined, (p) => p.state !== 'inProgress');
    const begun = browser.event('Browser.downloadWillBegin');
    await tab.eval(`document.getElementById('${button}').click()`);
    const {guid, suggestedFilename} = await begun;
    const progress = await done;
    check(progress.state === 'completed', `${button} download: ${progress.state}`);
    files[key] = {name: suggestedFilename, text: readFileSync(path.join(folder, guid)).toString('latin1')};
  }
  return {tab, files};
}

const suites = {
  async pixels(browser, url, server) {
    for (const run of PIXEL_RUNS) {
      if (run.closing) run.ticks = firstClosingTick(run) + 1;
      const tab = await browser.open(`${url}?${query({...run.settings, seed: run.seed, width: run.width,
                                                      height: run.height, ticks: run.ticks})}`);
      const difference = differingPixels(await tab.pixels(), renderPng(run));
      check(!difference, `${JSON.stringify(run)}: ${difference}`);
      await finish(tab, JSON.stringify(run));
    }
    // Without a size, the canvas is the window in device pixels.
    const tab = await browser.open(`${url}?seed=2&ticks=300`, {width: 160, height: 120, scale: 2});
    const difference = differingPixels(await tab.pixels(), renderPng({seed: 2, width: 320, height: 240, ticks: 300}));
    check(!difference, `window of 160 x 120 at scale 2: ${difference}`);
    await finish(tab, 'window size');

    // Running live by its timer, across a figure's end and its pause: the
    // canvas right after a tick is the renderer's picture for that many ticks.
    // The hook counts the timer's ticks.
    const live = {seed: 8, width: 240, height: 180, settings: {RadiusFactor: 0, JoinTheDots: 1, ImagesPerSec: 1000}};
    const hook = `window.ticks = 0; window.afterTick = null; const setIntervalAlone = window.setInterval;
      window.setInterval = (f, ms) => setIntervalAlone(() => { f(); window.ticks++;
        const then = window.afterTick; window.afterTick = null; if (then) then(); }, ms);`;
    const running = await browser.open(`${url}?${query({...live.settings, seed: live.seed})}`,
                                       {width: live.width, height: live.height, script: hook});
    await running.until('window.ticks >= 400');
    const picture = await running.pixels('new Promise((resolve) => { afterTick = () => resolve(ticks); })');
    live.ticks = picture.value + 1;  // the first tick comes at the start, the others by the timer
    const liveDifference = differingPixels(picture, renderPng(live));
    check(!liveDifference, `live after ${live.ticks} ticks: ${liveDifference}`);
    await finish(running, 'live');

    // The live gallery: every figure in its own module starts drawing, in
    // the device's pixels.
    const gallery = await browser.open(`${url}gallery/`, {width: 1400, height: 1600, scale: 2});
    await gallery.until(`(() => { const all = [...document.querySelectorAll('canvas')];
      return all.length === 17 && all.every((c) => c.getContext('2d').getImageData(0, 0, 320, 240).data
        .some((v, i) => i % 4 !== 3 && v !== 0)); })()`);
    const tile = await gallery.eval(`[...document.querySelectorAll('canvas')].map((c) => c.width + 'x' + c.height)`);
    check(tile.every((size) => size === '640x480'), `gallery tiles at scale 2: ${tile}`);
    await finish(gallery, 'live gallery');

    // A long still picture runs in slices: the page answers, shows its
    // progress, and stops when asked, saying so.
    const long = await browser.open(`${url}?seed=1&width=64&height=48&ticks=100000000`, {early: true});
    await long.until(`!document.getElementById('still').hidden`);
    const progress = await long.eval(`document.getElementById('progress-text').textContent`);
    check(/^Drawing: [\d,]+ of 100,000,000 ticks$/.test(progress), `progress: ${progress}`);
    await long.clickOn('#stop');
    await long.until(`document.body.dataset.state === 'ready'`);
    const stopped = await long.eval(`[document.getElementById('still').hidden, document.getElementById('notes').textContent]`);
    check(stopped[0] && /^Stopped after [\d,]+ of 100,000,000 ticks\.$/.test(stopped[1]), `stopped: ${stopped}`);
    await finish(long, 'long still picture');

    // What the page cannot hold is cut, and said.
    const cut = await browser.open(`${url}?seed=1&width=16384&height=16384&ticks=200000000&ticks=1`);
    const cutSize = await cut.eval(`[figure.width, figure.height, document.getElementById('notes').textContent]`);
    check(cutSize[0] === 8192 && cutSize[1] === 2048 && cutSize[2] === 'Cut: width=16384 to 8192, height=16384 to ' +
          '2048 (the page holds at most 8192 pixels a side, 16,777,216 in all, and 100,000,000 ticks).',
          `cut: ${JSON.stringify(cutSize)}`);
    await finish(cut, 'cut still picture');

    // A module that cannot load says so on the page.
    const broken = await serve(path.resolve(pageDir), {missing: ['/orbilux.wasm']});
    const failed = await browser.open(`${broken.url}?seed=1`);
    const said = await failed.eval(`[document.body.dataset.state, document.getElementById('failed').hidden,
      document.getElementById('failed').textContent]`);
    check(said[0] === 'failed' && !said[1] && said[2].startsWith('The figure cannot start here: its WebAssembly module did not load'),
          `module missing: ${JSON.stringify(said)}`);
    await failed.close();
    broken.close();
  },

  async settings(browser, url) {
    const given = {RadiusFactor: 0, ImagesPerSec: 25, JoinTheDots: 1, ObjectShape: 6, ObjectRotation: 12,
                   ColourOption: 30, ZoomOption: 290};
    let tab = await browser.open(`${url}?${query(given)}`);
    const linked = await tab.eval(`Object.fromEntries(new URL(document.getElementById('link').href).searchParams)`);
    check(JSON.stringify(linked) === JSON.stringify(Object.fromEntries(Object.entries(given).map(([k, v]) => [k, String(v)]))),
          `link round trip: ${JSON.stringify(linked)}`);
    const shown = await tab.eval(`[ImagesPerSec.value, RadiusFactor.value, JoinTheDots.checked,
      [...document.querySelectorAll('input:checked')].map((i) => i.parentNode.textContent.trim()).join(',')]`);
    check(JSON.stringify(shown) === JSON.stringify(['25', '0', true,
      'Connect Dots (if size zero),Circle,Square,Clockwise,Anti-Clockwise,Medium,Low,1 Phase,Start Small']),
          `panel shows the link: ${JSON.stringify(shown)}`);
    check(await tab.eval(`document.getElementById('notes').hidden`), 'good link values are not reported');

    // The number fields take digits only, apply on Enter and on leaving, and
    // answer every refusal with the dialog's warning.
    const SIZE = 'Circle Radius: Entry must be between 0 and 500 %';
    const IMAGES = 'Images Per Second: Entry must be between 1 and 1000';
    const state = (id) => tab.eval(`[document.getElementById('${id}').value,
      document.getElementById('message').hidden ? '' : document.getElementById('message').textContent,
      document.getElementById('entry-note').hidden ? '' : document.getElementById('entry-note').textContent,
      new URL(location.href).searchParams.get('${id}')]`);
    for (const [id, typed, how, expected] of [
      ['RadiusFactor', 'abc', '', ['', SIZE, '', '0']],                   // nothing typed: refused at once
      ['RadiusFactor', '12.5', 'Enter', ['125', '', '', '125']],          // the dot refused, the digits taken
      ['RadiusFactor', '0x10', 'leave', ['10', '', '', '10']],
      ['RadiusFactor', '600', 'Enter', ['10', SIZE, '', '10']],
      ['RadiusFactor', '', 'Enter', ['8', '', 'Empty: the default, 8.', '8']],
      ['RadiusFactor', '0', 'leave', ['0', '', '', '0']],
      ['ImagesPerSec', '0', 'Enter', ['25', IMAGES, '', '25']],
      ['ImagesPerSec', '1001', 'leave', ['25', IMAGES, '', '25']],
      ['ImagesPerSec', '60', 'Enter',
       ['62', '', '60 a second is an image every 16 ms; the saver waits whole milliseconds, so it draws 62 a second.',
        '62']],
      ['ImagesPerSec', '40', 'leave', ['40', '', '', '40']],
    ]) {
      await tab.eval(`(() => { const e = document.getElementById('${id}'); e.focus(); e.value = '';
        document.getElementById('message').hidden = true; })()`);
      await tab.keys(typed);
      if (typed === '12.5' || typed === '0x10') {
        const [, message] = await state(id);
        check(message === SIZE, `typing ${typed}: ${message}`);
      }
      if (how === 'Enter') await tab.keys('Enter');
      else if (how === 'leave') await tab.eval(`document.getElementById('${id}').blur()`);
      const got = await state(id);
      check(JSON.stringify(got) === JSON.stringify(expected), `entry ${id} ${JSON.stringify(typed)} ${how}: ${JSON.stringify(got)}`);
    }

    // Controls that cannot change now look so and say why: joining above
    // size 0, the last shape or rotation ticked.
    const locked = () => tab.eval(`[...document.querySelectorAll('input:disabled')].map((i) =>
      i.closest('label').textContent.trim().replace(/\\s+/g, ' ') + '|' + getComputedStyle(i.closest('label')).opacity)`);
    check(JSON.stringify(await locked()) === '[]', `nothing locked: ${await locked()}`);
    await tab.eval(`(() => { const e = document.getElementById('RadiusFactor'); e.focus(); e.value = ''; })()`);
    await tab.keys('5');
    await tab.keys('Enter');
    await tab.clickOn('#ObjectShape input[value="4"]');  // Square off: Circle is left
    await tab.clickOn('#ObjectRotation input[value="4"]');  // Clockwise off: Anti-Clockwise is left
    const lockedNow = await locked();
    check(JSON.stringify(lockedNow) === JSON.stringify(['Connect Dots (if size zero) (only at object size 0)|0.55',
      'Circle (one must stay ticked)|0.55', 'Anti-Clockwise (one must stay ticked)|0.55']), `locked: ${JSON.stringify(lockedNow)}`);
    await tab.clickOn('#ObjectShape input[value="2"]');  // a click on a locked box changes nothing
    check(await tab.eval(`new URL(location.href).searchParams.get('ObjectShape')`) === '2', 'the last shape stays');
    await finish(tab, 'settings link');

    // The browser keeps the panel's choices for a visit without a link.
    tab = await browser.open(url);
    const kept = await tab.eval(`[ImagesPerSec.value, RadiusFactor.value,
      new URL(document.getElementById('link').href).searchParams.get('ObjectShape')]`);
    check(JSON.stringify(kept) === JSON.stringify(['40', '5', '2']), `kept in the browser: ${JSON.stringify(kept)}`);
    await finish(tab, 'kept settings');

    // Bad link values load as the registry's would, odd ones as given, and
    // the page names each. A NUL makes a value unreadable; of a key given
    // twice the last counts.
    tab = await browser.open(`${url}?ImagesPerSec=0&RadiusFactor=abc&JoinTheDots=1&ObjectShape=0x&ColourOption=-5&seed=-1`);
    let notes = await tab.eval(`document.getElementById('notes').textContent`);
    check(notes === 'From the link: RadiusFactor=abc was replaced by 8. ImagesPerSec=0 was replaced by 50. ' +
          'JoinTheDots=1 was replaced by 0. ObjectShape=0x was replaced by 2. ColourOption=-5: none of High, Medium ' +
          'or Low; the saver uses it as given, and the panel shows no choice. Ignored: seed=-1 (not a number from 0 ' +
          'to 4294967295).', `bad values: ${notes}`);
    check(await tab.eval(`new URL(document.getElementById('link').href).searchParams.get('ColourOption')`) === '4294967291',
          'a negative colour is stored as the registry holds it');
    await finish(tab, 'bad link');

    tab = await browser.open(`${url}?RadiusFactor=600&ObjectShape=0&ObjectRotation=1&ZoomOption=1025&ImagesPerSec=9` +
                             '&ImagesPerSec=60&JoinTheDots=7&seed=1&seed=x');
    notes = await tab.eval(`document.getElementById('notes').textContent`);
    check(notes === "From the link: RadiusFactor=600: beyond the panel's 0 to 500; the saver draws it as given, and " +
          'the panel would refuse it. JoinTheDots=7 was replaced by 0. ObjectShape=0: none of its choices is ticked; ' +
          'the saver draws Circle. ObjectRotation=1: bit 1 of it the saver ignores, and none of its choices is ticked; ' +
          'the saver draws None. ZoomOption=1025: bits 1 and 1024 of it the saver ignores. Ignored: seed=x (not a ' +
          'number from 0 to 4294967295).', `odd values: ${notes}`);
    check(await tab.eval(`ImagesPerSec.value`) === '60', 'the last of a key given twice counts');
    await finish(tab, 'odd link');

    tab = await browser.open(`${url}?RadiusFactor=8%00junk&ImagesPerSec=40%00`);
    notes = await tab.eval(`document.getElementById('notes').textContent`);
    check(notes === 'From the link: RadiusFactor=8%00junk was replaced by 8. ImagesPerSec=40%00 was replaced by 50.',
          `NUL in a value: ${notes}`);
    await finish(tab, 'NUL in a link');
  },

  // On a phone and on a 4K screen at scale 1: no console error, every
  // control inside the window, at least 44 pixels tall, text large enough
  // to read; the panel folds away and stays folded.
  async layout(browser, url) {
    for (const [name, width, height, scale, smallest] of [['phone', 390, 844, 3, 16], ['4k', 3840, 2160, 1, 20]]) {
      const tab = await browser.open(`${url}?seed=4`, {width, height, scale, mobile: name === 'phone'});
      await tab.clickOn('#linux');
      const outside = await tab.eval(`(() => {
        const bad = [];
        for (const e of document.querySelectorAll('#panel button, #panel input, #panel a')) {
          e.scrollIntoView({block: 'nearest', inline: 'nearest'});
          const target = e.type === 'checkbox' || e.type === 'radio' ? e.closest('label') : e;
          const r = e.getBoundingClientRect(), t = target.getBoundingClientRect();
          const name = e.id || e.value || e.textContent;
          if (r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight)
            bad.push(name + ' outside at ' + [r.left, r.top, r.right, r.bottom].map(Math.round));
          if (t.height < 44 || t.width < 44)
            bad.push(name + ' only ' + Math.round(t.width) + ' x ' + Math.round(t.height));
        }
        const panel = document.getElementById('panel').getBoundingClientRect();
        if (panel.left < 4 || innerWidth - panel.right < 4) bad.push('panel margins ' + panel.left + ', ' + panel.right);
        if (document.documentElement.scrollWidth > innerWidth) bad.push('page wider than the window');
        return bad; })()`);
      check(outside.length === 0, `${name}: ${outside.join('; ')}`);
      const size = await tab.eval(`parseFloat(getComputedStyle(document.getElementById('about')).fontSize)`);
      check(size >= smallest, `${name}: text of ${size} px`);
      if (process.env.ORBILUX_SCREENSHOTS) {
        mkdirSync(process.env.ORBILUX_SCREENSHOTS, {recursive: true});
        await tab.eval(`document.getElementById('panel').scrollTop = 0`);
        await tab.screenshot(path.join(process.env.ORBILUX_SCREENSHOTS, `${engine}-${name}.png`));
      }
      // Folded, the panel leaves the figure free, and stays so on the next visit.
      await tab.clickOn('#fold');
      await tab.go(`${url}?seed=4`);
      const folded = await tab.eval(`(() => { const r = document.getElementById('panel').getBoundingClientRect();
        return [document.getElementById('panel').classList.contains('folded'),
                document.getElementById('fold').getAttribute('aria-expanded'), r.width < innerWidth / 2]; })()`);
      check(JSON.stringify(folded) === '[true,"false",true]', `${name}: folded after a reload: ${folded}`);
      await tab.clickOn('#fold');
      check(!await tab.eval(`document.getElementById('panel').classList.contains('folded')`), `${name}: unfolded`);
      await finish(tab, name);
    }
  },

  async downloads(browser, url) {
    const {tab, files} = await downloadFiles(browser, url);
    const labels = await tab.eval(`['windows', 'linux', 'linux-file'].map((id) => document.getElementById(id).textContent)`);
    check(JSON.stringify(labels) === '["Windows settings (.reg)","Linux settings","Download the settings file"]',
          `download labels: ${labels}`);
    const line = await tab.eval(`document.getElementById('programs-line').textContent`);
    check(line === '  orbilux --root --shape circle --rotation none --object-size 0 --images-per-sec 40 --join-dots ' +
          '--colour low --no-shape circle --shape square --shape triangle --shape diamond --shape eight-point-star ' +
          '--no-rotation none --rotation anticlockwise --zoom low --zoom one-phase --zoom four-phase --zoom start-small ' +
          '--zoom start-large  \\n\\', `programs line: ${line}`);
    check(files.windows.name === 'orbilux.reg' && files.linux.name === 'settings',
          `file names ${files.windows.name}, ${files.linux.name}`);
    check(files.windows.text.startsWith('REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\plorvex\\orbx_ss\\Settings]\r\n'),
          `.reg header: ${JSON.stringify(files.windows.text.slice(0, 80))}`);
    await finish(tab, 'downloads');

    // The Linux saver reads every line of its file without a complaint, and the
    // values are the stored ones.
    const settingsFile = path.join(tmp, 'settings');
    writeFileSync(settingsFile, files.linux.text);
    const expected = Object.entries(DOWNLOADED).map(([k, v]) => `${k}=${v}`).join('\n');
    check(files.linux.text.split('\n').filter((l) => l && !l.startsWith('#')).join('\n') === expected,
          `Linux file: ${files.linux.text}`);
    let message = '';
    try {
      execFileSync(saver, ['-settings', settingsFile, '-seed', '1'], {env: {PATH: process.env.PATH}, stdio: 'pipe', timeout: LIMIT_MS});
    } catch (e) {
      message = e.stderr.toString().trim();
    }
    // Its only complaint is the missing display: every line was taken.
    check(/^orbilux: cannot open display[^\n]*$/.test(message), `orbilux with the file: ${message}`);
  },

  // The Windows saver's key from the page's .reg, through Wine's own reg
  // import and query.
  async registry(browser, url) {
    const {tab, files} = await downloadFiles(browser, url);
    await finish(tab, 'registry download');
    const reg = path.join(tmp, 'orbilux.reg');
    writeFileSync(reg, files.windows.text, 'latin1');
    const wine = (...args) => execFileSync('wine', args, {env: {...process.env, WINEDEBUG: '-all'}, timeout: 4 * LIMIT_MS}).toString();
    wine('reg', 'import', reg);
    const listed = wine('reg', 'query', 'HKCU\\software\\plorvex\\orbx_ss\\Settings');
    for (const [name, value] of Object.entries(DOWNLOADED)) {
      const line = listed.split(/\r?\n/).find((l) => l.trim().startsWith(name + ' '));
      check(line && /REG_DWORD/.test(line) && Number(line.trim().split(/\s+/).pop()) === value,
            `registry ${name}: ${line}`);
    }
  },

  async saver(browser, url, server) {
    // Caches an older page left (planted from the gallery, which has no
    // service worker) go when this one's worker takes over.
    const gallery = await browser.open(`${url}gallery/`);
    await gallery.eval(`Promise.all(['orbilux', 'orbilux-1.8-0123456789abcdef'].map((name) =>
      caches.open(name).then((cache) => cache.put('orbilux.wasm', new Response('old')))))`);
    await gallery.close();
    const tab = await browser.open(url);
    // A resize refits the canvas to the window in device pixels.
    await tab.send('Emulation.setDeviceMetricsOverride', {width: 640, height: 480, deviceScaleFactor: 1.5, mobile: false});
    await tab.until(`document.getElementById('figure').width === 960`);
    check(await tab.eval(`document.getElementById('figure').height`) === 720, 'resized to 960 x 720');
    const mouse = (type, x, y, extra = {}) => tab.send('Input.dispatchMouseEvent', {type, x, y, ...extra});
    // Starts the saver with a click on its button, once the last one's full
    // screen has gone (the page's layout moves until then). The browser may
    // report the pointer where it stands as the saver starts, so travel is
    // counted from the click.
    const start = async () => {
      await tab.until('document.fullscreenElement === null');
      await mouse('mouseMoved', 100, 100);
      const [x, y] = await tab.eval(`(() => { const button = document.getElementById('saver');
        button.scrollIntoView();
        const r = button.getBoundingClientRect();
        return [r.x + r.width / 2, r.y + r.height / 2]; })()`);
      await mouse('mouseMoved', x, y);
      await mouse('mousePressed', x, y, {button: 'left', clickCount: 1});
      await mouse('mouseReleased', x, y, {button: 'left', clickCount: 1});
      await tab.until(`document.body.dataset.saver === 'on'`);
      await mouse('mouseMoved', x, y);  // the reference point, if none came yet
      return [x, y];
    };
    const state = () => tab.eval(`document.body.dataset.saver`);

    await start();
    await tab.send('Input.dispatchKeyEvent', {type: 'keyDown', key: 'a', code: 'KeyA', text: 'a'});
    check(await state() === 'off', 'a key ends the saver');

    let [x, y] = await start();
    await mouse('mouseMoved', x + 1, y + 1);
    await mouse('mouseMoved', x + 2, y + 2);  // travel 4: within the threshold
    check(await state() === 'on', 'travel of 4 keeps the saver');
    await mouse('mouseMoved', x + 2, y + 3);  // travel 5
    check(await state() === 'off', 'travel of 5 ends the saver');

    [x, y] = await start();
    await mouse('mousePressed', x, y, {button: 'right', clickCount: 1});
    check(await state() === 'off', 'a click ends the saver');

    // Once its service worker holds the files, the page opens without the server.
    await tab.until('navigator.serviceWorker.controller !== null');
    await tab.eval('navigator.serviceWorker.ready.then(() => true)');
    const cacheNames = await tab.eval('caches.keys()');
    check(cacheNames.length === 1 && /^orbilux-\d+(\.\d+)*-[0-9a-f]{16}$/.test(cacheNames[0]),
          `one cache, named by the version and the files: ${cacheNames}`);
    server.close();
    await tab.go(`${url}?seed=3`);
    check(await tab.eval(`document.getElementById('figure').width`) === 960, 'offline: the page runs');
    await finish(tab, 'saver');
  },
};

async function finish(tab, what) {
  check(tab.errors.length === 0, `${what}: ${tab.errors.join('; ')}`);
  await tab.close();
}

const ENGINES = {pixels: ['chromium', 'firefox'], settings: ['chromium', 'firefox'], layout: ['chromium', 'firefox'],
                 downloads: ['chromium'], registry: ['chromium'], saver: ['chromium']};
if (!suites[suite] || !(ENGINES[suite] || []).includes(engine)) {
  console.log(`usage: node web_test.mjs SUITE ENGINE PAGE_DIR RENDER [SAVER]; ${suite} runs in ${ENGINES[suite] || 'no engine'}`);
  process.exit(2);
}
// What a suite needs beyond its browser: '' when it is there, else why not.
const hasWine = () => {
  try { execFileSync('wine', ['--version'], {stdio: 'ignore', timeout: LIMIT_MS}); return true; } catch (e) { return false; }
};
const missing = suite !== 'registry' ? '' : !process.env.WINEPREFIX ? 'no Wine prefix (WINEPREFIX unset): the .reg import cannot run'
  : !hasWine() ? 'no wine to import the .reg with' : '';
if (missing) {
  console.log(`SKIP: ${missing}`);
  rmSync(tmp, {recursive: true, force: true});
  process.exit(77);
}
let browser;
try {
  browser = await startBrowser(engine);
} catch (e) {
  console.log(`SKIP: headless ${engine === 'firefox' ? 'Firefox' : 'Chromium'} cannot start here: ${e.message}`);
  rmSync(tmp, {recursive: true, force: true});
  process.exit(77);
}
const server = await serve(path.resolve(pageDir));
try {
  await suites[suite](browser, server.url, server);
} catch (e) {
  checks++;
  failures++;
  console.log(`FAIL: ${e.stack}`);
} finally {
  await browser.close().catch((e) => console.log(`note: ${e.message}`));
  server.close();
  rmSync(tmp, {recursive: true, force: true});
}
console.log(`${suite} in ${engine}: ${checks - failures} of ${checks} checks passed`);
process.exit(failures ? 1 : 0);
